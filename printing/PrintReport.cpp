#include "printing/PrintReport.h"

#include "common/FileWrite.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/CalibrationSheet.h"
#include "printing/PagePrint.h"
#include "printing/Printers.h"
#include "printing/TPrintJob.h"
#include "printing/TPrintProgressForm.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string RangeText(std::int32_t First, std::int32_t Last) {
    if (Last == 0)
        return "from " + std::to_string(First);
    return std::to_string(First) + " to " + std::to_string(Last);
}

TPrintOutcome Run(TReportPage& Page, TPrintJob& Job, bool Progress, TDataSource* Data) {
    auto Sheets = std::make_unique<TPageSheets>(Page, Data);
    std::unique_ptr<TPrintProgressForm> Form;
    if (Progress && Page.ShowProgress()) {
        Form = std::make_unique<TPrintProgressForm>(Job);
        Form->show();
        QCoreApplication::processEvents();
    }
    auto Items = std::make_unique<TPrintRun>(Sheets->Printed(), Job);
    Job.ApplyPageSettings();
    Job.BeginDoc();
    const std::int64_t Count = Sheets->Count();
    // The run makes the copies itself, in the order the page asks for, whatever a queue's device
    // does with a copy count: sets (1, 2, 1, 2) when collated, else each sheet in a row
    // (1, 1, 2, 2), as a roll of labels wants them.
    const std::int64_t Copies = std::max(1, Job.Settings().Copies);
    const bool Collated = Job.Settings().Collate != 0;
    const std::int64_t Sets = Collated ? Copies : 1;
    const std::int64_t Repeats = Collated ? 1 : Copies;
    const std::int64_t Total = Count * Copies;
    std::int64_t Drawn = 0;
    for (std::int64_t Set = 0; Set < Sets && !Job.Cancelled(); ++Set) {
        if (Set > 0) {
            // The next set fills its sheets from the first record again.
            Items.reset();
            Sheets = std::make_unique<TPageSheets>(Page, Data);
            Items = std::make_unique<TPrintRun>(Sheets->Printed(), Job);
        }
        for (std::int64_t Sheet = 1; !Job.Cancelled() && Sheets->Next(); ++Sheet) {
            for (std::int64_t Repeat = 0; Repeat < Repeats && !Job.Cancelled(); ++Repeat) {
                // A sheet outside the range is drawn once, where it reaches no paper.
                if ((Set > 0 || Repeat > 0) && !Job.InRange(Sheet))
                    break;
                Job.NewPage(Sheet);
                PrintPageContent(Sheets->Printed(), Job, [&](int Done, int Of) {
                    if (Form) {
                        Form->SetProgress(
                            static_cast<int>((Drawn * Of + Done) * 100 / (Total * Of)));
                        QCoreApplication::processEvents();
                    }
                    return !Job.Cancelled();
                });
                ++Drawn;
            }
        }
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
    Outcome.StoppedReason = Job.StoppedReason();
    return Outcome;
}

} // namespace

TPrintOutcome PrintReport(TReportPage& Page, QPagedPaintDevice* Device, bool Progress,
                          TDataSource* Data) {
    if (Device != nullptr) {
        TPrintJob Job(Page, *Device);
        return Run(Page, Job, Progress, Data);
    }
    TPrintJob Job(Page);
    if (!Job.PrintersAvailable())
        Raise(Msg::NoPrinterInstalled);
    return Run(Page, Job, Progress, Data);
}

TPrintOutcome PrintCalibrationSheet(const QString& Printer) {
    TReportPage Page;
    Page.Page().SetPaperSize(TPaperSize::Default);
    Page.PrinterSettings().PrinterName = Printer.toStdString();
    TPrintJob Job(Page);
    if (!Job.PrintersAvailable())
        Raise(Msg::NoPrinterInstalled);
    Job.SetTitle(QStringLiteral("Calibration"));
    const TPrintRun Units(Page, Job);
    Job.ApplyPageSettings();
    Job.BeginDoc();
    Job.NewPage();
    const TPrinterSettings& Sheet = Job.Settings();
    PaintCalibrationSheet(Job, Sheet.PaperWidth, Sheet.PaperLength, Sheet.DeviceName,
                          Job.Calibration());
    Job.EndDoc();
    return {false, Job.JobId(), Sheet.DeviceName, Job.StoppedReason()};
}

int PrinterResolution(const TReportPage& Page) {
    // Qt's own resolution of a PDF where the page's printer cannot be asked.
    constexpr int Fallback = 1200;
    try {
        const std::vector<TPrinterQueue> Queues = SpoolerQueues();
        TPagePrinterSettings Settings = Page.PrinterSettings();
        TPrinterSettings Printer;
        Printer.ReadQueue(PagePrinter(Settings, Queues));
        Printer.TakeDriverOptions(Settings);
        return Printer.DotsPerInchX;
    } catch (const TException&) {
        return Fallback;
    }
}

TPrintOutcome PrintReportToPdf(TReportPage& Page, const QString& FileName, bool Progress,
                               TDataSource* Data) {
    // Qt's PDF writer gives no reason when it cannot write; the file system does.
    QFile File(FileName);
    OpenToWrite(File);
    File.close();
    try {
        TPrintOutcome Outcome;
        {
            QPdfWriter Pdf(FileName);
            // A PDF has no dots; drawn at the page's printer's resolution, its modules land on
            // whole dots when that printer prints it.
            Pdf.setResolution(PrinterResolution(Page));
            Pdf.setCreator(QCoreApplication::applicationName());
            Outcome = PrintReport(Page, &Pdf, Progress, Data);
        }
        if (Outcome.Cancelled)
            QFile::remove(FileName);
        return Outcome;
    } catch (...) {
        QFile::remove(FileName);
        throw;
    }
}

void ShowPrintPreview(TReportPage& Page, QWidget* Parent, TDataSource* Data) {
    std::vector<TPrinterQueue> Queues;
    try {
        Queues = SpoolerQueues();
    } catch (const TSpoolerError& E) {
        // Qt's printer would wait for a scheduler that does not answer; one that is not there
        // leaves a PDF printer to show the page on.
        if (E.Running())
            throw;
    }
    std::unique_ptr<QPrinter> Printer;
    TPagePrinterSettings Settings = Page.PrinterSettings();
    if (!Queues.empty() && !PrinterToChoose(Settings, Queues)) {
        const TPrinterQueue& Queue = PagePrinter(Settings, Queues);
        Printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(Queue.Name),
                                             QPrinter::HighResolution);
        Printer->setResolution(PrinterResolution(Page));
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
