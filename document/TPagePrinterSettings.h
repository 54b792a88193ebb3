#pragma once

#include "common/Tables.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Paper sources. The order is stored in document files.
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

struct TPaperBinRow {
    TPaperBin Bin;
    std::string_view Name; // the value's own name, as the document file stores it
    std::int16_t Code;     // printer-driver paper-source code
};

// The paper sources and their codes in the printer drivers' table (DMBIN_* of wingdi.h), indexed
// by TPaperBin.
inline constexpr std::array<TPaperBinRow, 14> PaperBinTable = {{
    {TPaperBin::First, "First", 1},
    {TPaperBin::Upper, "Upper", 1},
    {TPaperBin::Lower, "Lower", 2},
    {TPaperBin::Middle, "Middle", 3},
    {TPaperBin::Manual, "Manual", 4},
    {TPaperBin::Envelope, "Envelope", 5},
    {TPaperBin::EnvManual, "EnvManual", 6},
    {TPaperBin::Auto, "Auto", 7},
    {TPaperBin::Tractor, "Tractor", 8},
    {TPaperBin::SmallFormat, "SmallFormat", 9},
    {TPaperBin::LargeFormat, "LargeFormat", 10},
    {TPaperBin::LargeCapacity, "LargeCapacity", 11},
    {TPaperBin::Cassette, "Cassette", 14},
    {TPaperBin::Last, "Last", 14},
}};
static_assert(RowsAtTheirValues(PaperBinTable, &TPaperBinRow::Bin));
static_assert(PaperBinTable[7].Code == 7 && PaperBinTable[13].Code == 14);

// The stored names alone, indexed by TPaperBin.
inline constexpr auto PaperBinNames = TableColumn(PaperBinTable, &TPaperBinRow::Name);

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
    // Not stored either, kept while the page is open: the queue Printer setup chose, by name,
    // which wins over the index when queues come and go; and what the dialog's driver options
    // (darkness, resolution, ...) were set to, as the spooler's name and value.
    std::string PrinterName;
    std::vector<std::pair<std::string, std::string>> DriverOptions;
    // Printer dots each bar gives to its space, for printers that spread ink (0: none).
    std::int32_t BarWidthReduction = 0;

    bool operator==(const TPagePrinterSettings&) const = default;
};
