#pragma once

#include "common/Messages.h"
#include "common/TException.h"

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

// Turns the module counts from position From onwards into pattern characters, in place; the
// character at From is a bar. Lets an encoder build its counts in the string it returns.
void WidthsToPatternInPlace(std::string& S, std::size_t From = 0);

// A character for a message: itself when printable, "#<code>" for a control character.
std::string CharForMessage(char Ch);

} // namespace Encoders
