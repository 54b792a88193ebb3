#include "PatternModules.h"
#include "barcode/TBarcodeEngine.h"
#include "common/TException.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TBarcodeEngine Engine(TBarcodeType Typ, const std::string& Text, bool Checksum,
                      TCheckSumMethod Method = csmModulo10) {
    TBarcodeEngine E;
    E.SetTyp(Typ);
    E.SetText(Text);
    E.SetChecksum(Checksum);
    E.SetCheckSumMethod(Method);
    return E;
}

} // namespace

// Module sequences composed by hand from the GS1 tables of number sets A (L), B (G) and C (R),
// the parity tables and the guard patterns.
TEST(EanUpc, SymbolsMatchTheStandardModuleByModule) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        bool Checksum;
        std::string Expected;
    };
    // clang-format off
    const Case Cases[] = {
        // EAN-13 1234567890128: leading 1 gives A A B A B B for 2 3 4 5 6 7.
        {bcCodeEAN13, "123456789012", true,
         "101" "0010011" "0111101" "0011101" "0110001" "0000101" "0010001" "01010"
         "1001000" "1110100" "1110010" "1100110" "1101100" "1001000" "101"},
        // EAN-8 of 1234567 with its check digit 0: 1234 in set A, 5670 in set C.
        {bcCodeEAN8, "1234567", true,
         "101" "0011001" "0010011" "0111101" "0100011" "01010"
         "1001110" "1010000" "1000100" "1110010" "101"},
        // UPC-A 036000291452: six digits in set A, six in set C.
        {bcCodeUPC_A, "03600029145", true,
         "101" "0001101" "0111101" "0101111" "0001101" "0001101" "0001101" "01010"
         "1101100" "1110100" "1100110" "1011100" "1001110" "1101100" "101"},
        // UPC-E 987654, number system 0: UPC-A 0 98760 00005, check 7, parity E o E o E o.
        {bcCodeUPC_E0, "9876540", true,
         "101" "0010111" "0110111" "0010001" "0101111" "0111001" "0100011" "010101"},
        // Number system 1: UPC-A 1 98760 00005, check 4, parity o E o o E E.
        {bcCodeUPC_E1, "9876540", true,
         "101" "0001011" "0001001" "0111011" "0101111" "0111001" "0011101" "010101"},
        // Five-digit add-on 12345: check 1, parity E o E o o, separators 01.
        {bcCodeUPC_Supp5, "12345", false,
         "1011" "0110011" "01" "0010011" "01" "0100001" "01" "0100011" "01" "0110001"},
        {bcCodeUPC_Supp5, "12345", true,
         "1011" "0110011" "01" "0010011" "01" "0100001" "01" "0100011" "01" "0110001"},
        // Two-digit add-ons: 07 (7 mod 4 = 3, E E) and 34 (34 mod 4 = 2, E o).
        {bcCodeUPC_Supp2, "7", false, "1011" "0100111" "01" "0010001"},
        {bcCodeUPC_Supp2, "34", true, "1011" "0100001" "01" "0100011"},
    };
    // clang-format on
    for (const Case& C : Cases) {
        TBarcodeEngine E = Engine(C.Typ, C.Text, C.Checksum);
        EXPECT_EQ(PatternModules(E.EncodePattern()), C.Expected) << BarcodeTypeTable[C.Typ].Name;
        EXPECT_EQ(E.Width(), static_cast<std::int32_t>(C.Expected.size()));
    }
}

TEST(EanUpc, WidthsInModules) {
    const std::pair<TBarcodeType, std::int32_t> Cases[] = {
        {bcCodeEAN13, 95},  {bcCodeUPC_A, 95},     {bcCodeEAN8, 67},      {bcCodeUPC_E0, 51},
        {bcCodeUPC_E1, 51}, {bcCodeUPC_Supp5, 47}, {bcCodeUPC_Supp2, 20},
    };
    for (const auto& [Typ, Width] : Cases)
        for (const bool Checksum : {false, true}) {
            TBarcodeEngine E = Engine(Typ, "1", Checksum);
            EXPECT_EQ(E.Width(), Width) << BarcodeTypeTable[Typ].Name;
        }
}

// What each symbology makes of its Text, with the digit the standard's check gives; every
// accepted text encodes again to the same pattern and the same Text.
TEST(EanUpc, TextsAreNormalisedAndEncodingIsRepeatable) {
    struct Case {
        TBarcodeType Typ;
        bool Checksum;
        TCheckSumMethod Method;
        const char* Text;
        const char* After;
        const char* Error;
    };
    const Case Cases[] = {
        {bcCodeEAN13, true, csmModulo10, "123456789012", "1234567890128", nullptr},
        {bcCodeEAN13, true, csmModulo10, "1234567890120", "1234567890120", nullptr}, // as is
        {bcCodeEAN13, false, csmModulo10, "1234567890120", "1234567890120", nullptr},
        {bcCodeEAN13, false, csmModulo10, "12345", "0000000012345", nullptr},
        {bcCodeEAN13, true, csmModulo10, "", "0000000000000", nullptr},
        // 14 digits: the first is dropped, 234567890123 gets its check digit 4.
        {bcCodeEAN13, true, csmModulo10, "12345678901234", "2345678901234", nullptr},
        {bcCodeEAN13, false, csmModulo10, "12345678901234", "12345678901234",
         "Invalid Text len (EAN13)"},
        {bcCodeEAN13, true, csmNone, "123456789012", "123456789012", "Invalid Text len (EAN13)"},
        {bcCodeEAN13, true, csmNone, "1234567890128", "1234567890128", nullptr},
        {bcCodeEAN8, true, csmModulo10, "1234567", "1234567", nullptr}, // Text is left alone
        {bcCodeEAN8, false, csmModulo10, "1234", "1234", nullptr},
        {bcCodeEAN8, false, csmModulo10, "123456789", "123456789", "Invalid Text len (EAN8)"},
        {bcCodeEAN8, true, csmNone, "1234567", "1234567", "Invalid Text len (EAN8)"},
        {bcCodeUPC_A, false, csmModulo10, "12345", "123450000000", nullptr},
        {bcCodeUPC_A, true, csmModulo10, "12345", "123450000007", nullptr},
        {bcCodeUPC_A, true, csmModulo10, "0360002914599", "036000291452", nullptr},
        // Under csmNone nothing is added: the twelve digits are the ones typed.
        {bcCodeUPC_A, true, csmNone, "036000291452", "036000291452", nullptr},
        {bcCodeUPC_A, true, csmNone, "03600029145", "036000291450", nullptr},
        // UPC-E: the seventh digit is the check digit of the expanded UPC-A number.
        {bcCodeUPC_E0, true, csmModulo10, "9876540", "9876547", nullptr}, // 0 98760 00005 7
        {bcCodeUPC_E0, true, csmModulo10, "1234530", "1234531", nullptr}, // 0 12300 00045 1
        {bcCodeUPC_E0, true, csmModulo10, "1234009", "1234000", nullptr}, // 0 12000 00340 0
        {bcCodeUPC_E0, true, csmModulo10, "123456", "0123457", nullptr},  // 0 01234 00005 7
        {bcCodeUPC_E0, true, csmNone, "9876540", "9876547", nullptr},
        {bcCodeUPC_E0, false, csmModulo10, "9876540", "9876540", nullptr},
        {bcCodeUPC_E1, true, csmModulo10, "9876540", "9876544", nullptr}, // 1 98760 00005 4
        {bcCodeUPC_E1, true, csmModulo10, "1234500", "1234502", nullptr}, // 1 12000 00345 2
        {bcCodeUPC_Supp5, true, csmModulo10, "12345", "123451", nullptr}, // 81 mod 10
        {bcCodeUPC_Supp5, false, csmModulo10, "7", "00007", nullptr},
        {bcCodeUPC_Supp2, true, csmModulo10, "7", "071", nullptr}, // 7 x 3 = 21
        {bcCodeUPC_Supp2, false, csmModulo10, "7", "07", nullptr},
    };
    for (const Case& C : Cases) {
        const std::string Name = std::string(BarcodeTypeTable[C.Typ].Name) + " " + C.Text;
        TBarcodeEngine E = Engine(C.Typ, C.Text, C.Checksum, C.Method);
        std::string Pattern;
        try {
            Pattern = E.EncodePattern();
            EXPECT_EQ(C.Error, nullptr) << Name;
        } catch (const TException& Error) {
            EXPECT_STREQ(Error.what(), C.Error ? C.Error : "(no error)") << Name;
        }
        EXPECT_EQ(E.Text(), C.After) << Name;
        if (C.Error != nullptr)
            continue;
        for (int Again = 0; Again < 2; ++Again) {
            EXPECT_EQ(E.EncodePattern(), Pattern) << Name;
            EXPECT_EQ(E.Text(), C.After) << Name;
        }
    }
}

TEST(EanUpc, NonDigitsAreRejected) {
    for (const TBarcodeType Typ : {bcCodeEAN8, bcCodeEAN13, bcCodeUPC_A, bcCodeUPC_E0, bcCodeUPC_E1,
                                   bcCodeUPC_Supp2, bcCodeUPC_Supp5}) {
        TBarcodeEngine E = Engine(Typ, "12-3", true);
        try {
            E.EncodePattern();
            ADD_FAILURE() << BarcodeTypeTable[Typ].Name << " accepted 12-3";
        } catch (const TException& Error) {
            EXPECT_STREQ(Error.what(), "Barcode must be numeric");
        }
    }
}
