#include "Decode.h"

#include <gtest/gtest.h>

// Each barcode, drawn as the program draws it at every angle, must read back with zbarimg as the
// data it shows. zbar reports what the bars hold: the Code 39 check character as data (it does not
// check it), Codabar with its start and stop characters A and B, and Code 39 in plain mode (no
// full ASCII), so those expectations are written out by hand.
TEST(EncoderDecode, DrawnBarcodesReadBackAtEveryAngle) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        bool Checksum;
        const char* Decoded;   // what zbar must report
        const char* TextAfter; // what the barcode shows
    };
    const Case Cases[] = {
        {bcCode128A, "HELLO_123 !", false, "HELLO_123 !", "HELLO_123 !"},
        {bcCode128B, "Tessmira 128b~", false, "Tessmira 128b~", "Tessmira 128b~"},
        {bcCode128C, "12345", false, "012345", "012345"}, // odd length gets a leading zero
        {bcCode39, "CODE39-TEST", false, "CODE39-TEST", "CODE39-TEST"},
        // check character: 12 + 24 + 13 + 14 + 3 + 9 = 75, mod 43 = 32 = W
        {bcCode39, "CODE39", true, "CODE39W", "CODE39"},
        // "-" is itself in the full ASCII chart, so a plain-mode scanner reads the text unchanged
        {bcCode39Extended, "TCU-000014", false, "TCU-000014", "TCU-000014"},
        {bcCode39Extended, "a-b", false, "+A-+B", "a-b"}, // lower case as shift pairs
        {bcCode93, "TEST", false, "TEST", "TEST"},
        // 30 characters: the check weights wrap at 20 and 15
        {bcCode93, "CODE 93 $/+% 0123456789 ABCDEF", false, "CODE 93 $/+% 0123456789 ABCDEF",
         "CODE 93 $/+% 0123456789 ABCDEF"},
        {bcCode93Extended, "Hello, World-2.0!", false, "Hello, World-2.0!", "Hello, World-2.0!"},
        {bcCode_2_5_interleaved, "12345", false, "012345", "012345"},
        {bcCode_2_5_interleaved, "00123456", false, "00123456", "00123456"},
        {bcCodeCodabar, "123-45$6", false, "A123-45$6B", "123-45$6"},
        {bcCodeCodabar, "31117013206375", false, "A31117013206375B", "31117013206375"},
    };
    for (const Case& C : Cases)
        for (const double Angle : {0.0, 90.0, 180.0, 270.0}) {
            TBarcodeEngine E;
            E.SetTyp(C.Typ);
            E.SetText(C.Text);
            E.SetChecksum(C.Checksum);
            EXPECT_EQ(DecodeDrawn(E, Angle), std::vector<std::string>{C.Decoded})
                << C.Text << " at " << Angle;
            EXPECT_EQ(E.Text(), C.TextAfter) << C.Text;
        }
}
