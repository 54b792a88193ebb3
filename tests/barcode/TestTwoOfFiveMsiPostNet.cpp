#include "EncodeWith.h"
#include "common/TException.h"

#include <gtest/gtest.h>

// Expected patterns are hand-built from the two-of-five digit table (weights 1 2 4 7 parity:
// 0 = 00110, 1 = 10001, 2 = 01001), the MSI bit patterns and the USPS POSTNET digit table.

TEST(TwoOfFive, InterleavedPairsDigitsAndPadsOddLengthWithALeadingZero) {
    struct Case {
        const char* Text;
        const char* Pattern;
        const char* TextAfter;
        int Units;
    };
    const Case Cases[] = {
        {"", "5050605", "", 8},
        // 1 as bars, 2 as spaces: (1,0)(0,1)(0,0)(0,0)(1,1)
        {"12",
         "5050"
         "6051505061"
         "605",
         "12", 22},
        // odd length: 1 becomes 01, so 0 as bars, 1 as spaces: (0,1)(0,0)(1,0)(1,0)(0,1)
        {"1",
         "5050"
         "5150606051"
         "605",
         "01", 22},
        {"12345", nullptr, "012345", 50}, // 4 + 3 pairs * 14 + 4
    };
    for (const Case& C : Cases) {
        const TEncoded R = EncodeWith(EncodeInterleaved2of5, bcCode_2_5_interleaved, C.Text);
        if (C.Pattern) {
            EXPECT_EQ(R.Pattern, C.Pattern) << C.Text;
        }
        EXPECT_EQ(R.Text, C.TextAfter) << C.Text;
        EXPECT_EQ(Units(R.Pattern), C.Units) << C.Text;
    }
}

TEST(TwoOfFive, IndustrialAndMatrixOfZero) {
    // Industrial: every flag is a bar followed by a narrow space; 0 = 00110.
    EXPECT_EQ(EncodeWith(EncodeIndustrial2of5, bcCode_2_5_industrial, "0").Pattern, "606050"
                                                                                    "5050606050"
                                                                                    "605060");
    // Matrix: bars for flags 1, 3, 5, spaces for 2 and 4, then the gap; guards use w2 ("7").
    EXPECT_EQ(EncodeWith(EncodeMatrix2of5, bcCode_2_5_matrix, "0").Pattern, "705050"
                                                                            "506150"
                                                                            "70505");
    EXPECT_EQ(EncodeWith(EncodeMatrix2of5, bcCode_2_5_matrix, "12").Pattern, "705050"
                                                                             "605060"
                                                                             "515060"
                                                                             "70505");
}

TEST(Msi, CheckDigitIsLuhnModulo10) {
    // Hand-computed: odd places from the right doubled (digit sum), 10 - (sum mod 10).
    const std::pair<const char*, const char*> Cases[] = {
        {"1234567", "4"}, {"12", "5"}, {"0", "0"}, {"9", "1"}, {"80523", "4"}, {"", "0"},
    };
    for (const auto& [Text, Check] : Cases) {
        const std::string P = EncodeWith(EncodeMSI, bcCodeMSI, Text).Pattern;
        const std::string Digit = EncodeWith(EncodeMSI, bcCodeMSI, Check).Pattern.substr(2, 8);
        ASSERT_GE(P.size(), 13U) << Text;
        EXPECT_EQ(P.substr(P.size() - 11, 8), Digit) << Text;
    }
    // The whole of 12: start, 0001, 0010, check 5 = 0101, stop.
    EXPECT_EQ(EncodeWith(EncodeMSI, bcCodeMSI, "12").Pattern, "60"
                                                              "51515160"
                                                              "51516051"
                                                              "51605160"
                                                              "515");
}

TEST(PostNet, FramesTheDigitsWithoutACorrectionDigit) {
    const TEncoded R = EncodeWith(EncodePostNet, bcCodePostNet, "12345");
    EXPECT_EQ(R.Pattern, "51"
                         "A1A1A15151"
                         "A1A151A151"
                         "A1A15151A1"
                         "A151A1A151"
                         "A151A151A1"
                         "5");
    EXPECT_EQ(R.Text, "12345");
}

TEST(NumericEncoders, RefuseNonDigitsEvenWhenCalledDirectly) {
    const TEncoder Encoders[] = {EncodeInterleaved2of5, EncodeIndustrial2of5, EncodeMatrix2of5,
                                 EncodeMSI, EncodePostNet};
    for (const TEncoder Encoder : Encoders)
        for (const char* Text : {"12a4", " 1", "\xB2"}) {
            try {
                EncodeWith(Encoder, bcCode_2_5_interleaved, Text);
                ADD_FAILURE() << Text << " was encoded";
            } catch (const TException& E) {
                EXPECT_STREQ(E.what(), "Barcode must be numeric");
            }
        }
}
