#include "Decode.h"
#include "PatternModules.h"

#include "common/Rounding.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TBarcodeEngine Engine(TBarcodeType Typ, const std::string& Text, bool Checksum = false) {
    TBarcodeEngine E;
    E.SetTyp(Typ);
    E.SetText(Text);
    E.SetChecksum(Checksum);
    return E;
}

bool Dark(const QImage& Image, int X, int Y) {
    return qGray(Image.pixel(X, Y)) < 128;
}

// DrawBarcode's layout at P pixels per module and its default quiet zone of 12 modules.
constexpr int Quiet = 12;

} // namespace

// An element of width w covers exactly w units: a line across the bars reads the pattern's
// modules, each P pixels wide, with no gap and no overlap, at any whole scale and both along
// the width and along the height.
TEST(BarcodePaint, ElementsAbutExactly) {
    for (const int P : {1, 3}) {
        TBarcodeEngine E = Engine(bcCodeEAN13, "1234567890128");
        const std::string Expected = PatternModules(E.EncodePattern());
        std::string Across;
        const QImage Upright = DrawBarcode(E, 0, P, Quiet, false);
        for (int X = Quiet * P; X < (Quiet + 95) * P; X += P)
            Across += Dark(Upright, X, (Quiet + 10) * P) ? '1' : '0';
        EXPECT_EQ(Across, Expected) << P;
        for (int X = Quiet * P; X < (Quiet + 95) * P; ++X) // every pixel of each module
            EXPECT_EQ(Dark(Upright, X, (Quiet + 10) * P),
                      Expected[static_cast<std::size_t>(X / P - Quiet)] == '1')
                << P << " " << X;
        // At 90 degrees the barcode reads from bottom to top.
        std::string Up;
        const QImage Turned = DrawBarcode(E, 90, P, Quiet, false);
        for (int Y = (Quiet + 95) * P - 1; Y >= Quiet * P; Y -= P)
            Up += Dark(Turned, (Quiet + 10) * P, Y) ? '1' : '0';
        EXPECT_EQ(Up, Expected) << P;
    }
}

// 90, 180 and 270 degrees are the 0-degree picture turned counter-clockwise: the bars pixel for
// pixel; glyphs are rasterised afresh at each angle, so their edges may differ by a pixel.
TEST(BarcodePaint, AnglesAreTurnsOfOnePicture) {
    const TBarcodeEngine Cases[] = {
        Engine(bcCodeEAN13, "400638133393", true),
        Engine(bcCodePostNet, "12345"),
        Engine(bcCode128B, "Hi"),
    };
    for (const bool ShowText : {false, true})
        for (const TBarcodeEngine& Case : Cases) {
            TBarcodeEngine E;
            E.Assign(Case);
            const QImage Zero = DrawBarcode(E, 0, 2, Quiet, ShowText);
            for (const int Angle : {90, 180, 270}) {
                const QImage Turned = DrawBarcode(E, Angle, 2, Quiet, ShowText);
                const QImage Expected = Zero.transformed(QTransform().rotate(-Angle));
                ASSERT_EQ(Turned.size(), Expected.size());
                int Differ = 0;
                int Ink = 0;
                for (int Y = 0; Y < Turned.height(); ++Y)
                    for (int X = 0; X < Turned.width(); ++X) {
                        Differ += Dark(Turned, X, Y) != Dark(Expected, X, Y);
                        Ink += Dark(Expected, X, Y);
                    }
                EXPECT_LE(Differ, ShowText ? Ink / 25 : 0)
                    << BarcodeTypeTable[E.Typ()].Name << " " << Angle << " " << ShowText;
            }
        }
}

// PostNet 1 ("51", then A1A1A15151, then "5"; a space is 2 units): its three short bars start
// at units 3, 6 and 9, its tall bars at 0, 12, 15 and 18. Short bars stand on the baseline of
// the tall ones, the bottom of the bar area at 0 degrees.
TEST(BarcodePaint, PostNetShortBarsStandOnTheBaseline) {
    TBarcodeEngine E = Engine(bcCodePostNet, "1");
    const int P = 4;
    const QImage Image = DrawBarcode(E, 0, P, Quiet, false);
    ASSERT_EQ(E.Height(), 50 - 16);
    const int Top = Quiet * P + P / 2;
    const int Bottom = (Quiet + E.Height()) * P - P / 2;
    const int Middle = (Quiet + E.Height() / 2) * P;
    for (const int Unit : {0, 12, 15, 18}) {
        const int X = (Quiet + Unit) * P + P / 2;
        EXPECT_TRUE(Dark(Image, X, Top) && Dark(Image, X, Middle) && Dark(Image, X, Bottom))
            << Unit;
    }
    for (const int Unit : {3, 6, 9}) {
        const int X = (Quiet + Unit) * P + P / 2;
        EXPECT_FALSE(Dark(Image, X, Top)) << Unit;
        EXPECT_FALSE(Dark(Image, X, Middle)) << Unit; // two fifths high
        EXPECT_TRUE(Dark(Image, X, Bottom)) << Unit;
    }
}

// Spaces are filled with Color and bars with ColorBar over the whole bar area and nothing
// beyond it; above a short bar the background stays as it was.
TEST(BarcodePaint, ColoursFillExactlyTheBarArea) {
    EnsureGuiApplication();
    const QRgb Red = qRgb(255, 0, 0);
    const QRgb Green = qRgb(0, 255, 0);
    const QRgb Blue = qRgb(0, 0, 255);
    for (const TBarcodeType Typ : {bcCodeEAN13, bcCodePostNet}) {
        TBarcodeEngine E = Engine(Typ, "1");
        E.SetColor(0x00FF00);
        E.SetColorBar(0xFF0000); // red in the low byte: blue
        const int P = 3;
        const QRect Rect(10, 10, E.Width() * P, 50 * P);
        QImage Image(Rect.size() + QSize(20, 20), QImage::Format_RGB32);
        Image.fill(Red);
        QPainter Painter(&Image);
        E.PaintBarcode(Painter, Rect, false);
        Painter.end();
        int Spilled = 0;   // painted outside the bar area
        int Untouched = 0; // left red inside it
        int Bars = 0;
        for (int Y = 0; Y < Image.height(); ++Y)
            for (int X = 0; X < Image.width(); ++X) {
                const QRgb C = Image.pixel(X, Y);
                const bool InBarArea = Rect.contains(X, Y) && Y < Rect.top() + E.Height() * P;
                Spilled += !InBarArea && C != Red;
                Untouched += InBarArea && C == Red;
                Bars += C == Blue;
                EXPECT_TRUE(C == Red || C == Green || C == Blue) << X << " " << Y;
            }
        EXPECT_EQ(Spilled, 0);
        EXPECT_GT(Bars, 0);
        // PostNet 1 has three short bars of one unit: above each, three fifths of the height.
        EXPECT_EQ(Untouched,
                  Typ == bcCodePostNet ? 3 * P * (E.Height() - E.Height() * 2 / 5) * P : 0);
    }
}

// At a scale that is not a whole number of pixels per module, and with a caller that smooths
// its drawing, every pixel is still a bar or a space: no grey edges, no seams.
TEST(BarcodePaint, BarsStaySharpAtAnyScale) {
    EnsureGuiApplication();
    TBarcodeEngine E = Engine(bcCodeEAN13, "400638133393", true);
    QImage Image(203, 100, QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    Painter.setRenderHint(QPainter::Antialiasing);
    E.PaintBarcode(Painter, Image.rect(), false);
    Painter.end();
    int Grey = 0;
    int Black = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X) {
            const QRgb C = Image.pixel(X, Y);
            Grey += C != qRgb(0, 0, 0) && C != qRgb(255, 255, 255);
            Black += C == qRgb(0, 0, 0);
        }
    EXPECT_EQ(Grey, 0);
    EXPECT_GT(Black, 0);
}

// The runs of dark and light along one line across the bars, from the first dark pixel to the
// last; Across(I) gives the line's I-th pixel.
template <typename TPixel> std::vector<int> Runs(int Count, TPixel Across) {
    std::vector<int> Result;
    int First = 0;
    while (First < Count && !Across(First))
        ++First;
    int Last = Count - 1;
    while (Last > First && !Across(Last))
        --Last;
    for (int I = First; I <= Last; ++I) {
        if (I == First || Across(I) != Across(I - 1))
            Result.push_back(0);
        ++Result.back();
    }
    return Result;
}

// On a device of 203, 300 and 600 dots per inch a symbol drawn for a rectangle of its screen
// pixels (one per module) gets 203/96 = 2.11, 300/96 = 3.125 and 600/96 = 6.25 dots a module;
// with whole-dot modules every bar and space is its module count times 2, 3 and 6 dots, on
// every line across the bars that crosses them all and at every angle, the symbol's middle
// where the rectangle's is. Code 39 has two widths, EAN-13 four, PostNet short bars. With a bar
// width reduction of R dots each bar is R dots narrower, but at least one dot, and the space
// after it as much wider.
TEST(BarcodePaint, WholeDotModulesAtPrinterResolutions) {
    EnsureGuiApplication();
    struct TSymbol {
        TBarcodeType Typ;
        const char* Text;
    };
    const TSymbol Symbols[] = {
        {bcCode39, "TESS-42"}, {bcCodeEAN13, "400638133393"}, {bcCodePostNet, "12345"}};
    const std::pair<int, int> Resolutions[] = {{203, 2}, {300, 3}, {600, 6}}; // dpi, dots
    for (const TSymbol& S : Symbols)
        for (const auto& [Dpi, Dots] : Resolutions)
            for (const int Angle : {0, 90, 180, 270})
                for (const int Reduction : {0, 1, 4}) {
                    TBarcodeEngine E = Engine(S.Typ, S.Text, true);
                    E.SetAngle(Angle);
                    const std::string Pattern = E.EncodePattern();
                    std::vector<int> Expected;
                    int Given = 0; // what the bar before gave to this space
                    for (const char Ch : Pattern) {
                        const TElement El = E.DecodeElement(Ch);
                        const int Full = El.Width * Dots;
                        const int Width =
                            El.Kind == ekSpace ? Full + Given : std::max(1, Full - Reduction);
                        Given = El.Kind == ekSpace ? 0 : Full - Width;
                        Expected.push_back(Width);
                    }
                    while (E.DecodeElement(Pattern[Expected.size() - 1]).Kind == ekSpace)
                        Expected.pop_back(); // a trailing gap is background
                    // At 90 degrees the symbol reads from bottom to top, at 180 from right to left.
                    if (Angle == 90 || Angle == 180)
                        std::reverse(Expected.begin(), Expected.end());
                    const int Length = RoundToInt(E.Width() * Dpi / 96.0);
                    const int Depth = RoundToInt(40 * Dpi / 96.0);
                    const bool Upright = Angle % 180 == 0;
                    const QRect Rect(17, 23, Upright ? Length : Depth, Upright ? Depth : Length);
                    QImage Image(Rect.right() + 40, Rect.bottom() + 40, QImage::Format_RGB32);
                    Image.fill(Qt::white);
                    QPainter Painter(&Image);
                    E.PaintBarcode(Painter, Rect, false, mfWholeDots, Reduction);
                    Painter.end();
                    // The line that crosses most runs is one through the short bars too.
                    std::vector<int> Best;
                    int BestAt = 0;
                    for (int Line = 0; Line < (Upright ? Rect.height() : Rect.width()); ++Line) {
                        const int At = (Upright ? Rect.top() : Rect.left()) + Line;
                        const std::vector<int> Found =
                            Upright
                                ? Runs(Image.width(), [&](int X) { return Dark(Image, X, At); })
                                : Runs(Image.height(), [&](int Y) { return Dark(Image, At, Y); });
                        if (Found.size() > Best.size()) {
                            Best = Found;
                            BestAt = At;
                        }
                    }
                    EXPECT_EQ(Best, Expected)
                        << S.Text << " at " << Dpi << " dpi, " << Angle << ", less " << Reduction;
                    int Start = 0;
                    while (Upright ? !Dark(Image, Start, BestAt) : !Dark(Image, BestAt, Start))
                        ++Start;
                    int Inked = 0;
                    for (const int Run : Best)
                        Inked += Run;
                    const int Middle =
                        Upright ? Rect.left() + Rect.width() / 2 : Rect.top() + Rect.height() / 2;
                    // Within the trailing gap, one module, and a dot of rounding.
                    EXPECT_NEAR(Start + Inked / 2, Middle, Dots * 2) << S.Text << " " << Angle;
                }
}

// The retail layouts: the bars end 7 units short of the text side and the digit boxes (16 units
// deep) cut into the data bars, while the guard bars stay long; EAN-13 shows its leading digit
// left of the bars unless it is 0.
TEST(BarcodePaint, RetailDigitBoxesCutIntoTheDataBars) {
    const int P = 3;
    TBarcodeEngine E = Engine(bcCodeEAN13, "1234567890128");
    const QImage Image = DrawBarcode(E, 0, P);
    const int L = 50;
    ASSERT_EQ(E.Height(), L - 7);
    const int BoxTop = (Quiet + L - 16) * P + 1; // above the glyphs
    const auto At = [&](double Unit, double Depth) {
        return Dark(Image, static_cast<int>((Quiet + Unit) * P), static_cast<int>(Depth));
    };
    EXPECT_TRUE(At(0.5, BoxTop));           // left guard
    EXPECT_TRUE(At(46.5, BoxTop));          // centre guard
    EXPECT_TRUE(At(94.5, BoxTop));          // right guard
    EXPECT_TRUE(At(5.5, (Quiet + 10) * P)); // digit 2 in set A, 0010011: dark at module 5
    EXPECT_FALSE(At(5.5, BoxTop));
    EXPECT_FALSE(At(94.5, (Quiet + L - 5) * P)); // below the guards' end

    const auto LeadingDigitInk = [&](const std::string& Text) {
        TBarcodeEngine Ean = Engine(bcCodeEAN13, Text);
        const QImage Drawn = DrawBarcode(Ean, 0, P);
        int Ink = 0;
        for (int X = (Quiet - 8) * P; X < Quiet * P; ++X)
            for (int Y = (Quiet + L - 16) * P; Y < (Quiet + L) * P; ++Y)
                Ink += Dark(Drawn, X, Y);
        return Ink;
    };
    EXPECT_GT(LeadingDigitInk("1234567890128"), 10);
    EXPECT_EQ(LeadingDigitInk("0012345678905"), 0);
}

// EncodeEAN8 leaves a seven-digit Text as typed; the boxes show the eight digits the bars hold,
// so the symbol looks exactly like the one typed with its check digit.
TEST(BarcodePaint, Ean8ShowsTheDigitsItEncodes) {
    TBarcodeEngine Typed = Engine(bcCodeEAN8, "1234567", true);
    TBarcodeEngine Full = Engine(bcCodeEAN8, "12345670");
    const QImage Drawn = DrawBarcode(Typed, 0, 3);
    EXPECT_EQ(Typed.Text(), "1234567");
    EXPECT_EQ(Drawn, DrawBarcode(Full, 0, 3));
}

// The bar height is the frame's depth at the rectangle's scale less the text band (7 units for
// the retail symbols, 16 for the others); it is not clamped below 0.
TEST(BarcodePaint, BarHeightFollowsTheRectangle) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        int Angle;
        QRect Rect;
        std::int32_t Height;
    };
    const Case Cases[] = {
        {bcCodeEAN13, "", 0, QRect(0, 0, 97, 48), 40}, // round(48 x 95 / 97) - 7
        {bcCodeEAN13, "", 0, QRect(5, 5, 95, 50), 43},
        {bcCodeEAN13, "", 180, QRect(0, 0, 190, 50), 18}, // twice as wide: half as deep
        {bcCodeEAN13, "", 0, QRect(0, 0, 95, 5), -2},
        {bcCode128B, "Hi", 0, QRect(0, 0, 114, 100), 34}, // 57 units
        {bcCode128B, "Hi", 90, QRect(0, 0, 100, 114), 34},
        {bcCode128B, "Hi", 270, QRect(0, 0, 200, 57), 184},
    };
    EnsureGuiApplication();
    for (const Case& C : Cases) {
        TBarcodeEngine E = Engine(C.Typ, C.Text);
        E.SetAngle(C.Angle);
        QImage Image(300, 300, QImage::Format_RGB32);
        QPainter Painter(&Image);
        E.PaintBarcode(Painter, C.Rect, true);
        EXPECT_EQ(E.Height(), C.Height) << BarcodeTypeTable[C.Typ].Name << " " << C.Angle;
    }
}

// A pattern without width (Modul 0) gives no scale, and an empty rectangle no room: nothing is
// drawn.
TEST(BarcodePaint, NothingToScaleDrawsNothing) {
    EnsureGuiApplication();
    const std::pair<int, QRect> Cases[] = {
        {0, QRect(10, 10, 100, 50)}, {1, QRect(10, 10, 0, 50)}, {1, QRect(10, 10, 100, 0)}};
    for (const auto& [Modul, Rect] : Cases) {
        TBarcodeEngine E = Engine(bcCodeEAN13, "123");
        E.SetModul(Modul);
        QImage Image(120, 70, QImage::Format_RGB32);
        Image.fill(Qt::white);
        QImage White = Image;
        QPainter Painter(&Image);
        E.PaintBarcode(Painter, Rect, true);
        Painter.end();
        EXPECT_EQ(Image, White) << Modul;
    }
}

// zbar reads every retail symbol at every angle as the digits printed under it. zbar reports
// UPC-A and UPC-E as EAN-13: a leading 0, then the UPC-A number; UPC-E in its expansion by the
// standard's zero-suppression rule (hand-expanded below).
TEST(BarcodePaint, RetailSymbolsDecodeToTheirText) {
    struct Case {
        TBarcodeType Typ;
        const char* Text;
        const char* Shown;
        const char* Decoded;
    };
    const Case Cases[] = {
        {bcCodeEAN13, "400638133393", "4006381333931", "4006381333931"},
        {bcCodeEAN13, "12345", "0000000123457", "0000000123457"},
        {bcCodeEAN8, "1234567", "1234567", "12345670"}, // shown as 1234 5670
        {bcCodeEAN8, "9638507", "9638507", "96385074"},
        {bcCodeUPC_A, "03600029145", "036000291452", "0036000291452"},
        {bcCodeUPC_A, "12345678901", "123456789012", "0123456789012"},
        {bcCodeUPC_E0, "9876540", "9876547", "0098760000057"}, // 0 9876 00000 5, check 7
        {bcCodeUPC_E0, "1234530", "1234531", "0012300000451"}, // 0 123 00000 45, check 1
        {bcCodeUPC_E0, "1234000", "1234000", "0012000003400"}, // 0 12 0 0000 340, check 0
    };
    for (const Case& C : Cases)
        for (const int Angle : {0, 90, 180, 270}) {
            TBarcodeEngine E = Engine(C.Typ, C.Text, true);
            const std::vector<std::string> Found = DecodeDrawn(E, Angle);
            EXPECT_EQ(E.Text(), C.Shown);
            EXPECT_EQ(Found, std::vector<std::string>{C.Decoded})
                << BarcodeTypeTable[C.Typ].Name << " " << C.Text << " at " << Angle;
        }
}
