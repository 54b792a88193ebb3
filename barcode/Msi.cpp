#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <string_view>

namespace {

// MSI (modified Plessey) digit table: the four bits of the digit, most significant first; a 0 bit
// is a narrow bar and a wide space, a 1 bit a wide bar and a narrow space.
constexpr std::array<std::string_view, 10> MsiTable = {
    "51515151", "51515160", "51516051", "51516060", "51605151",
    "51605160", "51606051", "51606060", "60515151", "60515160",
};

constexpr bool MsiTableIsSound() {
    for (std::size_t Digit = 0; Digit < MsiTable.size(); ++Digit) {
        const std::string_view P = MsiTable[Digit];
        if (P.size() != 8)
            return false;
        for (std::size_t Bit = 0; Bit < 4; ++Bit) {
            const bool Set = (Digit >> (3 - Bit)) & 1U;
            if (P.substr(2 * Bit, 2) != (Set ? "60" : "51"))
                return false;
        }
    }
    return true;
}
static_assert(MsiTableIsSound(), "each row spells its digit's bits");

} // namespace

std::string EncodeMSI(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    std::string Pattern;
    Pattern.reserve(2 + 8 * (Text.size() + 1) + 3);
    Pattern = "60";
    // Modulo 10 over the digits, those at odd places from the right doubled (Luhn).
    int Sum = 0;
    bool Doubled = Text.size() % 2 != 0;
    for (const char Ch : Text) {
        const int Digit = Encoders::DigitValue(Ch);
        Pattern += MsiTable[static_cast<std::size_t>(Digit)];
        Sum += Doubled ? TBarcodeEngine::DigitSum(2 * Digit) : Digit;
        Doubled = !Doubled;
    }
    const int R = Sum % 10;
    Pattern += MsiTable[static_cast<std::size_t>(R == 0 ? 0 : 10 - R)];
    Pattern += "515";
    return Pattern;
}
