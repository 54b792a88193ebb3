#include "PageTestSupport.h"

#include "document/TBarcodeItem.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"

#include <QImage>
#include <QtTest>

using S = TPrintableSize;

namespace {

// Pixels to native units at 96 pixels per inch and the given zoom, in the order the document
// format fixes: t = 254 / R, t = v * t, t = t / Z, t = t * 100.
long double PixelsToNative(long double Pixels, long double Zoom = 100) {
    long double T = 254.0L / 96;
    T = Pixels * T;
    T = T / Zoom;
    T = T * 100;
    return T;
}

std::array<long double, 4> Stored(const TPrintable& Item) {
    return {Item.Size().NativeValue(S::svHeight), Item.Size().NativeValue(S::svLeft),
            Item.Size().NativeValue(S::svTop), Item.Size().NativeValue(S::svWidth)};
}

QRect Bounds(const TPrintable& Item) {
    return {Item.Left(), Item.Top(), Item.Width(), Item.Height()};
}

} // namespace

class TestPrintable : public QObject {
    Q_OBJECT

private slots:
    void PixelBoundsStoreNativeValues();
    void MoveKeepsWholePixelSizes();
    void SizeValuesInUnitsResizeTheControl();
    void ParentingTakesPageUnitsAndZoom();
    void PageZoomScalesPixelBoundsOnly();
    void PendingBoundsStandInForZeroLengths();
    void CornerMarksAndFrame();
};

// The insert command's bounds, at 96 pixels per inch and zoom 100.
void TestPrintable::PixelBoundsStoreNativeValues() {
    const TFixedSystem System(false);
    TReportPage Page;
    auto* Item = new TBarcodeItem(&Page);
    Item->SetTop(50);
    Item->SetLeft(50);
    Item->SetWidth(100);
    Item->SetHeight(50);
    Item->SetParent(&Page);
    const std::array<long double, 4> Expected{PixelsToNative(50), PixelsToNative(50),
                                              PixelsToNative(50), PixelsToNative(100)};
    QCOMPARE(Stored(*Item), Expected);
    // 132.291666... and 264.583333... tenths of a millimetre.
    QVERIFY(std::fabs(Expected[0] - 132.2916666666666667L) < 1e-12L);
    QVERIFY(std::fabs(Expected[3] - 264.5833333333333333L) < 1e-12L);
    QCOMPARE(Bounds(*Item), QRect(50, 50, 100, 50));
    QCOMPARE(Item->Size().Units(), TPageUnit::MM);
    QVERIFY(std::fabs(Item->Size().Width() - 26.458333333333L) < 1e-9L);
}

// A move passes the unchanged width and height: a size that is a whole pixel stays, one entered
// in millimetres snaps to the pixel it shows.
void TestPrintable::MoveKeepsWholePixelSizes() {
    const TFixedSystem System(false);
    TReportPage Page;
    auto* Item = new TBarcodeItem(&Page);
    Item->SetParent(&Page);
    Item->SetBounds(50, 50, 100, 50);
    const std::array<long double, 4> Before = Stored(*Item);
    Item->SetBounds(51, 50, 100, 50);
    QCOMPARE(Stored(*Item), (std::array{Before[0], PixelsToNative(51), Before[2], Before[3]}));

    Item->Size().SetWidth(50); // mm
    QCOMPARE(Item->Size().NativeValue(S::svWidth), 500.0L);
    QCOMPARE(Item->Width(), 189); // 500 / (254 / 96) = 188.98
    Item->SetBounds(52, 50, Item->Width(), Item->Height());
    QCOMPARE(Item->Size().NativeValue(S::svWidth), PixelsToNative(189));
    QVERIFY(std::fabs(Item->Size().NativeValue(S::svWidth) - 500.0625L) < 1e-12L);
}

// Each length in the unit of the size object, with the direction it converts in.
void TestPrintable::SizeValuesInUnitsResizeTheControl() {
    const TFixedSystem System(false);
    TReportPage Page;
    auto* Item = new TBarcodeItem(&Page);
    Item->SetParent(&Page);
    struct TCase {
        TPageUnit Unit;
        int Index;
        long double Value;
        long double Native;
        QRect Pixels;
    };
    const TCase Cases[] = {
        {TPageUnit::MM, S::svLeft, 10, 100, {38, 50, 100, 50}},   // 37.795 -> 38
        {TPageUnit::Inches, S::svTop, 1, 254, {38, 96, 100, 50}}, // one inch is 96 pixels
        {TPageUnit::Native, S::svHeight, 127, 127, {38, 96, 100, 48}},
        {TPageUnit::Pixels, S::svWidth, 40, PixelsToNative(40), {38, 96, 40, 48}},
        // Out of range: nothing is stored, the read gives Width.
        {TPageUnit::Pixels, 7, 5, PixelsToNative(40), {38, 96, 40, 48}},
    };
    Item->SetBounds(50, 50, 100, 50);
    for (const TCase& C : Cases) {
        Item->Size().SetUnits(C.Unit);
        Item->Size().SetSizeValue(C.Index, C.Value);
        QCOMPARE(Item->Size().NativeValue(static_cast<std::size_t>(C.Index)), C.Native);
        QCOMPARE(Bounds(*Item), C.Pixels);
        QCOMPARE(Item->Size().GetSizeValue(C.Index),
                 Item->Size().NativeToUnits(C.Unit, S::IsHorizontal(C.Index), C.Native));
    }
}

// On a page the item takes the page's unit and zoom and stays at its pixel position; later
// unit changes of the page reach it.
void TestPrintable::ParentingTakesPageUnitsAndZoom() {
    const TFixedSystem System(true);
    TReportPage Page;
    Page.SetZoom(200);
    auto* Item = new TBarcodeItem(&Page);
    Item->SetBounds(50, 50, 100, 50);
    QCOMPARE(Item->Size().Units(), TPageUnit::Inches);
    Item->Size().SetUnits(TPageUnit::MM);
    Item->SetParent(&Page);
    QCOMPARE(Item->Zoom(), 200);
    QCOMPARE(Item->Size().Units(), TPageUnit::Inches);
    QCOMPARE(Item->ReportPage(), &Page);
    // The size doubled with the zoom; the position was set again in pixels of zoom 200.
    QCOMPARE(Bounds(*Item), QRect(50, 50, 200, 100));
    QCOMPARE(Item->Size().NativeValue(S::svLeft), PixelsToNative(50, 200));
    QCOMPARE(Item->Size().NativeValue(S::svWidth), PixelsToNative(100));
    Page.SetUnits(TPageUnit::Native);
    QCOMPARE(Item->Size().Units(), TPageUnit::Native);
    QVERIFY(!Item->isHidden());
}

void TestPrintable::PageZoomScalesPixelBoundsOnly() {
    const TFixedSystem System(false);
    TReportPage Page;
    auto* Item = new TBarcodeItem(&Page);
    Item->SetParent(&Page);
    Item->SetBounds(50, 30, 100, 50);
    const std::array<long double, 4> Before = Stored(*Item);
    struct TCase {
        std::int32_t Zoom;
        QRect Pixels;
    };
    const TCase Cases[] = {{200, {100, 60, 200, 100}},
                           {0, {100, 60, 200, 100}},
                           {50, {25, 15, 50, 25}},
                           {100, {50, 30, 100, 50}}};
    for (const TCase& C : Cases) {
        Page.SetZoom(C.Zoom);
        QCOMPARE(Bounds(*Item), C.Pixels);
        QCOMPARE(Stored(*Item), Before);
    }
}

// Pixel bounds that arrive while reading are remembered; after reading the stored lengths place
// the item, and a remembered bound fills in only where they give 0.
void TestPrintable::PendingBoundsStandInForZeroLengths() {
    const TFixedSystem System(false);
    struct TCase {
        const char* Label;
        std::array<long double, 4> Values; // Height, Left, Top, Width
        QRect FilePixels;
        QRect Expected;
    };
    const TCase Cases[] = {
        {"stored lengths win",
         {PixelsToNative(50), PixelsToNative(20), PixelsToNative(10), PixelsToNative(100)},
         {999, 999, 999, 999},
         {20, 10, 100, 50}},
        {"left 0 takes the file's 30",
         {PixelsToNative(50), 0, PixelsToNative(10), PixelsToNative(100)},
         {30, 40, 70, 20},
         {30, 10, 100, 50}},
        {"all 0", {0, 0, 0, 0}, {30, 40, 70, 20}, {30, 40, 70, 20}},
        // A 0 in the file is no bound: the construction size was remembered when parented.
        {"file zeros", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 100, 50}},
    };
    for (const TCase& C : Cases) {
        TReportPage Page;
        auto* Item = new TBarcodeItem(&Page);
        Item->BeginReading();
        Item->SetParent(&Page);
        Item->SetBounds(C.FilePixels.x(), C.FilePixels.y(), C.FilePixels.width(),
                        C.FilePixels.height());
        QVERIFY2(Bounds(*Item) == QRect(0, 0, 100, 50), C.Label);
        Item->Size().ReadValues(C.Values);
        Item->AfterReading();
        QVERIFY2(!Item->Reading(), C.Label);
        QVERIFY2(Bounds(*Item) == C.Expected, C.Label);
        if (C.Values[1] == 0 && C.Expected.x() != 0)
            QVERIFY2(Item->Size().NativeValue(S::svLeft) == PixelsToNative(C.Expected.x()),
                     C.Label);
    }
}

// Corner marks at the four corners (a line's end point is not drawn) and the frame over the
// content: at 96 pixels per inch a frame of width 2 is 3 pixels thick.
void TestPrintable::CornerMarksAndFrame() {
    const TFixedSystem System(false);
    TReportPage Page;
    auto* Item = new TBarcodeItem(&Page);
    Item->SetParent(&Page);
    // Wide enough that the centred barcode keeps off the one-pixel border.
    Item->SetBounds(10, 10, 120, 30);
    const QImage Marks = Item->grab().toImage();
    const auto Black = [&Marks](QPoint P) { return Marks.pixelColor(P) == QColor(Qt::black); };
    // Top left: (0,3)-(0,0)-(3,0) covers x = 0 for y = 0..3 and y = 0 for x = 0..2.
    const QPoint On[] = {{0, 0},   {0, 3},   {2, 0},   {0, 26},   {0, 28},   {2, 29},
                         {116, 0}, {119, 2}, {119, 0}, {116, 29}, {119, 29}, {119, 27}};
    const QPoint Off[] = {{3, 0},   {0, 4},   {3, 29},   {0, 25},
                          {115, 0}, {119, 3}, {115, 29}, {119, 25}};
    for (const QPoint& P : On)
        QVERIFY2(Black(P), qPrintable(QStringLiteral("on %1,%2").arg(P.x()).arg(P.y())));
    for (const QPoint& P : Off)
        QVERIFY2(!Black(P), qPrintable(QStringLiteral("off %1,%2").arg(P.x()).arg(P.y())));

    Item->Frame().SetDrawLeft(true);
    Item->Frame().SetWidth(2);
    Item->Frame().SetColor(0x0000FF); // red
    QImage Framed = Item->grab().toImage();
    for (int X = 0; X < 5; ++X)
        QVERIFY2((Framed.pixelColor(X, 15) == QColor(Qt::red)) == (X < 3),
                 qPrintable(QString::number(X)));
    Item->Frame().SetWidth(0);
    QVERIFY(Item->grab().toImage().pixelColor(1, 15) != QColor(Qt::red));
}

QTEST_MAIN(TestPrintable)
#include "TestPrintable.moc"
