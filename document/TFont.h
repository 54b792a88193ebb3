#pragma once

#include "document/TColors.h"
#include "document/TSet.h"

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
inline constexpr std::array<std::string_view, 4> FontStyleNames = {"fsBold", "fsItalic",
                                                                   "fsUnderline", "fsStrikeOut"};

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
inline constexpr std::array<std::string_view, 3> FontPitchNames = {"fpDefault", "fpVariable",
                                                                   "fpFixed"};

using TFontCharset = std::uint8_t;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;

// A control's font as documents store it: the size is carried by the pixel Height, negative for
// a character height.
struct TFont {
    QString Name;
    std::int32_t Height = 0;
    TFontCharset Charset = DEFAULT_CHARSET;
    TColor Color = clWindowText;
    TFontStyles Style;
    TFontPitch Pitch = fpDefault;

    // Points at the given resolution, rounded half away from zero: 10 points at 96 pixels per
    // inch is Height -13.
    std::int32_t Size(std::int32_t PixelsPerInch) const;
    void SetSize(std::int32_t Points, std::int32_t PixelsPerInch);

    // The font for drawing on the screen the Height was measured on.
    QFont ToQFont() const;

    bool operator==(const TFont&) const = default;
};
