#pragma once

#include <array>
#include <string_view>

// ISO/IEC 16388 full ASCII chart: the one or two Code 39 characters that stand for each character
// code 0 to 127. "-" and "." are themselves, as in the chart, so a plain Code 39 scanner reads
// them unchanged. Code 93 derives its own full ASCII table from this one.
inline constexpr std::array<std::string_view, 128> Code39FullAscii = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", // 0-7
    "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O", // 8-15
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", // 16-23
    "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E", // 24-31
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", // 32-39
    "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O", // 40-47
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  // 48-55
    "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J", // 56-63
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  // 64-71
    "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  // 72-79
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  // 80-87
    "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O", // 88-95
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", // 96-103
    "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O", // 104-111
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", // 112-119
    "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T", // 120-127
};

constexpr bool FullAsciiChartIsSound() {
    for (std::size_t Code = 0; Code < Code39FullAscii.size(); ++Code) {
        const std::string_view Entry = Code39FullAscii[Code];
        if (Entry.size() == 1) {
            // Only characters Code 39 has stand for themselves.
            const char Ch = Entry[0];
            const bool Own = (Ch >= '0' && Ch <= '9') || (Ch >= 'A' && Ch <= 'Z') || Ch == ' ' ||
                             Ch == '-' || Ch == '.';
            if (!Own || static_cast<std::size_t>(Ch) != Code)
                return false;
        } else if (Entry.size() != 2 || std::string_view("$%/+").find(Entry[0]) == Entry.npos ||
                   Entry[1] < 'A' || Entry[1] > 'Z') {
            return false;
        }
    }
    return true;
}
static_assert(FullAsciiChartIsSound(), "a code is itself or a shift character and a letter");
