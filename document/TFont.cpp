#include "document/TFont.h"

#include <cmath>
#include <cstdlib>

namespace {

// A * B / C rounded half away from zero, as the platform's font sizes convert.
std::int32_t MulDiv(std::int32_t A, std::int32_t B, std::int32_t C) {
    if (C == 0)
        return -1;
    return static_cast<std::int32_t>(
        std::lround(static_cast<double>(static_cast<std::int64_t>(A) * B) / C));
}

} // namespace

std::int32_t TFont::Size(std::int32_t PixelsPerInch) const {
    return -MulDiv(Height, 72, PixelsPerInch);
}

void TFont::SetSize(std::int32_t Points, std::int32_t PixelsPerInch) {
    Height = -MulDiv(Points, PixelsPerInch, 72);
}

QFont TFont::ToQFont() const {
    QFont Result(Name);
    // A positive height is the cell height; a negative one the character height. Qt's pixel
    // size is the character height, so both map onto it.
    const std::int32_t Pixels = std::abs(Height);
    if (Pixels > 0)
        Result.setPixelSize(Pixels);
    else
        Result.setPointSize(8);
    Result.setBold(Style.Contains(fsBold));
    Result.setItalic(Style.Contains(fsItalic));
    Result.setUnderline(Style.Contains(fsUnderline));
    Result.setStrikeOut(Style.Contains(fsStrikeOut));
    if (Pitch == fpFixed)
        Result.setFixedPitch(true);
    return Result;
}
