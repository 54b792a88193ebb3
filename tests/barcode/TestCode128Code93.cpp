#include "EncodeWith.h"
#include "common/TException.h"

#include <gtest/gtest.h>

// Module counts below are from the ISO/IEC 15417 Code 128 and AIM USS-93 Code 93 symbol tables;
// check values are computed by hand in the comments.

TEST(Code128, EncodesEachCodeSetWithItsCheckSymbol) {
    struct Case {
        TBarcodeType Typ;
        std::string Text;
        bool Checksum;
        TCheckSumMethod Method;
        std::string Counts;
        const char* TextAfter;
    };
    const std::string Stop = "2331112";
    const Case Cases[] = {
        // Start B 104; H 40, i 73; (104 + 40 + 2 * 73) mod 103 = 84
        {bcCode128B, "Hi", false, csmModulo10, "211214231113142112124112" + Stop, "Hi"},
        // Start C 105; 01 23 45; (105 + 1 + 46 + 135) mod 103 = 81
        {bcCode128C, "12345", false, csmModulo10, "211232222122312131113123121142" + Stop,
         "012345"},
        // a pair that is not two digits is "00": (105 + 0) mod 103 = 2
        {bcCode128C, "1A", false, csmModulo10, "211232212222222221" + Stop, "1A"},
        // set A has no lower case: three spaces, (103 + 0) mod 103 = 0
        {bcCode128A, "abc", false, csmModulo10, "211412212222212222212222212222" + Stop, "abc"},
        // "`" is 64 in set B, a byte above 127 a space: (104 + 64 + 0) mod 103 = 65
        {bcCode128B, "`\x80", false, csmModulo10, "211214111422212222121124" + Stop, "`\x80"},
        // a control character is a space in set A, "_" is 63: (103 + 0 + 126) mod 103 = 23
        {bcCode128A, "\x1F_", false, csmModulo10, "211412212222111224312131" + Stop, "\x1F_"},
        // EAN-128 puts FNC1 (102) first: (103 + 102) mod 103 = 102
        {bcCodeEAN128A, "abc", false, csmModulo10, "211412411131212222212222212222411131" + Stop,
         "abc"},
        // 12 + check digit 3 = 123, odd: Text 012, pairs 01 23; (105 + 102 + 2 + 69) mod 103 = 72
        {bcCodeEAN128C, "12", true, csmModulo10, "211232411131222122312131122411" + Stop, "012"},
        // no check digit under csmNone: pair 12; (105 + 102 + 24) mod 103 = 25
        {bcCodeEAN128C, "12", true, csmNone, "211232411131112232321122" + Stop, "12"},
    };
    for (const Case& C : Cases) {
        const TEncoded R = EncodeWith(EncodeCode128, C.Typ, C.Text, C.Checksum, C.Method);
        EXPECT_EQ(R.Pattern, TBarcodeEngine::WidthsToPattern(C.Counts)) << C.Text;
        EXPECT_EQ(R.Text, C.TextAfter) << C.Text;
    }
    EXPECT_EQ(Units(EncodeWith(EncodeCode128, bcCode128B, "Hi").Pattern), 57);
}

TEST(Code128, Ean128CheckDigitNeedsDigits) {
    try {
        EncodeWith(EncodeCode128, bcCodeEAN128B, "AB", true);
        ADD_FAILURE() << "AB was encoded with a modulo-10 digit";
    } catch (const TException& E) {
        EXPECT_STREQ(E.what(), "'A' is not a valid integer value");
    }
    EXPECT_NO_THROW(EncodeWith(EncodeCode128, bcCodeEAN128B, "AB", false));
}

TEST(Code93, EncodesTwoCheckCharacters) {
    // TEST: C = 29 + 28*2 + 14*3 + 29*4 = 243, mod 47 = 8; K = 343 + 243 = 586, mod 47 = 22 (M)
    const TEncoded R = EncodeWith(EncodeCode93, bcCode93, "TEST");
    EXPECT_EQ(R.Pattern, TBarcodeEngine::WidthsToPattern("111141"
                                                         "211221221211211122211221"
                                                         "131211111222"
                                                         "1111411"));
    EXPECT_EQ(Units(R.Pattern), 73);
    EXPECT_EQ(R.Text, "TEST");
}

TEST(Code93, RejectsCharactersOutsideItsSetWithTheWholeText) {
    for (const char* Text : {"test", "AB*", "\xC9T"}) {
        try {
            EncodeWith(EncodeCode93, bcCode93, Text);
            ADD_FAILURE() << Text << " was encoded";
        } catch (const TException& E) {
            EXPECT_EQ(E.what(), "TBarcodeEngine:Code93 bad Data <" + std::string(Text) + ">");
        }
    }
}

TEST(Code93, ExtendedUsesTheFullAsciiTableWithCode93Shifts) {
    // (extended text, the Code 93 characters of the AIM USS-93 full ASCII table; "[", "]", "{",
    // "}" are the shifts ($), (%), (/), (+))
    const std::pair<std::string, std::string> Cases[] = {
        {"test", "}T}E}S}T"},
        {"-. 9Z", "-. 9Z"},
        {std::string("\0\x01", 2), "]U[A"},
        {"!$%/+", "{A{D{E{O{K"},
        {"\x7F~", "]T]S"},
        {"A\xC8"
         "B",
         "AB"}, // above 127: left out
    };
    for (const auto& [Text, Plain] : Cases)
        EXPECT_EQ(EncodeWith(EncodeCode93Extended, bcCode93Extended, Text).Pattern,
                  EncodeWith(EncodeCode93, bcCode93, Plain).Pattern)
            << Plain;
}
