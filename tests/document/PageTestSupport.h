#pragma once

#include "document/PrinterPaper.h"
#include "document/SystemFacts.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

// Fixes what a new page takes from the system for the life of the object: the locale, the
// language, 96 pixels per inch and the default printer's paper.
class TFixedSystem {
public:
    explicit TFixedSystem(bool USMeasurement, TPaperSize PrinterPaper = TPaperSize::A4,
                          bool Japanese = false)
        : TFixedSystem(USMeasurement, TPrinterPaper{PrinterPaper}, Japanese) {}
    TFixedSystem(bool USMeasurement, TPrinterPaper PrinterPaper, bool Japanese = false) {
        const TSystemFacts Facts{USMeasurement, Japanese, 96};
        OverrideSystemFacts(&Facts);
        SetPrinterPaperProvider([PrinterPaper] { return PrinterPaper; });
    }
    ~TFixedSystem() {
        OverrideSystemFacts(nullptr);
        SetPrinterPaperProvider({});
    }
    TFixedSystem(const TFixedSystem&) = delete;
    TFixedSystem& operator=(const TFixedSystem&) = delete;
};

// The ten bytes of an 80-bit extended value as a document file holds them, in hex.
inline std::string ExtendedBytes(long double Value) {
    static_assert(sizeof(long double) >= 10);
    std::array<unsigned char, sizeof(long double)> Raw{};
    std::memcpy(Raw.data(), &Value, sizeof Value);
    std::ostringstream Out;
    for (std::size_t I = 0; I < 10; ++I) {
        static constexpr char Hex[] = "0123456789ABCDEF";
        Out << (I != 0 ? " " : "") << Hex[Raw[I] >> 4] << Hex[Raw[I] & 15];
    }
    return Out.str();
}
