#pragma once

#include "common/Messages.h"
#include "common/TException.h"

#include <array>
#include <string>
#include <string_view>

// Internals shared by the encoder files; not part of the engine's interface.
namespace Encoders {

// The value of a decimal digit; the numeric symbologies are trimmed and checked by EncodePattern,
// so this only guards an encoder called on unchecked text.
inline int DigitValue(char Ch) {
    if (Ch < '0' || Ch > '9')
        Raise(Msg::BarcodeMustBeNumeric);
    return Ch - '0';
}

// The digits of S weighted from the right, the last by Last and then alternately by Other and
// Last; the first character that is no digit is refused.
int WeightedDigitSum(std::string_view S, int Last, int Other);

// The modulo-10 check digit (weights 3, 1, 3, ... from the right) as a character.
char Modulo10Digit(std::string_view S);

// One element's width ("1".."4") as a pattern character: a bar "5".."8", a space "0".."3".
constexpr char WidthToPattern(char Width, bool Bar) {
    return static_cast<char>(Bar ? Width + 4 : Width - 1);
}

// A symbol's element widths, bar first, as pattern characters, for tables built at compile time;
// the tables assert their widths.
template <std::size_t N> constexpr std::array<char, N> WidthsToPattern(std::string_view Widths) {
    std::array<char, N> Pattern{};
    for (std::size_t I = 0; I < N; ++I)
        Pattern[I] = WidthToPattern(Widths[I], I % 2 == 0);
    return Pattern;
}

// The modules a symbol's element widths take.
constexpr int Modules(std::string_view Widths) {
    int Sum = 0;
    for (const char Ch : Widths)
        Sum += Ch - '0';
    return Sum;
}

// The row of each byte in a table of characters (rows with a Ch), -1 for a byte it lacks.
template <typename TTable> constexpr std::array<signed char, 256> RowsOfChars(const TTable& Table) {
    std::array<signed char, 256> Rows{};
    Rows.fill(-1);
    for (std::size_t Row = 0; Row < Table.size(); ++Row)
        Rows[static_cast<unsigned char>(Table[Row].Ch)] = static_cast<signed char>(Row);
    return Rows;
}

// A character for a message: itself when printable, "#<code>" for a control character.
std::string CharForMessage(char Ch);

} // namespace Encoders
