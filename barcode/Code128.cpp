#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace {

// ISO/IEC 15417 Code 128 symbol table: module counts (bar, space, bar, space, bar, space) of the
// values 0 to 105. 102 is FNC1; 103, 104 and 105 are Start A, B and C.
constexpr std::array<std::string_view, 106> Code128Table = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", // 0-7
    "132212", "221213", "221312", "231212", "112232", "122132", "122231", "113222", // 8-15
    "123122", "123221", "223211", "221132", "221231", "213212", "223112", "312131", // 16-23
    "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", // 24-31
    "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313", // 32-39
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", // 40-47
    "313121", "211331", "231131", "213113", "213311", "213131", "311123", "311321", // 48-55
    "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", // 56-63
    "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114", // 64-71
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", // 72-79
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", // 80-87
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", // 88-95
    "114311", "411113", "411311", "113141", "114131", "311141", "411131", "211412", // 96-103
    "211214", "211232",                                                             // 104-105
};
constexpr std::string_view Code128Stop = "2331112"; // stop symbol with its termination bar
constexpr int Fnc1 = 102;
constexpr int StartA = 103;
constexpr int StartB = 104;
constexpr int StartC = 105;

constexpr int Modules(std::string_view Counts) {
    int Sum = 0;
    for (const char Ch : Counts)
        Sum += Ch - '0';
    return Sum;
}

// Every symbol is 11 modules of one to four, with an even number of bar modules, and unique.
constexpr bool Code128TableIsSound() {
    for (std::size_t Value = 0; Value < Code128Table.size(); ++Value) {
        const std::string_view S = Code128Table[Value];
        if (S.size() != 6 || Modules(S) != 11 || (S[0] + S[2] + S[4] - 3 * '0') % 2 != 0)
            return false;
        for (const char Ch : S)
            if (Ch < '1' || Ch > '4')
                return false;
        for (std::size_t Other = 0; Other < Value; ++Other)
            if (Code128Table[Other] == S)
                return false;
    }
    return Modules(Code128Stop) == 13;
}
static_assert(Code128TableIsSound(), "Code 128 symbols are 11 distinct modules, bars even");

enum class TCodeSet { A, B, C };

// Sets A and B: the value of a character, the space's 0 for a character the set lacks.
int ValueInSet(TCodeSet Set, char Ch) {
    const auto Code = static_cast<unsigned char>(Ch);
    const unsigned char Last = Set == TCodeSet::A ? 95 : 126; // "_" and "~"
    return Code >= 32 && Code <= Last ? Code - 32 : 0;
}

// Set C: the value of a pair of digits; anything else counts as "00".
int ValueOfPair(char High, char Low) {
    if (High < '0' || High > '9' || Low < '0' || Low > '9')
        return 0;
    return 10 * (High - '0') + (Low - '0');
}

} // namespace

std::string EncodeCode128(TBarcodeEngine& E) {
    const TBarcodeType Typ = E.Typ();
    const TCodeSet Set = (Typ == bcCode128A || Typ == bcCodeEAN128A)   ? TCodeSet::A
                         : (Typ == bcCode128B || Typ == bcCodeEAN128B) ? TCodeSet::B
                                                                       : TCodeSet::C;
    const bool Ean = Typ == bcCodeEAN128A || Typ == bcCodeEAN128B || Typ == bcCodeEAN128C;

    // The data is Text and, for EAN-128 with a check digit, that digit; Text itself never shows it.
    char CheckDigit = '\0';
    if (Ean && E.Checksum() && E.CheckSumMethod() == csmModulo10)
        CheckDigit = Encoders::Modulo10Digit(E.Text());
    const std::size_t Extra = CheckDigit != '\0' ? 1 : 0;
    // A leading zero leaves the check digit as it was, so a second encoding changes nothing.
    if (Set == TCodeSet::C && (E.Text().size() + Extra) % 2 != 0)
        E.SetText("0" + E.Text());
    const std::string& Text = E.Text();
    const std::size_t Length = Text.size() + Extra;
    const auto DataAt = [&](std::size_t I) { return I < Text.size() ? Text[I] : CheckDigit; };

    const std::size_t Symbols = 1 + (Ean ? 1 : 0) + (Set == TCodeSet::C ? Length / 2 : Length) + 1;
    std::string Pattern;
    Pattern.reserve(6 * Symbols + Code128Stop.size());
    std::uint64_t Sum = 0;
    std::uint64_t Weight = 0;
    const auto Append = [&](int Value) {
        Pattern += Code128Table[static_cast<std::size_t>(Value)];
        Sum = (Sum + static_cast<std::uint64_t>(Value) * (Weight == 0 ? 1 : Weight)) % 103;
        ++Weight;
    };
    Append(Set == TCodeSet::A ? StartA : Set == TCodeSet::B ? StartB : StartC);
    if (Ean)
        Append(Fnc1);
    if (Set == TCodeSet::C)
        for (std::size_t I = 0; I + 1 < Length; I += 2)
            Append(ValueOfPair(DataAt(I), DataAt(I + 1)));
    else
        for (std::size_t I = 0; I < Length; ++I)
            Append(ValueInSet(Set, DataAt(I)));
    Pattern += Code128Table[static_cast<std::size_t>(Sum)];
    Pattern += Code128Stop;
    Encoders::WidthsToPatternInPlace(Pattern);
    return Pattern;
}
