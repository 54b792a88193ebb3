#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

#include <array>
#include <string_view>

namespace {

struct TCodabarRow {
    char Ch;
    std::string_view Pattern; // seven elements, bar first, written like those of Code 39
};

// AIM USS Codabar character table; A to D are the start/stop characters.
constexpr std::array<TCodabarRow, 20> CodabarTable = {{
    {'1', "5050615"}, {'2', "5051506"}, {'3', "6150505"}, {'4', "5060515"}, {'5', "6050515"},
    {'6', "5150506"}, {'7', "5150605"}, {'8', "5160505"}, {'9', "6051505"}, {'0', "5050516"},
    {'-', "5051605"}, {'$', "5061505"}, {':', "6050606"}, {'/', "6060506"}, {'.', "6060605"},
    {'+', "5060606"}, {'A', "5061515"}, {'B', "5151506"}, {'C', "5051516"}, {'D', "5051615"},
}};
constexpr std::size_t StartRow = 16; // A
constexpr std::size_t StopRow = 17;  // B
static_assert(CodabarTable[StartRow].Ch == 'A' && CodabarTable[StopRow].Ch == 'B');

// Digits, "-" and "$" have one wide bar and one wide space; ":", "/", "." and "+" three wide
// bars; the start/stop characters one wide bar and two wide spaces.
constexpr bool CodabarTableIsSound() {
    for (std::size_t Row = 0; Row < CodabarTable.size(); ++Row) {
        const std::string_view P = CodabarTable[Row].Pattern;
        int WideBars = 0;
        int WideSpaces = 0;
        if (P.size() != 7)
            return false;
        for (std::size_t I = 0; I < 7; ++I) {
            const bool IsBar = I % 2 == 0;
            if (P[I] != (IsBar ? '5' : '0') && P[I] != (IsBar ? '6' : '1'))
                return false;
            WideBars += P[I] == '6';
            WideSpaces += P[I] == '1';
        }
        const int Expected = Row < 12 ? 11 : Row < 16 ? 30 : 12; // wide bars * 10 + wide spaces
        if (WideBars * 10 + WideSpaces != Expected)
            return false;
        for (std::size_t Other = 0; Other < Row; ++Other)
            if (CodabarTable[Other].Pattern == P || CodabarTable[Other].Ch == CodabarTable[Row].Ch)
                return false;
    }
    return true;
}
static_assert(CodabarTableIsSound(), "Codabar characters have the standard's wide elements");

constexpr auto RowOfChar = Encoders::RowsOfChars(CodabarTable);

} // namespace

std::string EncodeCodabar(TBarcodeEngine& E) {
    const std::string& Text = E.Text();
    std::string Pattern;
    Pattern.reserve(8 * (Text.size() + 2));
    Pattern = CodabarTable[StartRow].Pattern;
    Pattern += '0';
    for (const char Ch : Text) {
        const signed char Row = RowOfChar[static_cast<unsigned char>(Ch)];
        // A character without bars would print a barcode that scans as something else.
        if (Row < 0)
            Raise(Msg::CodabarBadChar, {Encoders::CharForMessage(Ch)});
        Pattern += CodabarTable[static_cast<std::size_t>(Row)].Pattern;
        Pattern += '0';
    }
    Pattern += CodabarTable[StopRow].Pattern;
    return Pattern;
}
