#include "common/Text1252.h"

#include <array>

namespace {

// Windows-1252 code points 0x80 to 0x9F; 0 marks the five codes the code page leaves undefined,
// which map to the C1 control of the same value.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
static_assert(High.size() == 0xA0 - 0x80);

char16_t Decode(unsigned char Byte) {
    if (Byte >= 0x80 && Byte < 0xA0 && High[Byte - 0x80] != 0)
        return High[Byte - 0x80];
    return Byte;
}

} // namespace

QString FromCp1252(const std::string& Bytes) {
    QString Result;
    Result.reserve(static_cast<qsizetype>(Bytes.size()));
    for (const char C : Bytes)
        Result.append(QChar(Decode(static_cast<unsigned char>(C))));
    return Result;
}

std::string ToCp1252(const QString& Text) {
    std::string Result;
    Result.reserve(static_cast<std::size_t>(Text.size()));
    for (const QChar C : Text) {
        const char16_t U = C.unicode();
        char Byte = '?';
        if (U < 0x80 || (U >= 0xA0 && U <= 0xFF)) {
            Byte = static_cast<char>(U);
        } else {
            for (std::size_t I = 0; I < High.size(); ++I) {
                if (High[I] == U || (High[I] == 0 && U == 0x80 + I)) {
                    Byte = static_cast<char>(0x80 + I);
                    break;
                }
            }
        }
        Result += Byte;
    }
    return Result;
}
