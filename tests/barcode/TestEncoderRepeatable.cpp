#include "EncodeWith.h"
#include "common/TException.h"

#include <gtest/gtest.h>

// The engine encodes the same settings several times per paint: encoding the Text an encoding
// left behind must give the same pattern and leave the same Text.
TEST(Encoders, AreRepeatable) {
    struct Case {
        TEncoder Encoder;
        TBarcodeType Typ;
        const char* Text;
        bool Checksum;
    };
    const Case Cases[] = {
        {EncodeInterleaved2of5, bcCode_2_5_interleaved, "12345", false},
        {EncodeInterleaved2of5, bcCode_2_5_interleaved, "7", false},
        {EncodeCode39, bcCode39, "Ab-1 *", true},
        {EncodeCode39Extended, bcCode39Extended, "Ab-1\xC9", true},
        {EncodeCodabar, bcCodeCodabar, "12-34", false},
        {EncodeMSI, bcCodeMSI, "12345", true},
        {EncodeCode128, bcCode128C, "123", false},
        {EncodeCode128, bcCode128C, "1A2", false},
        {EncodeCode128, bcCodeEAN128C, "12", true},
        {EncodeCode128, bcCodeEAN128C, "123", true},
        {EncodeCode93Extended, bcCode93Extended, "Code\x01", false},
    };
    for (const Case& C : Cases) {
        const TEncoded First = EncodeWith(C.Encoder, C.Typ, C.Text, C.Checksum);
        const TEncoded Second = EncodeWith(C.Encoder, C.Typ, First.Text, C.Checksum);
        EXPECT_EQ(Second.Pattern, First.Pattern) << C.Text;
        EXPECT_EQ(Second.Text, First.Text) << C.Text;
    }
}

// Through EncodePattern: trimming, Ratio clamping and the module widths reach the encoders.
// Widths by hand: Code 39 "*" is six narrow and three wide elements, plus a narrow gap; Codabar
// A, 1 and B are 10, 9 and 10 units with two gaps; MSI of nothing is start, check 0 and stop,
// thirteen elements.
TEST(Encoders, ThroughTheEngine) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        double Ratio;
        std::int32_t Width;
        const char* TextAfter;
    };
    const Case Cases[] = {
        {bcCode93, "TEST", 2.0, 73, "TEST"},
        {bcCode39, "", 1.0, 25, ""},  // Ratio raised to 2.0: 13 + 12
        {bcCode39, "", 3.0, 31, ""},  // wide is 3: 16 + 15
        {bcCodeMSI, "", 1.0, 13, ""}, // not clamped: wide equals narrow
        {bcCodeCodabar, "1", 2.0, 31, "1"},
        {bcCode_2_5_interleaved, " 12345 ", 2.0, 50, "012345"},
        {bcCodeEAN128C, "\t123\n", 2.0, 68,
         "0123"}, // start, FNC1, 01, 23, check, stop: 11 * 5 + 13
    };
    for (const Case& C : Cases) {
        TBarcodeEngine E;
        E.SetTyp(C.Typ);
        E.SetText(C.Text);
        E.SetRatio(C.Ratio);
        EXPECT_EQ(E.Width(), C.Width) << C.Text;
        EXPECT_EQ(E.Text(), C.TextAfter) << C.Text;
        EXPECT_EQ(E.Width(), C.Width) << C.Text << " encoded again";
    }
    TBarcodeEngine E;
    E.SetTyp(bcCodeCodabar);
    E.SetText("12x");
    EXPECT_THROW(E.ValidateSettings(), TException);
    EXPECT_EQ(E.Text(), "12x");
}
