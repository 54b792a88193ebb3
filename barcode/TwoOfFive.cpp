#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <string_view>

namespace {

// Two-of-five digit table (the common table of interleaved, industrial and matrix 2 of 5):
// five elements with the weights 1, 2, 4, 7 and parity; '1' is wide. Zero is 4 + 7.
constexpr std::array<std::string_view, 10> TwoOfFive = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010",
};

constexpr bool TwoOfFiveTableIsSound() {
    constexpr std::array<int, 5> Weights = {1, 2, 4, 7, 0};
    for (std::size_t Digit = 0; Digit < TwoOfFive.size(); ++Digit) {
        const std::string_view Flags = TwoOfFive[Digit];
        int Wide = 0;
        int Value = 0;
        if (Flags.size() != 5)
            return false;
        for (std::size_t I = 0; I < 5; ++I)
            if (Flags[I] == '1') {
                ++Wide;
                Value += Weights[I];
            }
        if (Wide != 2 || Value != (Digit == 0 ? 11 : static_cast<int>(Digit)))
            return false;
    }
    return true;
}
static_assert(TwoOfFiveTableIsSound(), "every digit has two wide elements weighing its value");

std::string_view FlagsOf(char Digit) {
    return TwoOfFive[Encoders::DigitValue(Digit)];
}

char Bar(char Flag) {
    return Flag == '1' ? '6' : '5';
}
char Space(char Flag) {
    return Flag == '1' ? '1' : '0';
}

// Interleaved two-of-five, pair by pair: the ten elements of each pair of digits, the first
// digit's flags as bars and the second's as spaces, so a pair costs one append.
constexpr auto InterleavedPairs = [] {
    std::array<std::array<char, 10>, 100> Pairs{};
    for (std::size_t First = 0; First < 10; ++First)
        for (std::size_t Second = 0; Second < 10; ++Second)
            for (std::size_t K = 0; K < 5; ++K) {
                Pairs[10 * First + Second][2 * K] = TwoOfFive[First][K] == '1' ? '6' : '5';
                Pairs[10 * First + Second][2 * K + 1] = TwoOfFive[Second][K] == '1' ? '1' : '0';
            }
    return Pairs;
}();
static_assert(std::string_view(InterleavedPairs[12].data(), 10) == "6051505061");

} // namespace

std::string EncodeInterleaved2of5(TBarcodeEngine& E) {
    // Digits are paired, so an odd count gets the leading zero the symbology prescribes; Text
    // shows it, which keeps a second encoding identical.
    if (E.Text().size() % 2 != 0)
        E.SetText("0" + E.Text());
    const std::string& Text = E.Text();
    std::string Pattern;
    Pattern.reserve(4 + 5 * Text.size() + 3);
    Pattern = "5050";
    for (std::size_t I = 0; I + 1 < Text.size(); I += 2) {
        const auto& Pair = InterleavedPairs[static_cast<std::size_t>(
            10 * Encoders::DigitValue(Text[I]) + Encoders::DigitValue(Text[I + 1]))];
        Pattern.append(Pair.data(), Pair.size());
    }
    Pattern += "605";
    return Pattern;
}

std::string EncodeIndustrial2of5(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    std::string Pattern;
    Pattern.reserve(6 + 10 * Text.size() + 6);
    Pattern = "606050";
    for (const char Digit : Text)
        for (const char Flag : FlagsOf(Digit)) {
            Pattern += Bar(Flag);
            Pattern += '0';
        }
    Pattern += "605060";
    return Pattern;
}

std::string EncodeMatrix2of5(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    std::string Pattern;
    Pattern.reserve(6 + 6 * Text.size() + 5);
    Pattern = "705050";
    for (const char Digit : Text) {
        const std::string_view Flags = FlagsOf(Digit);
        Pattern += Bar(Flags[0]);
        Pattern += Space(Flags[1]);
        Pattern += Bar(Flags[2]);
        Pattern += Space(Flags[3]);
        Pattern += Bar(Flags[4]);
        Pattern += '0';
    }
    Pattern += "70505";
    return Pattern;
}
