#include "printing/TPrintJob.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/PrinterCodes.h"
#include "printing/Printers.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>

#include <vector>

namespace {

// What Qt itself tells CUPS of a job, taken from the device the document was drawn for.
std::vector<TSpoolOption> SpoolOptions(const QPrinter& Device) {
    std::vector<TSpoolOption> Options;
    const QPageLayout Layout = Device.pageLayout();
    Options.push_back({"media", Layout.pageSize().key().toUtf8()});
    if (Device.copyCount() > 1) {
        // Collated, the spooler makes every copy itself, so that also a queue whose device
        // ignores a copy count (cups-pdf is one) gives them all; a one-page document reads the
        // same either way.
        Options.push_back({"copies", QByteArray::number(Device.copyCount())});
        Options.push_back({"Collate", "True"});
    }
    if (const TDuplexCode* Code = FindCode(DuplexCodes, &TDuplexCode::Mode, Device.duplex()))
        Options.push_back({"sides", QByteArray(Code->Sides.data(), qsizetype(Code->Sides.size()))});
    if (Layout.orientation() == QPageLayout::Landscape)
        Options.push_back({"landscape", ""});
    return Options;
}

} // namespace

// ::PrintersAvailable: the system's answer, not the accessor of the member being initialised.
TPrintJob::TPrintJob(TReportPage& Page) : FPage(Page), FPrintersAvailable(::PrintersAvailable()) {
    FSettings.UseStandardprinter = Page.PrinterSettings().UseStandardprinter;
    FSettings.MemoryLimit = Page.PrinterSettings().MemoryLimit;
    if (FSettings.UseStandardprinter) {
        FDevice = &ApplicationPrinter();
    } else {
        const QPrinterInfo Default = QPrinterInfo::defaultPrinter();
        FOwnDevice = Default.isNull()
                         ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                         : std::make_unique<QPrinter>(Default, QPrinter::HighResolution);
        FDevice = FOwnDevice.get();
    }
    if (FPrintersAvailable)
        FSettings.ReadDevice(*FDevice);
    FLeftWaste = FSettings.LeftOffset;
    FTopWaste = FSettings.TopOffset;
    FTitle = Page.ReportTitle();
}

TPrintJob::TPrintJob(TReportPage& Page, QPrinter& Device)
    : FPage(Page), FPrintersAvailable(::PrintersAvailable()), FDevice(&Device), FExternal(true) {
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
    ReleaseDevice();
    FSpoolDir.reset();
}

bool TPrintJob::InRange(std::int32_t Page) const {
    return (FFirstPage == 0 || Page >= FFirstPage) && (FLastPage == 0 || Page <= FLastPage);
}

void TPrintJob::ApplyPageSettings() {
    if (!FExternal && FPrintersAvailable && !FSettings.UseStandardprinter) {
        if (FStatus == jsBusy)
            Raise(Msg::PrintingInProgress);
        FOwnDevice = NewPrinterDevice(PrinterAt(FPage.PrinterSettings().PrinterIndex));
        FDevice = FOwnDevice.get();
        FSettings.ReadDevice(*FDevice);
    }
    const std::int32_t DeviceCopies = FSettings.Copies;
    const std::int32_t DeviceCollate = FSettings.Collate;
    FSettings.ApplyPage(FPage);
    if (FExternal) {
        // Whoever made the device decides the copies: one PDF file, or the preview's dialog.
        FSettings.Copies = DeviceCopies;
        FSettings.Collate = DeviceCollate;
    }
    FFirstPage = FPage.PrinterSettings().FirstPage;
    FLastPage = FPage.PrinterSettings().LastPage;
}

void TPrintJob::BeginDoc() {
    if (FStatus != jsIdle)
        Raise(Msg::PrintJobNotReady);
    if (FDevice->printerState() == QPrinter::Active)
        Raise(Msg::PrintingInProgress);
    FSettings.WriteDevice(*FDevice);
    FSettings.ReadOffsets(*FDevice);
    FLeftWaste = FSettings.LeftOffset;
    FTopWaste = FSettings.TopOffset;
    FDevice->setDocName(FTitle);
    if (!FExternal && FDevice->outputFormat() == QPrinter::NativeFormat) {
        // Qt's printer writes the document to this file instead of spooling it itself, so that
        // the job learns its spooler id and can still be abandoned at the end.
        FSpoolDir.emplace();
        if (!FSpoolDir->isValid())
            Raise(Msg::CannotCreateFile,
                  {FSpoolDir->path().toStdString(), FSpoolDir->errorString().toStdString()});
        FDevice->setOutputFileName(FSpoolDir->filePath(QStringLiteral("document.prn")));
    }
    FPageNumber = 0;
    FStatus = jsBusy;
    FDocumentOpened = false;
    FJobId = 0;
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
    if (FStatus != jsBusy)
        Raise(Msg::IllegalNewPage);
    // A sheet on the printer ends when the next begins, the last with the document.
    CloseScratch();
    ++FPageNumber;
    if (!InRange(FPageNumber)) {
        FScratch.setBoundingRect(FDevice->paperRect(QPrinter::DevicePixel).toAlignedRect());
        FScratchCanvas.begin(&FScratch);
        FOnScratch = true;
        return;
    }
    if (!FDocumentOpened) {
        if (!FCanvas.begin(FDevice))
            Raise(Msg::PrinterNotValid);
        FDocumentOpened = true;
    } else if (!FDevice->newPage()) {
        Raise(Msg::PrinterNotPrinting);
    }
    ReadFactors();
}

void TPrintJob::EndDoc() {
    if (FStatus != jsBusy)
        return;
    FStatus = jsReady;
    CloseScratch();
    if (!FDocumentOpened) {
        ReleaseDevice();
        FSpoolDir.reset();
        return;
    }
    const bool Written = FCanvas.end();
    if (FSpoolDir) {
        const QString File = FDevice->outputFileName();
        const QString Printer = FDevice->printerName();
        const std::vector<TSpoolOption> Options = SpoolOptions(*FDevice);
        ReleaseDevice();
        if (!Written || !QFile::exists(File))
            Raise(Msg::PrinterNotPrinting);
        FJobId = SpoolPrintFile(Printer, File, FTitle, Options);
        FSpoolDir.reset();
        return;
    }
    if (!Written)
        Raise(Msg::StreamWriteError);
}

void TPrintJob::AbortDoc() {
    const bool Opened = FStatus == jsBusy && FDocumentOpened;
    FStatus = jsReady;
    CloseScratch();
    if (Opened) {
        FCanvas.end();
        // What was drawn goes: the spool file with its folder, or the file of a PDF device.
        if (FExternal && !FDevice->outputFileName().isEmpty())
            QFile::remove(FDevice->outputFileName());
    }
    ReleaseDevice();
    FSpoolDir.reset();
}

void TPrintJob::ReleaseDevice() {
    // The application's printer is left as the job found it: spooling for itself.
    if (FSpoolDir && FDevice->printerState() != QPrinter::Active)
        FDevice->setOutputFileName(QString());
}
