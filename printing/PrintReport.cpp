#include "printing/PrintReport.h"

#include "common/FileWrite.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/PagePrint.h"
#include "printing/Printers.h"
#include "printing/TPrintJob.h"
#include "printing/TPrintProgressForm.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>
#include <optional>
#include <string>

namespace {

std::string RangeText(std::int32_t First, std::int32_t Last) {
    if (Last == 0)
        return "from " + std::to_string(First);
    return std::to_string(First) + " to " + std::to_string(Last);
}

TPrintOutcome Run(TReportPage& Page, TPrintJob& Job, bool Progress, TDataSource* Data) {
    TPageSheets Sheets(Page, Data);
    std::unique_ptr<TPrintProgressForm> Form;
    if (Progress && Page.ShowProgress()) {
        Form = std::make_unique<TPrintProgressForm>(Job);
        Form->show();
        QCoreApplication::processEvents();
    }
    const TPrintRun Items(Sheets.Printed(), Job);
    Job.ApplyPageSettings();
    Job.BeginDoc();
    const std::int64_t Count = Sheets.Count();
    for (std::int64_t Sheet = 0; !Job.Cancelled() && Sheets.Next(); ++Sheet) {
        Job.NewPage();
        PrintPageContent(Sheets.Printed(), Job, [&](int Done, int Total) {
            if (Form) {
                Form->SetProgress(static_cast<int>((Sheet * Total + Done) * 100 / (Count * Total)));
                QCoreApplication::processEvents();
            }
            return !Job.Cancelled();
        });
    }
    TPrintOutcome Outcome;
    if (Job.Cancelled()) {
        Job.AbortDoc();
        Outcome.Cancelled = true;
        return Outcome;
    }
    Job.EndDoc();
    if (!Job.DocumentOpened()) {
        const std::string Range = RangeText(Job.FirstPage(), Job.LastPage());
        if (Data == nullptr)
            Raise(Msg::NoPageInRange, {Range});
        Raise(Msg::NoSheetInRange, {Range, std::to_string(Count)});
    }
    if (Form)
        Form->SetProgress(100);
    Outcome.JobId = Job.JobId();
    Outcome.Printer = Job.Settings().DeviceName;
    return Outcome;
}

} // namespace

TPrintOutcome PrintReport(TReportPage& Page, QPrinter* Device, bool Progress, TDataSource* Data) {
    if (Device != nullptr) {
        TPrintJob Job(Page, *Device);
        return Run(Page, Job, Progress, Data);
    }
    TPrintJob Job(Page);
    if (!Job.PrintersAvailable())
        Raise(Msg::NoPrinterInstalled);
    return Run(Page, Job, Progress, Data);
}

TPrintOutcome PrintReportToPdf(TReportPage& Page, const QString& FileName, bool Progress,
                               TDataSource* Data) {
    // Qt's PDF writer gives no reason when it cannot write; the file system does.
    QFile File(FileName);
    OpenToWrite(File);
    File.close();
    QPrinter Pdf(QPrinter::HighResolution);
    Pdf.setOutputFormat(QPrinter::PdfFormat);
    Pdf.setOutputFileName(FileName);
    // A PDF has no dots; drawn at the page's printer's resolution, its modules land on whole
    // dots when that printer prints it.
    if (PrintersAvailable()) {
        try {
            Pdf.setResolution(
                NewPrinterDevice(PrinterAt(Page.PrinterSettings().PrinterIndex))->resolution());
        } catch (const TException&) {
            // No such printer any more: Qt's own PDF resolution.
        }
    }
    Pdf.setCreator(QCoreApplication::applicationName());
    try {
        const TPrintOutcome Outcome = PrintReport(Page, &Pdf, Progress, Data);
        if (Outcome.Cancelled)
            QFile::remove(FileName);
        return Outcome;
    } catch (...) {
        QFile::remove(FileName);
        throw;
    }
}

void ShowPrintPreview(TReportPage& Page, QWidget* Parent, TDataSource* Data) {
    std::unique_ptr<QPrinter> Printer;
    if (PrintersAvailable()) {
        Printer = NewPrinterDevice(PrinterAt(Page.PrinterSettings().PrinterIndex));
    } else {
        Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        Printer->setOutputFormat(QPrinter::PdfFormat);
    }
    QPrintPreviewDialog Preview(Printer.get(), Parent);
    // An error must not cross Qt's signal; it is raised once the window has closed.
    std::optional<TException> Error;
    QObject::connect(&Preview, &QPrintPreviewDialog::paintRequested, &Preview,
                     [&Page, &Error, Data](QPrinter* Device) {
                         try {
                             PrintReport(Page, Device, false, Data);
                         } catch (const TException& E) {
                             Error = E;
                         }
                     });
    Preview.exec();
    if (Error)
        throw *Error;
}
