#include "barcode/TBarcodeEngine.h"
#include "common/TException.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

std::string ErrorOf(TBarcodeEngine& E) {
    try {
        E.EncodePattern();
    } catch (const TException& Error) {
        return Error.what();
    }
    return "(no error)";
}

} // namespace

// w0 = Modul, w1 = Modul x Ratio rounded halves to even, w2 = 3 w1 / 2, w3 = 2 w1.
TEST(EngineFrame, ModuleWidthsFollowModulAndRatio) {
    struct Case {
        int Modul;
        double Ratio;
        std::array<std::int8_t, 4> Widths;
    };
    const Case Cases[] = {
        {1, 2.0, {1, 2, 3, 4}}, {1, 2.5, {1, 2, 3, 4}}, // 2.5 rounds to the even 2
        {1, 3.0, {1, 3, 4, 6}}, {2, 2.0, {2, 4, 6, 8}}, {3, 2.5, {3, 8, 12, 16}}, // 7.5 -> 8
    };
    for (const Case& C : Cases) {
        TBarcodeEngine E;
        E.SetTyp(bcCode128B); // Ratio is not clamped
        E.SetText("A");
        E.SetModul(C.Modul);
        E.SetRatio(C.Ratio);
        E.EncodePattern();
        EXPECT_EQ(E.ModuleWidths(), C.Widths) << C.Modul << " " << C.Ratio;
    }
}

TEST(EngineFrame, RatioIsClampedByTheSymbologyAndStoredBack) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        double Ratio;
        double Kept;
    };
    const Case Cases[] = {
        {bcCode39, "A", 1.5, 2.0},           {bcCode39, "A", 3.5, 3.0},
        {bcCode_2_5_matrix, "1", 2.1, 2.25}, {bcCode128B, "A", 1.5, 1.5}, // not clamped
        {bcCodeMSI, "1", 1.0, 1.0},          {bcCodeEAN13, "1", 2.6, 2.6},
        {bcCodeUPC_Supp2, "1", 4.0, 3.0},
    };
    for (const Case& C : Cases) {
        TBarcodeEngine E;
        E.SetTyp(C.Typ);
        E.SetText(C.Text);
        E.SetRatio(C.Ratio);
        E.ValidateSettings();
        EXPECT_EQ(E.Ratio(), C.Kept) << BarcodeTypeTable[C.Typ].Name << " " << C.Ratio;
    }
}

// Numeric symbologies lose leading and trailing codes 0 to 32 before the digit check; the others
// keep their text as it is.
TEST(EngineFrame, NumericTextsAreTrimmedThenChecked) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        const char* Kept;
        const char* Error;
    };
    const Case Cases[] = {
        {bcCodeMSI, " 123 ", "123", nullptr},
        {bcCodeMSI, "\t\001\03745\r\n ", "45", nullptr},
        {bcCodeMSI, "   ", "", nullptr},
        {bcCodeMSI, " 12a ", "12a", "Barcode must be numeric"}, // the trimmed form stays
        {bcCodeMSI, "1 2", "1 2", "Barcode must be numeric"},
        {bcCodePostNet, "\1771", "\1771", "Barcode must be numeric"}, // 127 is not blank
        {bcCodeEAN13, "12a", "12a", "Barcode must be numeric"},
        {bcCodeEAN128C, "12\xA0", "12\xA0", "Barcode must be numeric"},
        {bcCode39, " AB ", " AB ", nullptr},
    };
    for (const Case& C : Cases) {
        TBarcodeEngine E;
        E.SetTyp(C.Typ);
        E.SetText(C.Text);
        EXPECT_EQ(ErrorOf(E), C.Error ? C.Error : "(no error)") << C.Text;
        EXPECT_EQ(E.Text(), C.Kept) << C.Text;
    }
}

TEST(EngineFrame, DecodeElementReadsTheAlphabetAndRejectsTheRest) {
    TBarcodeEngine E;
    E.SetTyp(bcCode128B);
    E.SetText("A");
    E.SetRatio(3.0); // widths 1, 3, 4, 6
    E.EncodePattern();
    const std::pair<char, TElement> Known[] = {
        {'0', {1, ekSpace}}, {'3', {6, ekSpace}},    {'5', {1, ekBar}},
        {'7', {4, ekBar}},   {'A', {1, ekShortBar}}, {'D', {6, ekShortBar}},
    };
    for (const auto& [Ch, Element] : Known) {
        EXPECT_EQ(E.DecodeElement(Ch).Width, Element.Width) << Ch;
        EXPECT_EQ(E.DecodeElement(Ch).Kind, Element.Kind) << Ch;
    }
    for (const char Ch : {'4', '9', 'E', 'a', ' ', '\0'}) {
        try {
            E.DecodeElement(Ch);
            ADD_FAILURE() << Ch << " was accepted";
        } catch (const TException& Error) {
            EXPECT_STREQ(Error.what(), "TBarcodeEngine: internal Error");
        }
    }
}

// Width is the sum of the element widths: each EAN/UPC digit is 7 modules; Code 128 symbols
// are 11 modules and the stop 13.
TEST(EngineFrame, WidthSumsThePattern) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        int Modul;
        std::int32_t Width;
    };
    const Case Cases[] = {
        {bcCodeEAN13, "", 1, 95},           {bcCodeEAN13, "", 2, 190}, {bcCode128B, "Hi", 1, 57},
        {bcCode128B, "Hi", 0, 0}, // Modul 0 leaves no width at all
        {bcCode_2_5_interleaved, "", 1, 8},
    };
    for (const Case& C : Cases) {
        TBarcodeEngine E;
        E.SetTyp(C.Typ);
        E.SetText(C.Text);
        E.SetModul(C.Modul);
        EXPECT_EQ(E.Width(), C.Width) << BarcodeTypeTable[C.Typ].Name;
    }
}

TEST(EngineFrame, TypesAreFoundByTheirStoredNames) {
    for (std::size_t I = 0; I < BarcodeTypeCount; ++I) {
        TBarcodeType Found = bcCode39;
        EXPECT_TRUE(BarcodeTypeFromName(BarcodeTypeTable[I].Name, Found)) << I;
        EXPECT_EQ(Found, static_cast<TBarcodeType>(I));
    }
    TBarcodeType Kept = bcCodeMSI;
    for (const char* Name : {"", "EAN13", "bccodeean13", "bcCodeEAN13 "})
        EXPECT_FALSE(BarcodeTypeFromName(Name, Kept)) << Name;
    EXPECT_EQ(Kept, bcCodeMSI);
    TBarcodeType Last = bcCode39;
    ASSERT_TRUE(BarcodeTypeFromName("bcCodeEAN128C", Last));
    EXPECT_EQ(Last, bcCodeEAN128C);
}

TEST(EngineFrame, AssignCopiesEverySetting) {
    TBarcodeEngine Source;
    Source.SetText("0123");
    Source.SetModul(2);
    Source.SetRatio(2.5);
    Source.SetTyp(bcCodeUPC_A);
    Source.SetChecksum(true);
    Source.SetCheckSumMethod(csmNone);
    Source.SetAngle(270);
    Source.SetHeight(33);
    Source.SetColor(0x00FF00);
    Source.SetColorBar(0x0000FF);
    TBarcodeEngine Copy;
    Copy.Assign(Source);
    EXPECT_EQ(Copy.Text(), "0123");
    EXPECT_EQ(Copy.Modul(), 2);
    EXPECT_EQ(Copy.Ratio(), 2.5);
    EXPECT_EQ(Copy.Typ(), bcCodeUPC_A);
    EXPECT_TRUE(Copy.Checksum());
    EXPECT_EQ(Copy.CheckSumMethod(), csmNone);
    EXPECT_EQ(Copy.Angle(), 270);
    EXPECT_EQ(Copy.Height(), 33);
    EXPECT_EQ(Copy.Color(), 0x00FF00);
    EXPECT_EQ(Copy.ColorBar(), 0x0000FF);
    EXPECT_EQ(Copy.EncodePattern(), Source.EncodePattern());
}
