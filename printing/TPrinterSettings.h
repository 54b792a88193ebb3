#pragma once

#include "document/TPageGeometry.h"
#include "document/TPagePrinterSettings.h"
#include "document/TPaperSize.h"
#include "printing/PrintSpooler.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class TReportPage;

// A print run's settings of its printer: read from the spooler's queue (or from the device a PDF
// or preview draws on), overlaid with the page's settings at the start of the run, written into
// the device the document is drawn on and, for a queue, into the job's options. Lengths are
// native units (tenths of a millimetre).
class TPrinterSettings {
public:
    QString DeviceName;
    QString DriverName;
    QString Port;
    TPaperSize PaperSize = TPaperSize::A4;
    long double PaperWidth = 0;
    long double PaperLength = 0;
    // The queue's name of the paper sent with the job; empty sends none, so that the queue prints
    // on its own current paper.
    QByteArray Media;
    TPrinterOrientation Orientation = poPortrait;
    std::int32_t Copies = 1;
    TPaperBin OutputBin = TPaperBin::First;
    bool Duplex = false;
    std::int32_t ExtendedDuplex = 0; // the device's duplex code
    std::int32_t PrintQuality = 0;
    std::int32_t Collate = 0;
    std::int32_t ColorOption = 0;
    bool UseCustomBinCode = false;
    std::int32_t CustomBinCode = 0;
    bool UseCustomPaperCode = false;
    std::int32_t CustomPaperCode = 0;
    std::int32_t DotsPerInchX = 0;
    std::int32_t DotsPerInchY = 0;
    long double LeftOffset = 0; // the unprintable edges
    long double TopOffset = 0;
    // Where the queue's driver begins its raster on the sheet (its paper's unprinted edges),
    // which the run's dots must meet.
    long double RasterLeft = 0;
    long double RasterTop = 0;
    std::int32_t MemoryLimit = 250000;
    bool UseStandardprinter = false;
    bool PrintMetaFile = false;
    // The driver's own options for the job (darkness, resolution, ...), as the spooler names them.
    std::vector<TSpoolOption> DriverOptions;
    // Which paper sizes the device takes, by TPaperSize ordinal; Default is always taken.
    std::array<bool, PaperSizeCount> Supported{};

    // The queue's settings: its resolution, its current paper and the papers it lists; the
    // spooler draws on the whole sheet, so there are no unprintable edges to leave.
    void ReadQueue(const TPrinterQueue& Queue);
    // Names, resolution, paper and unprintable edges of a device drawn on directly.
    void ReadDevice(const QPagedPaintDevice& Device);
    // The unprintable left and top edges: where the device's paint rectangle starts.
    void ReadOffsets(const QPagedPaintDevice& Device);
    // The page's settings over the printer's. On a queue: "Default size" takes the queue's
    // current paper; a named paper the queue lists goes by its name, one it does not list leaves
    // the queue's own; a Custom Size goes as the listed paper of that size, else as the
    // driver's custom size, else on the smallest listed paper that holds it, and raises when
    // none does. The page's driver options and a resolution among them are taken.
    void ApplyPage(const TReportPage& Page);
    // The driver options Printer setup chose, and on a queue the resolution among them.
    void TakeDriverOptions(const TPagePrinterSettings& Settings);
    // The sheet (paper and orientation) into the device, with no margins: the run draws from
    // the sheet's edge.
    void WriteDevice(QPagedPaintDevice& Device) const;
    // What the job tells the spooler: paper, sides, orientation and the driver's options. The
    // copies are in the document, made by the run.
    std::vector<TSpoolOption> SpoolOptions() const;

private:
    void TakeRaster(const TQueueMedia& Paper);

    // The queue read, for the page's paper and options.
    std::optional<TPrinterQueue> FQueue;
};

// Device pixels to native units at DotsPerInch, rounded to whole units.
long double NativeFromPixels(long double Pixels, std::int32_t DotsPerInch);
