#include "barcode/Code39.h"
#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// AIM USS-93 Code 93 character set in value order; "[", "]", "{" and "}" stand for the shift
// characters ($), (%), (/) and (+).
constexpr std::string_view Code93Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%[]{}";

// AIM USS-93 Code 93 symbol table: module counts (bar, space, bar, space, bar, space) of the
// values 0 to 46.
constexpr std::array<std::string_view, 47> Code93Table = {
    "131112", "111213", "111312", "111411", "121113", "121212", // 0 1 2 3 4 5
    "121311", "111114", "131211", "141111", "211113", "211212", // 6 7 8 9 A B
    "211311", "221112", "221211", "231111", "112113", "112212", // C D E F G H
    "112311", "122112", "132111", "111123", "111222", "111321", // I J K L M N
    "121122", "131121", "212112", "212211", "211122", "211221", // O P Q R S T
    "221121", "222111", "112122", "112221", "122121", "123111", // U V W X Y Z
    "121131", "311112", "311211", "321111", "112131", "113121", // - . sp $ / +
    "211131", "121221", "312111", "311121", "122211",           // % [ ] { }
};
constexpr std::string_view Code93Start = "111141";
constexpr std::string_view Code93Stop = "1111411"; // with its termination bar
static_assert(Code93Chars.size() == Code93Table.size());

using Encoders::Modules;

// Every symbol is 9 modules of one to four, unique and unlike the start.
constexpr bool Code93TableIsSound() {
    for (std::size_t Value = 0; Value < Code93Table.size(); ++Value) {
        const std::string_view S = Code93Table[Value];
        if (S.size() != 6 || Modules(S) != 9 || S == Code93Start)
            return false;
        for (const char Ch : S)
            if (Ch < '1' || Ch > '4')
                return false;
        for (std::size_t Other = 0; Other < Value; ++Other)
            if (Code93Table[Other] == S)
                return false;
    }
    return Modules(Code93Start) == 9 && Modules(Code93Stop) == 10;
}
static_assert(Code93TableIsSound(), "Code 93 symbols are 9 distinct modules");

constexpr std::array<signed char, 256> ValueOfChar = [] {
    std::array<signed char, 256> Values{};
    Values.fill(-1);
    for (std::size_t Value = 0; Value < Code93Chars.size(); ++Value)
        Values[static_cast<unsigned char>(Code93Chars[Value])] = static_cast<signed char>(Value);
    return Values;
}();

// Full ASCII: the Code 39 chart with its shift characters $, %, / and + replaced by Code 93's
// own (the AIM USS-93 full ASCII table), as one or two values; -1 marks an unused second one.
constexpr std::array<std::array<signed char, 2>, 128> FullAsciiValues = [] {
    std::array<std::array<signed char, 2>, 128> Values{};
    for (std::size_t Code = 0; Code < Values.size(); ++Code) {
        const std::string_view Entry = Code39FullAscii[Code];
        char First = Entry[0];
        if (Entry.size() == 2)
            First = "[]{}"[std::string_view("$%/+").find(First)];
        Values[Code][0] = ValueOfChar[static_cast<unsigned char>(First)];
        Values[Code][1] =
            Entry.size() == 2 ? ValueOfChar[static_cast<unsigned char>(Entry[1])] : -1;
    }
    return Values;
}();

constexpr bool FullAsciiValuesAreSound() {
    for (const auto& Pair : FullAsciiValues)
        if (Pair[0] < 0)
            return false;
    // Spot checks against the published table: NUL is (%)U, "a" is (+)A, "-" is itself.
    return FullAsciiValues[0][0] == 44 && FullAsciiValues[0][1] == 30 &&
           FullAsciiValues['a'][0] == 46 && FullAsciiValues['a'][1] == 10 &&
           FullAsciiValues['-'][0] == 36 && FullAsciiValues['-'][1] == -1;
}
static_assert(FullAsciiValuesAreSound());

constexpr auto Code93Patterns = [] {
    std::array<std::array<char, 6>, Code93Table.size()> Patterns{};
    for (std::size_t Value = 0; Value < Code93Table.size(); ++Value)
        Patterns[Value] = Encoders::WidthsToPattern<6>(Code93Table[Value]);
    return Patterns;
}();
constexpr auto Code93StartPattern = Encoders::WidthsToPattern<6>(Code93Start);
constexpr auto Code93StopPattern = Encoders::WidthsToPattern<7>(Code93Stop);

// Encodes the values that ForEachValue hands out, in order: start, data, the check characters
// C and K, stop. The check weights count from the right, so the number of values comes first.
template <typename TForEach> std::string EncodeValues(std::size_t Count, TForEach ForEachValue) {
    std::string Pattern(6 * (Count + 3) + Code93StopPattern.size(), '\0');
    char* Out = Pattern.data();
    const auto Write = [&Out](const std::array<char, 6>& Symbol) {
        std::memcpy(Out, Symbol.data(), Symbol.size());
        Out += Symbol.size();
    };
    Write(Code93StartPattern);
    // Weights run 1..20 for C and 1..15 for K from the right, K's one place ahead of C's.
    std::uint64_t C = 0;
    std::uint64_t K = 0;
    unsigned WeightC = Count == 0 ? 1 : static_cast<unsigned>((Count - 1) % 20 + 1);
    unsigned WeightK = static_cast<unsigned>(Count % 15 + 1);
    ForEachValue([&](int Value) {
        Write(Code93Patterns[static_cast<std::size_t>(Value)]);
        C += static_cast<std::uint64_t>(Value) * WeightC;
        K += static_cast<std::uint64_t>(Value) * WeightK;
        WeightC = WeightC == 1 ? 20 : WeightC - 1;
        WeightK = WeightK == 1 ? 15 : WeightK - 1;
    });
    C %= 47;
    K = (K + C) % 47;
    Write(Code93Patterns[C]);
    Write(Code93Patterns[K]);
    std::memcpy(Out, Code93StopPattern.data(), Code93StopPattern.size());
    return Pattern;
}

} // namespace

std::string EncodeCode93(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    for (const char Ch : Text)
        if (ValueOfChar[static_cast<unsigned char>(Ch)] < 0)
            Raise(Msg::Code93BadData, {"TBarcodeEngine", Text});
    return EncodeValues(Text.size(), [&](auto&& Put) {
        for (const char Ch : Text)
            Put(ValueOfChar[static_cast<unsigned char>(Ch)]);
    });
}

std::string EncodeCode93Extended(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    // Characters above 127 have no code and are left out.
    std::size_t Count = 0;
    for (const char Ch : Text) {
        const auto Code = static_cast<unsigned char>(Ch);
        if (Code < FullAsciiValues.size())
            Count += FullAsciiValues[Code][1] < 0 ? 1 : 2;
    }
    return EncodeValues(Count, [&](auto&& Put) {
        for (const char Ch : Text) {
            const auto Code = static_cast<unsigned char>(Ch);
            if (Code >= FullAsciiValues.size())
                continue;
            Put(FullAsciiValues[Code][0]);
            if (FullAsciiValues[Code][1] >= 0)
                Put(FullAsciiValues[Code][1]);
        }
    });
}
