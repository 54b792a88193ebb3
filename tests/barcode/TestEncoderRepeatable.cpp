#include "EncodeWith.h"

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
        {EncodeIndustrial2of5, bcCode_2_5_industrial, "12345", false},
        {EncodeMatrix2of5, bcCode_2_5_matrix, "12345", false},
        {EncodeCode39, bcCode39, "Ab-1 *", true},
        {EncodeCode39Extended, bcCode39Extended, "Ab-1\xC9", true},
        {EncodeCodabar, bcCodeCodabar, "12-34", false},
        {EncodeMSI, bcCodeMSI, "12345", true},
        {EncodePostNet, bcCodePostNet, "12345", false},
        {EncodeCode128, bcCode128A, "ab", false},
        {EncodeCode128, bcCode128C, "123", false},
        {EncodeCode128, bcCode128C, "1A2", false},
        {EncodeCode128, bcCodeEAN128B, "123", true},
        {EncodeCode128, bcCodeEAN128C, "12", true},
        {EncodeCode128, bcCodeEAN128C, "123", true},
        {EncodeCode93, bcCode93, "CODE 93", false},
        {EncodeCode93Extended, bcCode93Extended, "Code\x01", false},
    };
    for (const Case& C : Cases) {
        const TEncoded First = EncodeWith(C.Encoder, C.Typ, C.Text, C.Checksum);
        const TEncoded Second = EncodeWith(C.Encoder, C.Typ, First.Text, C.Checksum);
        EXPECT_EQ(Second.Pattern, First.Pattern) << C.Text;
        EXPECT_EQ(Second.Text, First.Text) << C.Text;
    }
}
