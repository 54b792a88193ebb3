#pragma once

#include "document/TCustomPrintJob.h"
#include "printing/PrintSpooler.h"
#include "printing/PrinterCalibration.h"
#include "printing/TPrinterSettings.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPointF>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPdfWriter;
class TReportPage;

enum TPrintJobStatus : std::uint8_t { jsIdle, jsBusy, jsReady };

// One print run of a page: the page's settings written into the device, pages begun and ended,
// pages outside the range drawn where they reach no paper, and native lengths turned into pixels
// of the device measured from the sheet's edge.
class TPrintJob : public TCustomPrintJob {
public:
    // Prints on the page's printer: the document is drawn into a PDF file at the queue's
    // resolution, on the paper the queue takes for the page's, and handed to the spooler at
    // EndDoc with the page's settings as the job's options. Asks the spooler for its queues.
    explicit TPrintJob(TReportPage& Page);
    // Draws onto Device, a PDF file or a preview's printer, and spools nothing.
    TPrintJob(TReportPage& Page, QPagedPaintDevice& Device);
    ~TPrintJob() override;
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    // Whether the spooler listed a printer when the job was made.
    bool PrintersAvailable() const { return !FQueues.empty() || FExternal != nullptr; }
    TPrinterSettings& Settings() { return FSettings; }
    const TPrinterSettings& Settings() const { return FSettings; }
    // The device the document is drawn on; for a queue, from BeginDoc to EndDoc.
    QPagedPaintDevice& Device() { return *FDevice; }
    TPrintJobStatus Status() const { return FStatus; }
    // The document's name for the spooler: the page's ReportTitle unless set.
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& Value) { FTitle = Value; }
    // Pages begun in this run, from 1.
    std::int32_t PageNumber() const { return FPageNumber; }
    // The range sent to the device; 0 leaves that side open.
    std::int32_t FirstPage() const { return FFirstPage; }
    std::int32_t LastPage() const { return FLastPage; }
    bool InRange(std::int64_t Page) const;
    bool Cancelled() const { return FCancelled; }
    // Whether a page reached the device, so that EndDoc hands a document over.
    bool DocumentOpened() const { return FDocumentOpened; }
    // The spooler's id of the job after EndDoc; 0 when nothing went to a spooler.
    std::int32_t JobId() const { return FJobId; }
    // After EndDoc: why the queue does not print its jobs now (it is stopped); empty while it
    // prints.
    const QString& StoppedReason() const { return FStoppedReason; }
    // The correction of the queue's calibration, applied to every position.
    const TCalibration& Calibration() const { return FCalibration; }

    // Finds the page's printer (raising when it has gone or there is no default to take),
    // takes its settings and overlays the page's; the page's unit must be native.
    void ApplyPageSettings();

    void BeginDoc();
    // Begins the next page, or the page of that number (copies of a sheet share its number, so
    // that the range counts sheets).
    void NewPage();
    void NewPage(std::int64_t Number);
    void EndDoc();
    void AbortDoc();
    // The run stops at its next check and abandons the document.
    void Cancel() { FCancelled = true; }

    QPainter& Canvas() override {
        return FOnScratch ? FScratchCanvas : FSheetOpen ? FSheetCanvas : FCanvas;
    }

private:
    void ReadFactors();
    void CloseScratch();
    void OpenSheet();
    void CloseSheet();
    void DropSpoolFile();

    TReportPage& FPage;
    std::vector<TPrinterQueue> FQueues;
    QPagedPaintDevice* FExternal = nullptr;
    QPagedPaintDevice* FDevice = nullptr;
    TPrinterSettings FSettings;
    TCalibration FCalibration;
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
    // A queue whose driver begins its raster between two of the run's dots would print every
    // bar a dot wider: there each sheet is drawn onto a bitmap of the printer's dots, which goes
    // into the document moved by that fraction of a dot, so that its dots are the printer's.
    bool FOnRaster = false;
    QPointF FRasterShift;
    QImage FSheet;
    QPainter FSheetCanvas;
    bool FSheetOpen = false;
    // A queue's document is written into this folder and handed to the spooler as a file.
    std::optional<QTemporaryDir> FSpoolDir;
    std::unique_ptr<QPdfWriter> FWriter;
    std::int32_t FJobId = 0;
    QString FStoppedReason;
};
