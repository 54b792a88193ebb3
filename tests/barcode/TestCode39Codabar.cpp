#include "EncodeWith.h"
#include "common/TException.h"

#include <gtest/gtest.h>

namespace {
std::string Code39(std::string Text, bool Checksum = false) {
    return EncodeWith(EncodeCode39, bcCode39, std::move(Text), Checksum).Pattern;
}
std::string Code39Ext(std::string Text, bool Checksum = false) {
    return EncodeWith(EncodeCode39Extended, bcCode39Extended, std::move(Text), Checksum).Pattern;
}
} // namespace

TEST(Code39, FramesCharactersWithStartStopAndNarrowGaps) {
    // ISO/IEC 16388 patterns: "*" 515060605, "0" 505160605, "A" 605051506.
    EXPECT_EQ(Code39("0A"), "5150606050"
                            "5051606050"
                            "6050515060"
                            "515060605");
    EXPECT_EQ(Code39(""), "5150606050"
                          "515060605");
}

TEST(Code39, CheckCharacterAndSkippedCharacters) {
    // A text with the check on equals the text with the hand-computed check character appended
    // and the check off. Values: 0-9, A-Z 10-35, "-" 36, "$" 39, "%" 42, "+" 41, "*" as data 0.
    const std::pair<const char*, const char*> Cases[] = {
        {"A", "AA"},           // 10
        {"abc", "0"},          // lower case is skipped: no bars, sum 0
        {"CODE39", "CODE39W"}, // 12 + 24 + 13 + 14 + 3 + 9 = 75, mod 43 = 32
        {"$%+", "$%+-"},       // 39 + 42 + 41 = 122, mod 43 = 36
        {"*1*", "*1*1"},
        {"A\xC9"
         "B",
         "ABL"}, // the accented letter is skipped: 10 + 11 = 21
    };
    for (const auto& [Text, Plain] : Cases)
        EXPECT_EQ(Code39(Text, true), Code39(Plain)) << Text;
    EXPECT_EQ(Code39("abc"), Code39(""));
}

TEST(Code39, ExtendedFollowsTheFullAsciiChart) {
    // Pairs of (extended text, the plain Code 39 characters the full ASCII chart gives).
    const std::pair<std::string, std::string> Cases[] = {
        {"a", "+A"},
        {"TCU-000014", "TCU-000014"}, // "-" and "." are themselves, readable in plain mode
        {"v1.2", "+V1.2"},
        {"Hi!", "H+I/A"},
        {std::string("\0\x1F\x7F", 3), "%U%E%T"},
        {"@[`{", "%V%K%W%P"},
        {"/:;", "/O/Z%F"},
        {"\xC8", ""}, // above 127: left out
    };
    for (const auto& [Text, Plain] : Cases)
        EXPECT_EQ(Code39Ext(Text), Code39(Plain)) << Plain;
    // The check runs over the replacement characters: "+" 41 + "A" 10 = 51, mod 43 = 8.
    EXPECT_EQ(Code39Ext("a", true), Code39("+A8"));
}

TEST(Codabar, StartsWithAStopsWithBAndRejectsUnknownCharacters) {
    // AIM USS Codabar: A 5061515, 1 5050615, 2 5051506, 3 6150505, B 5151506.
    EXPECT_EQ(EncodeWith(EncodeCodabar, bcCodeCodabar, "123").Pattern, "50615150"
                                                                       "50506150"
                                                                       "50515060"
                                                                       "61505050"
                                                                       "5151506");
    const std::pair<const char*, const char*> Bad[] = {
        {"12a", "Invalid character 'a' for Codabar"},
        {"E", "Invalid character 'E' for Codabar"},
        {"1\t2", "Invalid character '#9' for Codabar"},
        {"1 2", "Invalid character ' ' for Codabar"},
    };
    for (const auto& [Text, Message] : Bad) {
        try {
            EncodeWith(EncodeCodabar, bcCodeCodabar, Text);
            ADD_FAILURE() << Text << " was encoded";
        } catch (const TException& E) {
            EXPECT_STREQ(E.what(), Message);
        }
    }
    // A to D inside the text are data characters.
    EXPECT_NO_THROW(EncodeWith(EncodeCodabar, bcCodeCodabar, "0-9$:/.+ABCD"));
}
