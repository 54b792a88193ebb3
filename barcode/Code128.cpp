#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <cstdint>
#include <cstring>
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

using Encoders::Modules;

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

constexpr auto Code128Patterns = [] {
    std::array<std::array<char, 6>, Code128Table.size()> Patterns{};
    for (std::size_t Value = 0; Value < Code128Table.size(); ++Value)
        Patterns[Value] = Encoders::WidthsToPattern<6>(Code128Table[Value]);
    return Patterns;
}();
constexpr auto Code128StopPattern = Encoders::WidthsToPattern<7>(Code128Stop);
static_assert(Code128Patterns[0][0] == '6' && Code128Patterns[0][1] == '0');

// Value of each byte in code sets A and B; a character the set lacks takes the space's 0.
constexpr std::array<std::uint8_t, 256> ValuesInSet(unsigned Last) {
    std::array<std::uint8_t, 256> Values{};
    for (unsigned Code = 32; Code <= Last; ++Code)
        Values[Code] = static_cast<std::uint8_t>(Code - 32);
    return Values;
}
constexpr auto SetAValues = ValuesInSet(95);  // space to "_"
constexpr auto SetBValues = ValuesInSet(126); // space to "~"

// Set C: the value of a pair of digits; anything else counts as "00".
int ValueOfPair(char High, char Low) {
    if (High < '0' || High > '9' || Low < '0' || Low > '9')
        return 0;
    return 10 * (High - '0') + (Low - '0');
}

// Writes symbols into a pattern sized beforehand and keeps the weighted check sum.
class TCode128Writer {
public:
    TCode128Writer(std::string& Pattern, std::size_t Symbols, int Start)
        : FPattern(Pattern), FSum(static_cast<std::uint64_t>(Start)) {
        FPattern.assign(6 * (Symbols + 1) + Code128StopPattern.size(), '\0');
        FOut = FPattern.data();
        Write(Start);
    }
    void Put(int Value) {
        Write(Value);
        FSum += static_cast<std::uint64_t>(Value) * FWeight;
        if (++FWeight == 103) // weights only matter modulo 103
            FWeight = 0;
    }
    void Finish() {
        Write(static_cast<int>(FSum % 103));
        std::memcpy(FOut, Code128StopPattern.data(), Code128StopPattern.size());
    }

private:
    void Write(int Value) {
        std::memcpy(FOut, Code128Patterns[static_cast<std::size_t>(Value)].data(), 6);
        FOut += 6;
    }
    std::string& FPattern;
    char* FOut = nullptr;
    std::uint64_t FSum;
    std::uint64_t FWeight = 1;
};

} // namespace

std::string EncodeCode128(TBarcodeEngine& E) {
    const TBarcodeType Typ = E.Typ();
    const bool SetA = Typ == bcCode128A || Typ == bcCodeEAN128A;
    const bool SetB = Typ == bcCode128B || Typ == bcCodeEAN128B;
    const bool SetC = !SetA && !SetB;
    const bool Ean = Typ == bcCodeEAN128A || Typ == bcCodeEAN128B || Typ == bcCodeEAN128C;

    // The data is Text and, for EAN-128 with a check digit, that digit; Text itself never shows it.
    char CheckDigit = '\0';
    if (Ean && E.Checksum() && E.CheckSumMethod() == csmModulo10)
        CheckDigit = Encoders::Modulo10Digit(E.Text());
    const std::size_t Extra = CheckDigit != '\0' ? 1 : 0;
    // A leading zero leaves the check digit as it was, so a second encoding changes nothing.
    if (SetC && (E.Text().size() + Extra) % 2 != 0)
        E.SetText("0" + E.Text());
    const std::string& Text = E.Text();
    const std::size_t Length = Text.size() + Extra;

    std::string Pattern;
    const std::size_t DataSymbols = SetC ? Length / 2 : Length;
    TCode128Writer Writer(Pattern, 1 + (Ean ? 1 : 0) + DataSymbols,
                          SetA   ? StartA
                          : SetB ? StartB
                                 : StartC);
    if (Ean)
        Writer.Put(Fnc1);
    if (SetC) {
        std::size_t I = 0;
        for (; I + 1 < Text.size(); I += 2)
            Writer.Put(ValueOfPair(Text[I], Text[I + 1]));
        if (Extra != 0) // Text has odd length here, so the check digit completes the last pair
            Writer.Put(ValueOfPair(Text[I], CheckDigit));
    } else {
        const auto& Values = SetA ? SetAValues : SetBValues;
        for (const char Ch : Text)
            Writer.Put(Values[static_cast<unsigned char>(Ch)]);
        if (Extra != 0)
            Writer.Put(Values[static_cast<unsigned char>(CheckDigit)]);
    }
    Writer.Finish();
    return Pattern;
}
