#include "barcode/EanUpc.h"
#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <string_view>

namespace {

// GS1 General Specifications, EAN/UPC symbol character encodation (ISO/IEC 15420): the seven
// modules of each digit in number set A (the L set, odd parity), set B (the G set, even parity)
// and set C (the R set); '1' is a dark module.
constexpr std::array<std::string_view, 10> SetAModules = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};
constexpr std::array<std::string_view, 10> SetBModules = {
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111",
};
constexpr std::array<std::string_view, 10> SetCModules = {
    "1110010", "1100110", "1101100", "1000010", "1011100",
    "1001110", "1010000", "1000100", "1001000", "1110100",
};

constexpr int DarkModules(std::string_view M) {
    int N = 0;
    for (const char Ch : M)
        N += Ch == '1';
    return N;
}

constexpr int Runs(std::string_view M) {
    int N = 1;
    for (std::size_t I = 1; I < M.size(); ++I)
        N += M[I] != M[I - 1];
    return N;
}

// Set C is set A inverted, set B is set C read backwards; every digit is two bars and two
// spaces in seven modules, set A starting with a space and odd, set B even.
constexpr bool DigitTablesAreSound() {
    for (std::size_t D = 0; D < 10; ++D) {
        const std::string_view A = SetAModules[D];
        const std::string_view B = SetBModules[D];
        const std::string_view C = SetCModules[D];
        if (A.size() != 7 || B.size() != 7 || C.size() != 7)
            return false;
        for (std::size_t I = 0; I < 7; ++I)
            if (C[I] == A[I] || B[I] != C[6 - I])
                return false;
        if (A[0] != '0' || Runs(A) != 4 || Runs(B) != 4 || Runs(C) != 4)
            return false;
        if (DarkModules(A) % 2 != 1 || DarkModules(B) % 2 != 0)
            return false;
        for (std::size_t E = 0; E < D; ++E)
            if (SetAModules[E] == A || SetBModules[E] == B)
                return false;
    }
    return true;
}
static_assert(DigitTablesAreSound(), "EAN/UPC number sets A, B and C");

using TDigitPattern = std::array<char, 4>;
using TDigitTable = std::array<TDigitPattern, 10>;

// One pattern character per run: n spaces become '0' + n - 1, n bars '5' + n - 1.
constexpr TDigitTable ToPatterns(const std::array<std::string_view, 10>& Modules) {
    TDigitTable Table{};
    for (std::size_t D = 0; D < 10; ++D) {
        const std::string_view M = Modules[D];
        std::size_t Run = 0;
        int Length = 1;
        for (std::size_t I = 1; I <= M.size(); ++I) {
            if (I < M.size() && M[I] == M[I - 1]) {
                ++Length;
                continue;
            }
            Table[D][Run++] = static_cast<char>((M[I - 1] == '1' ? '5' : '0') + Length - 1);
            Length = 1;
        }
    }
    return Table;
}

constexpr TDigitTable SetA = ToPatterns(SetAModules);
constexpr TDigitTable SetB = ToPatterns(SetBModules);
constexpr TDigitTable SetC = ToPatterns(SetCModules);
static_assert(std::string_view(SetA[0].data(), 4) == "2605" &&
              std::string_view(SetB[0].data(), 4) == "0517" &&
              std::string_view(SetC[0].data(), 4) == "7150");
static_assert(std::string_view(SetA[9].data(), 4) == "2506" &&
              std::string_view(SetB[9].data(), 4) == "1507" &&
              std::string_view(SetC[9].data(), 4) == "7051");

// EAN-13: the number sets of the six left-hand digits by the leading digit (GS1 table of
// number set combinations; A = set A, B = set B).
constexpr std::array<std::string_view, 10> EAN13Parity = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};
// UPC-E, number system 0: the parity of the six digits by the check digit (GS1 UPC-E table;
// E = even, set B; o = odd, set A). Number system 1 exchanges E and o.
constexpr std::array<std::string_view, 10> UPCEParity = {
    "EEEooo", "EEoEoo", "EEooEo", "EEoooE", "EoEEoo",
    "EooEEo", "EoooEE", "EoEoEo", "EoEooE", "EooEoE",
};
// Five-digit add-on: the parity of the five digits by the add-on check digit (GS1 add-on table).
constexpr std::array<std::string_view, 10> AddOn5Parity = {
    "EEooo", "EoEoo", "EooEo", "EoooE", "oEEoo", "ooEEo", "oooEE", "oEoEo", "oEooE", "ooEoE",
};
// Two-digit add-on: by the value of the two digits modulo 4.
constexpr std::array<std::string_view, 4> AddOn2Parity = {"oo", "oE", "Eo", "EE"};

template <std::size_t N>
constexpr bool ParityRowsAreSound(const std::array<std::string_view, N>& Rows, std::size_t Length,
                                  char Letter, int Count) {
    for (std::size_t R = 0; R < N; ++R) {
        int Found = 0;
        if (Rows[R].size() != Length)
            return false;
        for (const char Ch : Rows[R])
            Found += Ch == Letter;
        if (Count >= 0 && Found != Count)
            return false;
        for (std::size_t S = 0; S < R; ++S)
            if (Rows[S] == Rows[R])
                return false;
    }
    return true;
}
static_assert(ParityRowsAreSound(UPCEParity, 6, 'E', 3), "three even digits in every UPC-E row");
static_assert(ParityRowsAreSound(AddOn2Parity, 2, 'E', -1));
static_assert(ParityRowsAreSound(EAN13Parity, 6, 'A', -1) && [] {
    for (std::size_t D = 1; D < 10; ++D)
        if (EAN13Parity[D][0] != 'A' || EAN13Parity[D].find('B') == std::string_view::npos)
            return false;
    return EAN13Parity[0] == "AAAAAA";
}());
// The add-on rows are the UPC-E rows without their first column.
static_assert([] {
    for (std::size_t D = 0; D < 10; ++D)
        if (AddOn5Parity[D] != UPCEParity[D].substr(1))
            return false;
    return true;
}());

constexpr std::string_view NormalGuard = "505";
constexpr std::string_view CentreGuard = "05050";
constexpr std::string_view UPCEEndGuard = "050505";
constexpr std::string_view AddOnStart = "506";
constexpr std::string_view AddOnSeparator = "05";

void AppendDigit(std::string& Pattern, const TDigitTable& Set, char Digit) {
    const TDigitPattern& P = Set[static_cast<std::size_t>(Encoders::DigitValue(Digit))];
    Pattern.append(P.data(), P.size());
}

// Guard, the left half in the sets LeftSets names ('A' or 'B' per digit), centre guard, the right
// half in set C, guard: the layout EAN-8, EAN-13 and UPC-A share.
std::string TwoHalves(std::string_view Digits, std::string_view LeftSets) {
    const std::size_t Half = LeftSets.size();
    std::string Pattern;
    Pattern.reserve(2 * NormalGuard.size() + CentreGuard.size() + 2 * Half * 4);
    Pattern = NormalGuard;
    for (std::size_t I = 0; I < Half; ++I)
        AppendDigit(Pattern, LeftSets[I] == 'A' ? SetA : SetB, Digits[I]);
    Pattern += CentreGuard;
    for (std::size_t I = Half; I < 2 * Half; ++I)
        AppendDigit(Pattern, SetC, Digits[I]);
    Pattern += NormalGuard;
    return Pattern;
}

// The check digit of a UPC-E symbol is that of the UPC-A number it stands for, expanded by the
// standard's zero-suppression rule chosen by the last of the six digits.
char UPCECheckDigit(char NumberSystem, std::string_view Six) {
    std::array<char, 11> A{};
    A.fill('0');
    A[0] = NumberSystem;
    A[1] = Six[0];
    A[2] = Six[1];
    const char Last = Six[5];
    if (Last <= '2') { // manufacturer d1 d2 L 0 0, item 0 0 d3 d4 d5
        A[3] = Last;
        A[8] = Six[2];
        A[9] = Six[3];
        A[10] = Six[4];
    } else if (Last == '3') { // manufacturer d1 d2 d3 0 0, item 0 0 0 d4 d5
        A[3] = Six[2];
        A[9] = Six[3];
        A[10] = Six[4];
    } else if (Last == '4') { // manufacturer d1 d2 d3 d4 0, item 0 0 0 0 d5
        A[3] = Six[2];
        A[4] = Six[3];
        A[10] = Six[4];
    } else { // manufacturer d1 d2 d3 d4 d5, item 0 0 0 0 L
        A[3] = Six[2];
        A[4] = Six[3];
        A[5] = Six[4];
        A[10] = Last;
    }
    return Encoders::Modulo10Digit(std::string_view(A.data(), A.size()));
}

std::string EncodeUPCE(TBarcodeEngine& E, bool NumberSystem1) {
    E.SetText(E.PadLeftZeros(7));
    const std::string_view Six = std::string_view(E.Text()).substr(0, 6);
    for (const char Ch : Six)
        Encoders::DigitValue(Ch);
    // The parity always carries the standard check digit, whatever Checksum and the method say:
    // without it no scanner reads the symbol.
    const char Check = UPCECheckDigit(NumberSystem1 ? '1' : '0', Six);
    if (E.Checksum()) {
        std::string Shown(Six);
        Shown += Check;
        E.SetText(std::move(Shown));
    }
    const std::string& Data = E.Text();
    const std::string_view Parity = UPCEParity[static_cast<std::size_t>(Check - '0')];
    std::string Pattern;
    Pattern.reserve(NormalGuard.size() + 6 * 4 + UPCEEndGuard.size());
    Pattern = NormalGuard;
    for (std::size_t I = 0; I < 6; ++I)
        AppendDigit(Pattern, (Parity[I] == 'E') != NumberSystem1 ? SetB : SetA, Data[I]);
    Pattern += UPCEEndGuard;
    return Pattern;
}

} // namespace

std::string EAN8Digits(const TBarcodeEngine& E) {
    std::string Data;
    if (E.Checksum()) {
        const std::string Padded = E.PadLeftZeros(7);
        Data = E.ApplyCheckDigit(std::string_view(Padded).substr(Padded.size() - 7));
    } else {
        Data = E.PadLeftZeros(8);
    }
    if (Data.size() != 8)
        Raise(Msg::InvalidTextLenEAN8);
    return Data;
}

std::string EncodeEAN8(TBarcodeEngine& E) {
    const std::string Data = EAN8Digits(E);
    return TwoHalves(Data, "AAAA");
}

std::string EncodeEAN13(TBarcodeEngine& E) {
    // Thirteen digits are taken as they are, check digit included.
    if (E.Text().size() != 13) {
        E.SetText(E.PadLeftZeros(13));
        if (E.Checksum())
            E.SetText(E.ApplyCheckDigit(std::string_view(E.Text()).substr(1, 12)));
    }
    const std::string& Data = E.Text();
    if (Data.size() != 13)
        Raise(Msg::InvalidTextLenEAN13);
    const std::string_view Parity =
        EAN13Parity[static_cast<std::size_t>(Encoders::DigitValue(Data[0]))];
    // The leading digit has no bars of its own: it lives in the parity of the left half.
    return TwoHalves(std::string_view(Data).substr(1), Parity);
}

std::string EncodeUPCA(TBarcodeEngine& E) {
    E.SetText(E.PadRightZeros(12));
    // Under csmNone no digit is added: the twelve digits of Text are encoded as typed, as EAN-8
    // and EAN-13 take theirs, so the symbol always holds the digits printed under it. Replacing
    // the twelfth by nothing would leave a digit without bars.
    if (E.Checksum() && E.CheckSumMethod() != csmNone)
        E.SetText(E.ApplyCheckDigit(std::string_view(E.Text()).substr(0, 11)));
    const std::string& Data = E.Text();
    // Characters after the twelfth are not encoded.
    return TwoHalves(std::string_view(Data).substr(0, 12), "AAAAAA");
}

std::string EncodeUPCE0(TBarcodeEngine& E) {
    return EncodeUPCE(E, false);
}

std::string EncodeUPCE1(TBarcodeEngine& E) {
    return EncodeUPCE(E, true);
}

std::string EncodeUPCSupp5(TBarcodeEngine& E) {
    E.SetText(E.PadLeftZeros(5));
    std::string Digits(std::string_view(E.Text()).substr(0, 5));
    Digits += '0';
    // The check digit always chooses the parity; Checksum only decides whether it is shown.
    const std::string WithCheck = TBarcodeEngine::AddOnCheckDigit(Digits);
    if (E.Checksum())
        E.SetText(WithCheck);
    const std::string& Data = E.Text();
    const std::string_view Parity = AddOn5Parity[static_cast<std::size_t>(WithCheck[5] - '0')];
    std::string Pattern;
    Pattern.reserve(AddOnStart.size() + 5 * 4 + 4 * AddOnSeparator.size());
    Pattern = AddOnStart;
    for (std::size_t I = 0; I < 5; ++I) {
        if (I > 0)
            Pattern += AddOnSeparator;
        AppendDigit(Pattern, Parity[I] == 'E' ? SetB : SetA, Data[I]);
    }
    return Pattern;
}

std::string EncodeUPCSupp2(TBarcodeEngine& E) {
    E.SetText(E.PadLeftZeros(2));
    const int Value = 10 * Encoders::DigitValue(E.Text()[0]) + Encoders::DigitValue(E.Text()[1]);
    const std::string_view Parity = AddOn2Parity[static_cast<std::size_t>(Value % 4)];
    if (E.Checksum()) {
        std::string Digits(std::string_view(E.Text()).substr(0, 2));
        Digits += '0';
        E.SetText(TBarcodeEngine::AddOnCheckDigit(Digits));
    }
    const std::string& Data = E.Text();
    std::string Pattern;
    Pattern.reserve(AddOnStart.size() + 2 * 4 + AddOnSeparator.size());
    Pattern = AddOnStart;
    AppendDigit(Pattern, Parity[0] == 'E' ? SetB : SetA, Data[0]);
    Pattern += AddOnSeparator;
    AppendDigit(Pattern, Parity[1] == 'E' ? SetB : SetA, Data[1]);
    return Pattern;
}
