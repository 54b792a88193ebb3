#pragma once

#include "document/TPageGeometry.h"
#include "document/TPagePrinterSettings.h"
#include "document/TPaperSize.h"

#include <QString>

#include <array>
#include <cstdint>

class QPrinter;
class TReportPage;

// A print run's settings of its printer device: read from the device, overlaid with the page's
// settings at the start of the run, and written into the device when the document begins.
// Lengths are native units (tenths of a millimetre).
class TPrinterSettings {
public:
    QString DeviceName;
    QString DriverName;
    QString Port;
    TPaperSize PaperSize = TPaperSize::A4;
    long double PaperWidth = 0;
    long double PaperLength = 0;
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
    std::int32_t MemoryLimit = 250000;
    bool UseStandardprinter = false;
    bool PrintMetaFile = false;
    // Which paper sizes the device takes, by TPaperSize ordinal; Default is always taken.
    std::array<bool, PaperSizeCount> Supported{};

    // The fields a device carries; CUPS keeps no paper source that Qt would hand over.
    bool CarriesPaperSource = false;
    bool CarriesDuplex = false;

    // Takes names, resolution, copies, paper source, duplex, unprintable edges, paper and its
    // size, the supported paper sizes, quality, collate and colour from the device as it is.
    void ReadDevice(const QPrinter& Device);
    // The unprintable left and top edges: where the device's page rectangle starts.
    void ReadOffsets(const QPrinter& Device);
    // The page's settings over the device's: a paper size the device does not take leaves the
    // device's own; Custom takes the page's width and length.
    void ApplyPage(const TReportPage& Page);
    // Paper, orientation, copies, duplex, paper source and collate into the device, with its
    // page margins at the unprintable edges so that drawing starts where the device can print.
    void WriteDevice(QPrinter& Device) const;
};

// Device pixels to native units at DotsPerInch, rounded to whole units.
long double NativeFromPixels(long double Pixels, std::int32_t DotsPerInch);
