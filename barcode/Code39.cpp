#include "barcode/Code39.h"
#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <string_view>

namespace {

struct TCode39Row {
    char Ch;
    std::string_view Pattern; // nine elements, bar first: "5"/"6" narrow/wide bar, "0"/"1" spaces
    int Value;
};

// ISO/IEC 16388 Code 39 character table. "*" is the start/stop character; as data it counts 0.
constexpr std::array<TCode39Row, 44> Code39Table = {{
    {'0', "505160605", 0},  {'1', "605150506", 1},  {'2', "506150506", 2},  {'3', "606150505", 3},
    {'4', "505160506", 4},  {'5', "605160505", 5},  {'6', "506160505", 6},  {'7', "505150606", 7},
    {'8', "605150605", 8},  {'9', "506150605", 9},  {'A', "605051506", 10}, {'B', "506051506", 11},
    {'C', "606051505", 12}, {'D', "505061506", 13}, {'E', "605061505", 14}, {'F', "506061505", 15},
    {'G', "505051606", 16}, {'H', "605051605", 17}, {'I', "506051605", 18}, {'J', "505061605", 19},
    {'K', "605050516", 20}, {'L', "506050516", 21}, {'M', "606050515", 22}, {'N', "505060516", 23},
    {'O', "605060515", 24}, {'P', "506060515", 25}, {'Q', "505050616", 26}, {'R', "605050615", 27},
    {'S', "506050615", 28}, {'T', "505060615", 29}, {'U', "615050506", 30}, {'V', "516050506", 31},
    {'W', "616050505", 32}, {'X', "515060506", 33}, {'Y', "615060505", 34}, {'Z', "516060505", 35},
    {'-', "515050606", 36}, {'.', "615050605", 37}, {' ', "516050605", 38}, {'*', "515060605", 0},
    {'$', "515151505", 39}, {'/', "515150515", 40}, {'+', "515051515", 41}, {'%', "505151515", 42},
}};
constexpr std::size_t StartStopRow = 39;
static_assert(Code39Table[StartStopRow].Ch == '*');

constexpr bool Code39TableIsSound() {
    for (std::size_t Row = 0; Row < Code39Table.size(); ++Row) {
        const std::string_view P = Code39Table[Row].Pattern;
        int Wide = 0;
        if (P.size() != 9)
            return false;
        for (std::size_t I = 0; I < 9; ++I) {
            const bool IsBar = I % 2 == 0;
            if (P[I] != (IsBar ? '5' : '0') && P[I] != (IsBar ? '6' : '1'))
                return false;
            Wide += P[I] == '6' || P[I] == '1';
        }
        if (Wide != 3)
            return false;
        for (std::size_t Other = 0; Other < Row; ++Other)
            if (Code39Table[Other].Pattern == P || Code39Table[Other].Ch == Code39Table[Row].Ch)
                return false;
    }
    return true;
}
static_assert(Code39TableIsSound(), "nine distinct elements each, three of them wide");

// Row of each byte, -1 for a character Code 39 does not have.
constexpr auto RowOfChar = Encoders::RowsOfChars(Code39Table);

// The first row, in table order, of each check value 0 to 42.
constexpr std::array<signed char, 43> RowOfValue = [] {
    std::array<signed char, 43> Rows{};
    Rows.fill(-1);
    for (std::size_t Row = Code39Table.size(); Row-- > 0;)
        Rows[static_cast<std::size_t>(Code39Table[Row].Value)] = static_cast<signed char>(Row);
    return Rows;
}();
static_assert(RowOfValue[0] == 0 && RowOfValue[42] == 43);

constexpr bool EveryValueHasARow() {
    for (const signed char Row : RowOfValue)
        if (Row < 0)
            return false;
    return true;
}
static_assert(EveryValueHasARow());

// Appends characters with their inter-character gap and keeps the check sum.
class TCode39Writer {
public:
    TCode39Writer(std::string& Pattern, std::size_t Characters) : FPattern(Pattern) {
        FPattern.reserve(10 * (Characters + 3));
        AppendRow(StartStopRow);
    }
    // A character outside the table has no bars and no value.
    void Put(char Ch) {
        const signed char Row = RowOfChar[static_cast<unsigned char>(Ch)];
        if (Row < 0)
            return;
        AppendRow(static_cast<std::size_t>(Row));
        FSum = (FSum + Code39Table[static_cast<std::size_t>(Row)].Value) % 43;
    }
    void Finish(bool Checksum) {
        if (Checksum)
            AppendRow(static_cast<std::size_t>(RowOfValue[static_cast<std::size_t>(FSum)]));
        FPattern += Code39Table[StartStopRow].Pattern;
    }

private:
    void AppendRow(std::size_t Row) {
        FPattern += Code39Table[Row].Pattern;
        FPattern += '0';
    }
    std::string& FPattern;
    int FSum = 0;
};

} // namespace

std::string EncodeCode39(TBarcodeEngine& E) {
    std::string Pattern;
    TCode39Writer Writer(Pattern, E.Text().size());
    for (const char Ch : E.Text())
        Writer.Put(Ch);
    Writer.Finish(E.Checksum());
    return Pattern;
}

std::string EncodeCode39Extended(TBarcodeEngine& E) {
    std::string Pattern;
    TCode39Writer Writer(Pattern, 2 * E.Text().size());
    for (const char Ch : E.Text()) {
        const auto Code = static_cast<unsigned char>(Ch);
        if (Code < Code39FullAscii.size())
            for (const char Part : Code39FullAscii[Code])
                Writer.Put(Part);
    }
    Writer.Finish(E.Checksum());
    return Pattern;
}
