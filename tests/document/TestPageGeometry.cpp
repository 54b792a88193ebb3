#include "PageTestSupport.h"

#include "common/Rounding.h"
#include "common/TException.h"
#include "document/TPageGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using G = TPageGeometry;

std::array<long double, 7> NativeValues(const TPageGeometry& Page) {
    std::array<long double, 7> Values{};
    for (std::size_t I = 0; I < Values.size(); ++I)
        Values[I] = Page.NativeValue(I);
    return Values;
}

} // namespace

// The stored lengths of a new page, compared byte for byte with the extended values a document
// of a new metric A4 page holds (BottomMargin 100, Length 2970, Width 2100).
TEST(PageGeometry, NewMetricPageIsA4WithTenMillimetreMargins) {
    const TFixedSystem System(false);
    const TPageGeometry Page(nullptr);
    EXPECT_EQ(Page.Units(), TPageUnit::MM);
    EXPECT_EQ(Page.PaperSize(), TPaperSize::A4);
    EXPECT_EQ(Page.Orientation(), poPortrait);
    EXPECT_EQ(Page.Columns(), 1);
    EXPECT_TRUE(Page.Ruler());
    const char* Hundred = "00 00 00 00 00 00 00 C8 05 40";
    const char* Expected[7] = {
        Hundred, "00 00 00 00 00 00 A0 B9 0A 40", Hundred, "00 00 00 00 00 00 40 83 0A 40", Hundred,
        Hundred, "00 00 00 00 00 00 00 00 00 00"};
    for (std::size_t I = 0; I < 7; ++I)
        EXPECT_EQ(ExtendedBytes(Page.NativeValue(I)), Expected[I]) << I;
    const long double InMM[7] = {10, 297, 10, 210, 10, 10, 0};
    for (int I = 0; I < 7; ++I)
        EXPECT_EQ(Page.GetPageValue(I), InMM[I]) << I;
    // Past the last index reads ColumnSpace.
    EXPECT_EQ(Page.GetPageValue(7), 0);
}

// A U.S. system starts on Letter with half-inch margins; the page panel shows 0.5 in as "0".
TEST(PageGeometry, NewUSPageIsLetterWithHalfInchMargins) {
    const TFixedSystem System(true);
    const TPageGeometry Page(nullptr);
    EXPECT_EQ(Page.Units(), TPageUnit::Inches);
    EXPECT_EQ(Page.PaperSize(), TPaperSize::Letter);
    EXPECT_EQ(Page.NativeValue(G::pvWidth), 215.9L * 10);
    EXPECT_EQ(Page.NativeValue(G::pvLength), 279.4L * 10);
    for (const int Margin :
         {G::pvBottomMargin, G::pvTopMargin, G::pvLeftMargin, G::pvRightMargin}) {
        EXPECT_EQ(Page.NativeValue(static_cast<std::size_t>(Margin)), 127) << Margin;
        EXPECT_EQ(Page.GetPageValue(Margin), 0.5L) << Margin;
        EXPECT_EQ(RoundToInt(Page.GetPageValue(Margin)), 0) << Margin;
    }
}

// A named paper stores its table millimetres times ten; landscape swaps the pair; Default and
// Custom keep what is there.
TEST(PageGeometry, PaperSizeAndOrientation) {
    const TFixedSystem System(false);
    struct TCase {
        TPaperSize Paper;
        TPrinterOrientation Orientation;
        long double Width;
        long double Length;
    };
    const TCase Cases[] = {
        {TPaperSize::Letter, poPortrait, 215.9L * 10, 279.4L * 10},
        {TPaperSize::Ledger, poLandscape, 279.4L * 10, 431.8L * 10},
        {TPaperSize::A4, poLandscape, 2970, 2100},
        {TPaperSize::Env9, poPortrait, 98.43L * 10, 225.4L * 10},
        // Default and Custom keep the A4 they were set on, turned by the orientation set first.
        {TPaperSize::Default, poPortrait, 2100, 2970},
        {TPaperSize::Custom, poLandscape, 2970, 2100},
    };
    for (const TCase& C : Cases) {
        TPageGeometry Page(nullptr);
        Page.SetOrientation(C.Orientation);
        Page.SetPaperSize(C.Paper);
        EXPECT_EQ(Page.PaperSize(), C.Paper);
        EXPECT_EQ(Page.NativeValue(G::pvWidth), C.Width) << PaperSizeIdents[size_t(C.Paper)];
        EXPECT_EQ(Page.NativeValue(G::pvLength), C.Length) << PaperSizeIdents[size_t(C.Paper)];
        EXPECT_EQ(Page.Units(), TPageUnit::MM);
    }
    // Letter stores 2159 by 2794 to the last bit of 215.9 and 279.4 times ten.
    TPageGeometry Letter(nullptr);
    Letter.SetPaperSize(TPaperSize::Letter);
    EXPECT_EQ(ExtendedBytes(Letter.NativeValue(G::pvWidth)), ExtendedBytes(215.9L * 10));
}

// Setters ignore what they cannot take, silently.
TEST(PageGeometry, InvalidValuesAreIgnored) {
    const TFixedSystem System(false);
    TPageGeometry Page(nullptr);
    const auto Before = NativeValues(Page);
    Page.SetPageValue(G::pvWidth, 100);  // A4 is not Custom
    Page.SetPageValue(G::pvLength, 100); // likewise
    Page.SetPageValue(7, 55);
    Page.SetPageValue(-1, 55);
    Page.SetPaperSize(static_cast<TPaperSize>(PaperSizeCount));
    EXPECT_EQ(Page.PaperSize(), TPaperSize::A4);
    EXPECT_EQ(NativeValues(Page), Before);
    for (const int Columns : {0, -1, -100}) {
        Page.SetColumns(Columns);
        EXPECT_EQ(Page.Columns(), 1) << Columns;
    }
    Page.SetColumns(3);
    EXPECT_EQ(Page.Columns(), 3);

    // On Custom, Width and Length take values and orientation leaves them alone.
    Page.SetPaperSize(TPaperSize::Custom);
    Page.SetPageValue(G::pvWidth, 100);
    Page.SetPageValue(G::pvLength, 150);
    Page.SetOrientation(poLandscape);
    EXPECT_EQ(Page.NativeValue(G::pvWidth), 1000);
    EXPECT_EQ(Page.NativeValue(G::pvLength), 1500);
    EXPECT_EQ(Page.Orientation(), poLandscape);
}

// Each unit against a hand computation: 2100 native is 210 mm, 8.2677 in, 793.7 pixels at 96 ppi
// and zoom 100 (2100 / (254 / 96)); at the page font's 10 points a character is 80 / 10 / 2.54
// wide and 145.3 / 10 / 2.54 high, so 2100 is 2100 * 2.54 / 80 = 66.675 characters across and
// 2100 * 2.54 / 145.3 = 36.7102... down.
TEST(PageGeometry, UnitConversions) {
    const TFixedSystem System(false);
    const TPageGeometry Page(nullptr);
    struct TCase {
        TPageUnit Unit;
        bool Horizontal;
        long double Native;
        long double Expected;
        long double Tolerance;
    };
    const TCase Cases[] = {
        {TPageUnit::MM, true, 2100, 210, 0},
        {TPageUnit::MM, false, 1, 0.1L, 1e-18L},
        {TPageUnit::Inches, true, 127, 0.5L, 0},
        {TPageUnit::Inches, false, 2100, 8.267716535433070866L, 1e-15L},
        {TPageUnit::Pixels, true, 2100, 793.7007874015748031L, 1e-12L},
        {TPageUnit::Pixels, false, 2970, 1122.5196850393700787L, 1e-12L},
        {TPageUnit::Characters, true, 2100, 66.675L, 1e-12L},
        {TPageUnit::Characters, false, 2100, 36.710254645560908L, 1e-12L},
        {TPageUnit::Native, true, 1234.5L, 1234.5L, 0},
    };
    for (const TCase& C : Cases) {
        const long double Units = Page.NativeToUnits(C.Unit, C.Horizontal, C.Native);
        EXPECT_NEAR(static_cast<double>(Units), static_cast<double>(C.Expected),
                    static_cast<double>(C.Tolerance))
            << PageUnitNames[size_t(C.Unit)] << " " << C.Horizontal;
        const long double Back = Page.UnitsToNative(C.Unit, C.Horizontal, Units);
        EXPECT_NEAR(static_cast<double>(Back), static_cast<double>(C.Native), 1e-9)
            << PageUnitNames[size_t(C.Unit)];
    }
}

// 50 pixels at 96 ppi and zoom 100, and 100 pixels, as a stored document holds them (the bytes of
// an item 100 by 50 pixels at 50, 50).
TEST(PageGeometry, PixelsToNativeMatchStoredBits) {
    const TFixedSystem System(false);
    const TPageGeometry Page(nullptr);
    EXPECT_EQ(ExtendedBytes(Page.UnitsToNative(TPageUnit::Pixels, true, 50)),
              "AA AA AA AA AA AA 4A 84 06 40");
    EXPECT_EQ(ExtendedBytes(Page.UnitsToNative(TPageUnit::Pixels, true, 100)),
              "AA AA AA AA AA AA 4A 84 07 40");
}

// The stored "Values" travel as they are, seven of them, no more and no fewer.
TEST(PageGeometry, ValuesReadAndWrittenAsStored) {
    const TFixedSystem System(false);
    TPageGeometry Page(nullptr);
    const std::vector<long double> Stored = {1.25L, 3000.1L, 2, 1000.3L, 0.1L, 7, 12};
    Page.ReadValues(Stored);
    EXPECT_EQ(Page.WriteValues(), Stored);
    // The setters' rules do not apply: Width and Length were taken on an A4 page.
    EXPECT_EQ(Page.PaperSize(), TPaperSize::A4);
    for (const std::size_t Count : {0u, 6u, 8u}) {
        const std::vector<long double> Wrong(Count, 1.0L);
        try {
            Page.ReadValues(Wrong);
            ADD_FAILURE() << Count << " values were taken";
        } catch (const TException& E) {
            EXPECT_STREQ(E.what(), "Invalid property value");
        }
    }
    EXPECT_EQ(Page.WriteValues(), Stored);
}
