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

// The modulo-10 check digit (weights 3, 1, 3, ... from the right) as a character.
char Modulo10Digit(std::string_view S);

// A symbol's module counts ("1".."4", bar first) as pattern characters, for tables built at
// compile time; the tables assert their counts.
template <std::size_t N> constexpr std::array<char, N> CountsToPattern(std::string_view Counts) {
    std::array<char, N> Pattern{};
    for (std::size_t I = 0; I < N; ++I)
        Pattern[I] = static_cast<char>(I % 2 == 0 ? Counts[I] + 4 : Counts[I] - 1);
    return Pattern;
}

// A character for a message: itself when printable, "#<code>" for a control character.
std::string CharForMessage(char Ch);

} // namespace Encoders
