#include "barcode/TBarcodeEngine.h"
#include "common/TException.h"

#include <gtest/gtest.h>

// Hand-computed check digits: weights 3, 1, 3, ... from the right; 10 - (sum mod 10), 0 for 0.
TEST(EncoderHelpers, Modulo10CheckDigit) {
    const std::pair<const char*, const char*> Cases[] = {
        {"12345", "123457"}, // 5*3 + 4 + 3*3 + 2 + 1*3 = 33
        {"", "0"},
        {"7", "79"},                       // 21 -> 10 - 1
        {"400638133393", "4006381333931"}, // a real EAN-13 from a product
        {"0000", "00000"},
    };
    for (const auto& [In, Out] : Cases)
        EXPECT_EQ(TBarcodeEngine::Modulo10CheckDigit(In), Out) << In;
}

TEST(EncoderHelpers, CheckDigitRejectsNonDigitsNamingTheCharacter) {
    const std::pair<const char*, const char*> Cases[] = {
        {"12a", "'a' is not a valid integer value"},
        {"AB", "'A' is not a valid integer value"}, // the first bad character, from the left
        {"1 2", "' ' is not a valid integer value"},
    };
    for (const auto& [In, Message] : Cases) {
        try {
            TBarcodeEngine::Modulo10CheckDigit(In);
            ADD_FAILURE() << In << " was accepted";
        } catch (const TException& E) {
            EXPECT_STREQ(E.what(), Message);
        }
    }
}

TEST(EncoderHelpers, ApplyCheckDigitFollowsTheMethod) {
    TBarcodeEngine E;
    EXPECT_EQ(E.ApplyCheckDigit("12345"), "123457"); // csmModulo10 is the default
    E.SetCheckSumMethod(csmNone);
    EXPECT_EQ(E.ApplyCheckDigit("12345"), "12345");
    EXPECT_EQ(E.ApplyCheckDigit("AB"), "AB"); // nothing is converted when nothing is added
}

TEST(EncoderHelpers, AddOnCheckDigitReplacesTheLastCharacter) {
    const std::pair<const char*, const char*> Cases[] = {
        {"123450", "123451"}, // 5*3 + 4*9 + 3*3 + 2*9 + 1*3 = 81
        {"123459", "123451"}, {"5", "0"}, {"", "0"}, {"24", "26"}, // 2*3 = 6
    };
    for (const auto& [In, Out] : Cases)
        EXPECT_EQ(TBarcodeEngine::AddOnCheckDigit(In), Out) << In;
}

TEST(EncoderHelpers, PadZerosToLength) {
    struct Case {
        const char* Text;
        std::size_t N;
        const char* Left;
        const char* Right;
    };
    const Case Cases[] = {
        {"123", 6, "000123", "123000"},
        {"123", 3, "123", "123"},
        {"12345", 3, "12345", "12345"},
        {"", 2, "00", "00"},
    };
    TBarcodeEngine E;
    for (const Case& C : Cases) {
        E.SetText(C.Text);
        EXPECT_EQ(E.PadLeftZeros(C.N), C.Left) << C.Text;
        EXPECT_EQ(E.PadRightZeros(C.N), C.Right) << C.Text;
        EXPECT_EQ(E.Text(), C.Text) << "padding must not change Text";
    }
}

TEST(EncoderHelpers, WidthsToPatternAlternatesBarAndSpace) {
    const std::pair<const char*, const char*> Cases[] = {
        {"2112", "6051"},
        {"1234", "5173"},
        {"43214", "82608"},
        {"", ""},
    };
    for (const auto& [In, Out] : Cases)
        EXPECT_EQ(TBarcodeEngine::WidthsToPattern(In), Out) << In;
    EXPECT_THROW(TBarcodeEngine::WidthsToPattern("125"), TException);
    EXPECT_THROW(TBarcodeEngine::WidthsToPattern("10"), TException);
}

TEST(EncoderHelpers, DigitSum) {
    const std::pair<int, int> Cases[] = {{0, 0}, {7, 7}, {18, 9}, {1234, 10}, {99999, 45}};
    for (const auto& [N, Sum] : Cases)
        EXPECT_EQ(TBarcodeEngine::DigitSum(N), Sum) << N;
}
