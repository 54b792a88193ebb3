#pragma once

#include "document/TCustomPrintJob.h"
#include "printing/TPrinterSettings.h"

#include <QPainter>
#include <QPicture>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <optional>

class QPrinter;
class TReportPage;

enum TPrintJobStatus : std::uint8_t { jsIdle, jsBusy, jsReady };

// One print run of a page on a printer device: the page's settings written into the device,
// pages begun and ended, pages outside the range drawn where they reach no paper, and native
// lengths turned into pixels of the device measured from the sheet's edge.
class TPrintJob : public TCustomPrintJob {
public:
    // Prints on a printer of the job's own (the application's with UseStandardprinter) and hands
    // the document to the spooler at EndDoc.
    explicit TPrintJob(TReportPage& Page);
    // Draws onto Device, a PDF or preview printer, and spools nothing.
    TPrintJob(TReportPage& Page, QPrinter& Device);
    ~TPrintJob() override;
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    // Whether the system listed a printer when the job was made.
    bool PrintersAvailable() const { return FPrintersAvailable; }
    TPrinterSettings& Settings() { return FSettings; }
    const TPrinterSettings& Settings() const { return FSettings; }
    QPrinter& Device() { return *FDevice; }
    TPrintJobStatus Status() const { return FStatus; }
    // The document's name for the spooler: the page's ReportTitle unless set.
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& Value) { FTitle = Value; }
    // Pages begun in this run, from 1.
    std::int32_t PageNumber() const { return FPageNumber; }
    // The range sent to the device; 0 leaves that side open.
    std::int32_t FirstPage() const { return FFirstPage; }
    std::int32_t LastPage() const { return FLastPage; }
    bool InRange(std::int32_t Page) const;
    bool Cancelled() const { return FCancelled; }
    // Whether a page reached the device, so that EndDoc hands a document over.
    bool DocumentOpened() const { return FDocumentOpened; }
    // The spooler's id of the job after EndDoc; 0 when nothing went to a spooler.
    std::int32_t JobId() const { return FJobId; }

    // Selects the page's printer (a job of its own), resets it to its defaults and overlays the
    // page's printer settings; the page's unit must be native.
    void ApplyPageSettings();

    void BeginDoc();
    void NewPage();
    void EndDoc();
    void AbortDoc();
    // The run stops at its next check and abandons the document.
    void Cancel() { FCancelled = true; }

    QPainter& Canvas() override { return FOnScratch ? FScratchCanvas : FCanvas; }

private:
    void ReadFactors();
    void CloseScratch();
    void ReleaseDevice();

    TReportPage& FPage;
    bool FPrintersAvailable = false;
    std::unique_ptr<QPrinter> FOwnDevice;
    QPrinter* FDevice = nullptr;
    bool FExternal = false;
    TPrinterSettings FSettings;
    TPrintJobStatus FStatus = jsIdle;
    QString FTitle;
    std::int32_t FPageNumber = 0;
    std::int32_t FFirstPage = 0;
    std::int32_t FLastPage = 0;
    bool FCancelled = false;
    bool FDocumentOpened = false;
    QPainter FCanvas;
    // A page outside the range is drawn here and dropped.
    QPicture FScratch;
    QPainter FScratchCanvas;
    bool FOnScratch = false;
    // The printer's document is written here and handed to the spooler as a file.
    std::optional<QTemporaryDir> FSpoolDir;
    std::int32_t FJobId = 0;
};
