#include "printing/PrintReport.h"

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

TPrintOutcome Run(TReportPage& Page, TPrintJob& Job, bool Progress) {
    std::unique_ptr<TPrintProgressForm> Form;
    if (Progress && Page.ShowProgress()) {
        Form = std::make_unique<TPrintProgressForm>(Job);
        Form->show();
        QCoreApplication::processEvents();
    }
    const TPrintRun Items(Page, Job);
    Job.ApplyPageSettings();
    Job.BeginDoc();
    Job.NewPage();
    if (!Job.Cancelled())
        PrintPageContent(Page, Job, [&Job, &Form](int Done, int Count) {
            if (Form) {
                Form->SetProgress(Done * 100 / Count);
                QCoreApplication::processEvents();
            }
            return !Job.Cancelled();
        });
    TPrintOutcome Outcome;
    if (Job.Cancelled()) {
        Job.AbortDoc();
        Outcome.Cancelled = true;
        return Outcome;
    }
    Job.EndDoc();
    if (!Job.DocumentOpened())
        Raise(Msg::NoPageInRange, {RangeText(Job.FirstPage(), Job.LastPage())});
    if (Form)
        Form->SetProgress(100);
    Outcome.JobId = Job.JobId();
    Outcome.Printer = Job.Settings().DeviceName;
    return Outcome;
}

} // namespace

TPrintOutcome PrintReport(TReportPage& Page, QPrinter* Device, bool Progress) {
    if (Device != nullptr) {
        TPrintJob Job(Page, *Device);
        return Run(Page, Job, Progress);
    }
    TPrintJob Job(Page);
    if (!Job.PrintersAvailable())
        Raise(Msg::NoPrinterInstalled);
    return Run(Page, Job, Progress);
}

TPrintOutcome PrintReportToPdf(TReportPage& Page, const QString& FileName, bool Progress) {
    // Qt's PDF writer gives no reason when it cannot write; the file system does.
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        Raise(Msg::CannotCreateFile, {QFileInfo(FileName).absoluteFilePath().toStdString(),
                                      File.errorString().toStdString()});
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
        const TPrintOutcome Outcome = PrintReport(Page, &Pdf, Progress);
        if (Outcome.Cancelled)
            QFile::remove(FileName);
        return Outcome;
    } catch (...) {
        QFile::remove(FileName);
        throw;
    }
}

void ShowPrintPreview(TReportPage& Page, QWidget* Parent) {
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
                     [&Page, &Error](QPrinter* Device) {
                         try {
                             PrintReport(Page, Device, false);
                         } catch (const TException& E) {
                             Error = E;
                         }
                     });
    Preview.exec();
    if (Error)
        throw *Error;
}
