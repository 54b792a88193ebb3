#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The component stream of document files and the clipboard: a "TPF0" signature, component
// records, property records and tagged values. Multi-byte numbers are little-endian.

inline constexpr std::array<char, 4> StreamSignature = {'T', 'P', 'F', '0'};

// Value tags, in the order of their byte values.
enum class TValueType : std::uint8_t {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String
};
inline constexpr std::uint8_t ValueTypeCount = 0x15;

// Prefix byte of a component record: F0 or-ed with these flags.
inline constexpr std::uint8_t PrefixMark = 0xF0;
inline constexpr std::uint8_t ffInherited = 1;
inline constexpr std::uint8_t ffChildPos = 2;
inline constexpr std::uint8_t ffInline = 4;

// Stored names of the two classes documents hold.
inline constexpr std::string_view PageStreamName = "TQuickRep";
inline constexpr std::string_view BarcodeStreamName = "TQRepBarcode";

// The 80-bit extended float as ten bytes: 64-bit significand with explicit leading bit, then
// 15-bit exponent biased by 16383 and the sign bit. Done by arithmetic, so it does not depend on
// the host's long double layout; values the host cannot hold become infinities or zero.
using TExtendedBytes = std::array<std::uint8_t, 10>;
TExtendedBytes EncodeExtended(long double Value);
// NaN for the encodings an x87 unit refuses (unnormals, pseudo-infinities).
long double DecodeExtended(const TExtendedBytes& Bytes);

// A wide string's UTF-16LE code units as text.
QString DecodeWideString(std::string_view Units);

// A name of an integer value, for the types that print their values by name.
struct TIdentEntry {
    std::string_view Name;
    std::int32_t Value;
};
using TIdentTable = std::span<const TIdentEntry>;

// The name of Value, the first listed when several share it; empty when it has none.
std::string_view IdentToName(TIdentTable Table, std::int32_t Value);
// Compared without regard to case.
std::optional<std::int32_t> NameToIdent(TIdentTable Table, std::string_view Name);

// Colour names; system colours are FF000000 plus the system colour index.
inline constexpr std::int32_t SysColor(std::int32_t Index) {
    return static_cast<std::int32_t>(0xFF000000u | static_cast<std::uint32_t>(Index));
}
inline constexpr std::array<TIdentEntry, 52> ColorIdents = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", SysColor(0)},
    {"clBackground", SysColor(1)},
    {"clActiveCaption", SysColor(2)},
    {"clInactiveCaption", SysColor(3)},
    {"clMenu", SysColor(4)},
    {"clWindow", SysColor(5)},
    {"clWindowFrame", SysColor(6)},
    {"clMenuText", SysColor(7)},
    {"clWindowText", SysColor(8)},
    {"clCaptionText", SysColor(9)},
    {"clActiveBorder", SysColor(10)},
    {"clInactiveBorder", SysColor(11)},
    {"clAppWorkSpace", SysColor(12)},
    {"clHighlight", SysColor(13)},
    {"clHighlightText", SysColor(14)},
    {"clBtnFace", SysColor(15)},
    {"clBtnShadow", SysColor(16)},
    {"clGrayText", SysColor(17)},
    {"clBtnText", SysColor(18)},
    {"clInactiveCaptionText", SysColor(19)},
    {"clBtnHighlight", SysColor(20)},
    {"cl3DDkShadow", SysColor(21)},
    {"cl3DLight", SysColor(22)},
    {"clInfoText", SysColor(23)},
    {"clInfoBk", SysColor(24)},
    {"clHotLight", SysColor(26)},
    {"clGradientActiveCaption", SysColor(27)},
    {"clGradientInactiveCaption", SysColor(28)},
    {"clMenuHighlight", SysColor(29)},
    {"clMenuBar", SysColor(30)},
}};

// Font character sets (the platform's *_CHARSET constants).
inline constexpr std::array<TIdentEntry, 18> CharsetIdents = {{
    {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1},
    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},
    {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},
    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162},
    {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178},
    {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
}};

// Cursor names; crSizeAll and crSize share a value and crSizeAll is written.
inline constexpr std::array<TIdentEntry, 22> CursorIdents = {{
    {"crDefault", 0},   {"crArrow", -2},      {"crCross", -3},      {"crIBeam", -4},
    {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},   {"crSizeWE", -9},
    {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},      {"crNoDrop", -13},
    {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16}, {"crSQLWait", -17},
    {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},      {"crHandPoint", -21},
    {"crSizeAll", -22}, {"crSize", -22},
}};

// ASCII comparison without regard to case, as names in streams are compared.
bool SameName(std::string_view A, std::string_view B);

// The position of Name among Names, compared without regard to case.
std::optional<std::size_t> FindName(std::span<const std::string_view> Names, std::string_view Name);
