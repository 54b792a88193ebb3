#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Paper sources. The order is stored in document files; PaperBinCodes gives the device code.
enum class TPaperBin : std::uint8_t {
    First,
    Upper,
    Lower,
    Middle,
    Manual,
    Envelope,
    EnvManual,
    Auto,
    Tractor,
    SmallFormat,
    LargeFormat,
    LargeCapacity,
    Cassette,
    Last
};
inline constexpr std::array<std::string_view, 14> PaperBinNames = {
    "First", "Upper",   "Lower",       "Middle",      "Manual",        "Envelope", "EnvManual",
    "Auto",  "Tractor", "SmallFormat", "LargeFormat", "LargeCapacity", "Cassette", "Last"};
// Printer-driver paper-source codes (DMBIN_*).
inline constexpr std::array<std::int16_t, 14> PaperBinCodes = {1, 1, 2, 3,  4,  5,  6,
                                                               7, 8, 9, 10, 11, 14, 14};

// The printer settings a page carries in its document; the printer index is not stored.
struct TPagePrinterSettings {
    std::int32_t Copies = 1;
    TPaperBin OutputBin = TPaperBin::Auto;
    bool Duplex = false;
    std::int32_t FirstPage = 0; // 0: from the start
    std::int32_t LastPage = 0;  // 0: to the end
    bool UseStandardprinter = false;
    bool UseCustomBinCode = false;
    std::int32_t CustomBinCode = 0;
    std::int32_t ExtendedDuplex = 0; // raw duplex code; wins over Duplex when not 0
    bool UseCustomPaperCode = false;
    std::int32_t CustomPaperCode = 0;
    bool PrintMetaFile = false;
    std::int32_t MemoryLimit = 250000;
    std::int32_t PrintQuality = 0;
    std::int32_t Collate = 0;
    std::int32_t ColorOption = 0;
    std::int32_t PrinterIndex = -1; // -1: the system's default printer
    // Printer dots each bar gives to its space, for printers that spread ink (0: none).
    std::int32_t BarWidthReduction = 0;

    bool operator==(const TPagePrinterSettings&) const = default;
};
