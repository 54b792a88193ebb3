#include "printing/TPrintJob.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/Printers.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

TPrintJob::TPrintJob(TReportPage& Page) : FPage(Page), FQueues(SpoolerQueues()) {
    FSettings.UseStandardprinter = Page.PrinterSettings().UseStandardprinter;
    FSettings.MemoryLimit = Page.PrinterSettings().MemoryLimit;
    if (const TPrinterQueue* Default = DefaultQueue(FQueues))
        FSettings.ReadQueue(*Default);
    FTitle = Page.ReportTitle();
}

TPrintJob::TPrintJob(TReportPage& Page, QPagedPaintDevice& Device)
    : FPage(Page), FExternal(&Device), FDevice(&Device) {
    FSettings.UseStandardprinter = Page.PrinterSettings().UseStandardprinter;
    FSettings.MemoryLimit = Page.PrinterSettings().MemoryLimit;
    FSettings.ReadDevice(Device);
    FLeftWaste = FSettings.LeftOffset;
    FTopWaste = FSettings.TopOffset;
    FTitle = Page.ReportTitle();
}

TPrintJob::~TPrintJob() {
    if (FStatus == jsBusy)
        AbortDoc();
}

bool TPrintJob::InRange(std::int64_t Page) const {
    return (FFirstPage == 0 || Page >= FFirstPage) && (FLastPage == 0 || Page <= FLastPage);
}

void TPrintJob::ApplyPageSettings() {
    if (FStatus == jsBusy)
        Raise(Msg::PrintingInProgress);
    if (FExternal == nullptr) {
        TPagePrinterSettings& S = FPage.PrinterSettings();
        const TPrinterQueue* Queue = nullptr;
        if (S.UseStandardprinter)
            if (const std::int32_t Index =
                    PrinterIndex(FQueues, ApplicationPrinter().printerName());
                Index >= 0)
                Queue = &FQueues[static_cast<std::size_t>(Index)];
        if (Queue == nullptr)
            Queue = &PagePrinter(S, FQueues);
        FSettings.ReadQueue(*Queue);
        FSettings.ApplyPage(FPage);
        FCalibration = CalibrationOf(Queue->Name);
    } else {
        // Whoever made the device decides the copies: one PDF file, or the preview's dialog.
        const std::int32_t DeviceCopies = FSettings.Copies;
        const std::int32_t DeviceCollate = FSettings.Collate;
        FSettings.ApplyPage(FPage);
        FSettings.Copies = DeviceCopies;
        FSettings.Collate = DeviceCollate;
    }
    FFirstPage = FPage.PrinterSettings().FirstPage;
    FLastPage = FPage.PrinterSettings().LastPage;
}

void TPrintJob::BeginDoc() {
    if (FStatus != jsIdle)
        Raise(Msg::PrintJobNotReady);
    if (auto* Printer = dynamic_cast<QPrinter*>(FExternal);
        Printer != nullptr && Printer->printerState() == QPrinter::Active)
        Raise(Msg::PrintingInProgress);
    if (FExternal == nullptr) {
        FSpoolDir.emplace();
        if (!FSpoolDir->isValid())
            Raise(Msg::CannotCreateFile,
                  {FSpoolDir->path().toStdString(), FSpoolDir->errorString().toStdString()});
        FWriter = std::make_unique<QPdfWriter>(FSpoolDir->filePath(QStringLiteral("document.pdf")));
        // The spooler's driver rasterises at its resolution: drawn at the same, every dot of
        // the run is one dot of the printer.
        FWriter->setResolution(FSettings.DotsPerInchX);
        FWriter->setCreator(QCoreApplication::applicationName());
        FWriter->setTitle(FTitle);
        FDevice = FWriter.get();
    } else if (auto* Printer = dynamic_cast<QPrinter*>(FExternal)) {
        Printer->setDocName(FTitle);
    }
    FSettings.WriteDevice(*FDevice);
    FSettings.ReadOffsets(*FDevice);
    const auto Fraction = [](long double Native, int Dpi) {
        const long double Dots = Native / 254 * Dpi;
        return static_cast<double>(Dots - std::floor(Dots));
    };
    FRasterShift = QPointF(Fraction(FSettings.RasterLeft, FDevice->logicalDpiX()),
                           Fraction(FSettings.RasterTop, FDevice->logicalDpiY()));
    // A twentieth of a dot off leaves every edge on the dot it belongs to.
    constexpr double OnGrid = 0.05;
    const auto Off = [](double Shift) { return std::min(Shift, 1 - Shift) > OnGrid; };
    FOnRaster = FExternal == nullptr && (Off(FRasterShift.x()) || Off(FRasterShift.y()));
    // A printer that puts its print off by its calibration is sent the print as far the other
    // way.
    FLeftWaste = FSettings.LeftOffset - FCalibration.OffsetX * 10;
    FTopWaste = FSettings.TopOffset - FCalibration.OffsetY * 10;
    FPageNumber = 0;
    FStatus = jsBusy;
    FDocumentOpened = false;
    FJobId = 0;
    FStoppedReason.clear();
    ReadFactors();
}

void TPrintJob::ReadFactors() {
    SetResolution(FDevice->logicalDpiX(), FDevice->logicalDpiY());
}

void TPrintJob::CloseScratch() {
    if (!FOnScratch)
        return;
    FScratchCanvas.end();
    FScratch = QPicture();
    FOnScratch = false;
}

void TPrintJob::NewPage() {
    NewPage(std::int64_t{FPageNumber} + 1);
}

void TPrintJob::NewPage(std::int64_t Number) {
    if (FStatus != jsBusy)
        Raise(Msg::IllegalNewPage);
    // A sheet on the printer ends when the next begins, the last with the document.
    CloseScratch();
    FPageNumber = static_cast<std::int32_t>(std::min<std::int64_t>(Number, INT32_MAX));
    if (!InRange(FPageNumber)) {
        FScratch.setBoundingRect(FDevice->pageLayout().fullRectPixels(FDevice->logicalDpiX()));
        FScratchCanvas.begin(&FScratch);
        FOnScratch = true;
        return;
    }
    CloseSheet();
    if (!FDocumentOpened) {
        if (!FCanvas.begin(FDevice))
            Raise(Msg::PrinterNotValid);
        FDocumentOpened = true;
    } else if (!FDevice->newPage()) {
        Raise(Msg::PrinterNotPrinting);
    }
    ReadFactors();
    if (FOnRaster)
        OpenSheet();
}

void TPrintJob::OpenSheet() {
    const int Dpi = FDevice->logicalDpiX();
    FSheet = QImage(FDevice->pageLayout().fullRectPixels(Dpi).size(), QImage::Format_Grayscale8);
    if (FSheet.isNull())
        Raise(Msg::PageTooLargeToDraw, {std::to_string(Dpi)});
    FSheet.fill(Qt::white);
    // Point sizes on the bitmap are the printer's.
    FSheet.setDotsPerMeterX(static_cast<int>(std::lround(FDevice->logicalDpiX() / 0.0254)));
    FSheet.setDotsPerMeterY(static_cast<int>(std::lround(FDevice->logicalDpiY() / 0.0254)));
    FSheetCanvas.begin(&FSheet);
    FSheetOpen = true;
}

void TPrintJob::CloseSheet() {
    if (!FSheetOpen)
        return;
    FSheetCanvas.end();
    FSheetOpen = false;
    // A thermal printer's dot is black or white.
    FCanvas.drawImage(FRasterShift,
                      FSheet.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither));
    FSheet = QImage();
}

void TPrintJob::EndDoc() {
    if (FStatus != jsBusy)
        return;
    FStatus = jsReady;
    CloseScratch();
    if (!FDocumentOpened) {
        DropSpoolFile();
        return;
    }
    CloseSheet();
    const bool Written = FCanvas.end();
    if (FExternal != nullptr) {
        if (!Written)
            Raise(Msg::StreamWriteError);
        return;
    }
    const QString File = FSpoolDir->filePath(QStringLiteral("document.pdf"));
    FDevice = nullptr;
    FWriter.reset();
    if (!Written || !QFile::exists(File)) {
        DropSpoolFile();
        Raise(Msg::PrinterNotPrinting);
    }
    try {
        FJobId = SpoolPrintFile(FSettings.DeviceName, File, FTitle, FSettings.SpoolOptions());
    } catch (...) {
        DropSpoolFile();
        throw;
    }
    DropSpoolFile();
    // The job is the spooler's now; a queue that has stopped is said, not raised.
    try {
        for (const TPrinterQueue& Queue : SpoolerQueues())
            if (Queue.Name == FSettings.DeviceName)
                FStoppedReason = QueueStoppedReason(Queue);
    } catch (const TException&) {
        // The spooler stopped answering after it took the job: nothing more to say of it.
    }
}

void TPrintJob::AbortDoc() {
    const bool Opened = FStatus == jsBusy && FDocumentOpened;
    FStatus = jsReady;
    CloseScratch();
    if (FSheetOpen) {
        FSheetCanvas.end();
        FSheetOpen = false;
    }
    if (Opened)
        FCanvas.end();
    DropSpoolFile();
}

void TPrintJob::DropSpoolFile() {
    if (FExternal != nullptr)
        return;
    FDevice = nullptr;
    FWriter.reset();
    FSpoolDir.reset();
}
