#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <string_view>

namespace {

// USPS POSTNET digit table: five bars weighing 7, 4, 2, 1 and 0, two of them tall ("5"), the
// others short ("A"), each followed by a space. Zero is 7 + 4.
constexpr std::array<std::string_view, 10> PostNetTable = {
    "5151A1A1A1", "A1A1A15151", "A1A151A151", "A1A15151A1", "A151A1A151",
    "A151A151A1", "A15151A1A1", "51A1A1A151", "51A1A151A1", "51A151A1A1",
};

constexpr bool PostNetTableIsSound() {
    constexpr std::array<int, 5> Weights = {7, 4, 2, 1, 0};
    for (std::size_t Digit = 0; Digit < PostNetTable.size(); ++Digit) {
        const std::string_view P = PostNetTable[Digit];
        int Tall = 0;
        int Value = 0;
        if (P.size() != 10)
            return false;
        for (std::size_t I = 0; I < 5; ++I) {
            if (P[2 * I + 1] != '1' || (P[2 * I] != '5' && P[2 * I] != 'A'))
                return false;
            if (P[2 * I] == '5') {
                ++Tall;
                Value += Weights[I];
            }
        }
        if (Tall != 2 || Value != (Digit == 0 ? 11 : static_cast<int>(Digit)))
            return false;
    }
    return true;
}
static_assert(PostNetTableIsSound(), "two tall bars per digit, weighing its value");

} // namespace

std::string EncodePostNet(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    std::string Pattern;
    Pattern.reserve(2 + 10 * Text.size() + 1);
    Pattern = "51";
    for (const char Ch : Text)
        Pattern += PostNetTable[static_cast<std::size_t>(Encoders::DigitValue(Ch))];
    Pattern += '5';
    return Pattern;
}
