#pragma once

#include "common/Tables.h"

#include <QPrinter>

#include <array>
#include <cstdint>
#include <string_view>

// The driver codes a page's printer settings are kept in, and what Qt and CUPS call them.

// Paper sources: DMBIN_* of wingdi.h and QPrinter::PaperSource.
struct TBinSource {
    std::int16_t Code;
    QPrinter::PaperSource Source;
};
inline constexpr std::array<TBinSource, 13> BinSources = {{
    {1, QPrinter::OnlyOne},
    {2, QPrinter::Lower},
    {3, QPrinter::Middle},
    {4, QPrinter::Manual},
    {5, QPrinter::Envelope},
    {6, QPrinter::EnvelopeManual},
    {7, QPrinter::Auto},
    {8, QPrinter::Tractor},
    {9, QPrinter::SmallFormat},
    {10, QPrinter::LargeFormat},
    {11, QPrinter::LargeCapacity},
    {14, QPrinter::Cassette},
    {15, QPrinter::FormSource},
}};
static_assert(BinSources[6].Code == 7 && BinSources[6].Source == QPrinter::Auto);
static_assert(BinSources[11].Code == 14 && BinSources[11].Source == QPrinter::Cassette);

// Duplex: DMDUP_* of wingdi.h, QPrinter::DuplexMode and the IPP "sides" keyword (RFC 8011,
// 5.2.8). Vertical is long-edge binding, horizontal short-edge.
struct TDuplexCode {
    std::int16_t Code;
    QPrinter::DuplexMode Mode;
    std::string_view Sides;
};
inline constexpr std::array<TDuplexCode, 3> DuplexCodes = {{
    {1, QPrinter::DuplexNone, "one-sided"},
    {2, QPrinter::DuplexLongSide, "two-sided-long-edge"},
    {3, QPrinter::DuplexShortSide, "two-sided-short-edge"},
}};
static_assert(DuplexCodes[2].Code == 3 && DuplexCodes[2].Mode == QPrinter::DuplexShortSide);

// Colour: DMCOLOR_* of wingdi.h and QPrinter::ColorMode.
struct TColorCode {
    std::int16_t Code;
    QPrinter::ColorMode Mode;
};
inline constexpr std::array<TColorCode, 2> ColorCodes = {{
    {1, QPrinter::GrayScale},
    {2, QPrinter::Color},
}};
static_assert(ColorCodes[1].Code == 2 && ColorCodes[1].Mode == QPrinter::Color);
