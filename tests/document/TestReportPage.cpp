#include "PageTestSupport.h"

#include "common/Rounding.h"
#include "common/TException.h"
#include "document/TReportPage.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>

using G = TPageGeometry;

class TestReportPage : public QObject {
    Q_OBJECT

private slots:
    void NewPageFollowsSystemAndPrinter();
    void NewPageCarriesItsDocumentProperties();
    void JapaneseSystemKeepsDefaultFont();
    void WidthTakesEffectOnlyOnCustomAndResizesControl();
    void ControlResizeFlowsBackOnlyOnCustom();
    void ControlSizeRoundsHalvesToEven();
    void ZoomOutsideRangeIsIgnored();
    void UnitsAndRuler();
    void FrameLinesHaveScaledThickness();
    void SystemAnswersWithoutOverrides();
};

// The paper a new page starts with: the locale picks Letter or A4 and the unit, then the default
// printer's paper replaces it: its paper type, or "Default size" of the printer's paper's size
// where the spooler tells it (a 4 x 5 in label: 1016 by 1270 native units).
void TestReportPage::NewPageFollowsSystemAndPrinter() {
    struct TCase {
        bool US;
        TPrinterPaper Printer; // A4 also stands for "no printer installed"
        TPaperSize Paper;
        long double Width;
        long double Length;
        long double Margin;
        TPageUnit Unit;
    };
    const TCase Cases[] = {
        {false, {TPaperSize::A4}, TPaperSize::A4, 2100, 2970, 100, TPageUnit::MM},
        {false,
         {TPaperSize::Letter},
         TPaperSize::Letter,
         215.9L * 10,
         279.4L * 10,
         100,
         TPageUnit::MM},
        {false, {TPaperSize::Default}, TPaperSize::Default, 2100, 2970, 100, TPageUnit::MM},
        {true, {TPaperSize::A4}, TPaperSize::A4, 2100, 2970, 127, TPageUnit::Inches},
        {true,
         {TPaperSize::Default},
         TPaperSize::Default,
         215.9L * 10,
         279.4L * 10,
         127,
         TPageUnit::Inches},
        {true,
         {TPaperSize::Default, 101.6L, 127},
         TPaperSize::Default,
         1016,
         1270,
         127,
         TPageUnit::Inches},
    };
    for (const TCase& C : Cases) {
        const TFixedSystem System(C.US, C.Printer);
        const TReportPage Page;
        const QByteArray Label = QByteArray(C.US ? "US " : "metric ") +
                                 QByteArray(PaperSizeIdents[size_t(C.Printer.PaperSize)].data());
        QVERIFY2(Page.Page().PaperSize() == C.Paper, Label);
        QVERIFY2(Page.Page().NativeValue(G::pvWidth) == C.Width, Label);
        QVERIFY2(Page.Page().NativeValue(G::pvLength) == C.Length, Label);
        QVERIFY2(Page.Page().NativeValue(G::pvTopMargin) == C.Margin, Label);
        QVERIFY2(Page.Page().NativeValue(G::pvBottomMargin) == C.Margin, Label);
        QVERIFY2(Page.Units() == C.Unit, Label);
    }
    // A4 at 96 pixels per inch and zoom 100: 2100 / (254 / 96) = 793.7 and 1122.5 pixels.
    const TFixedSystem System(false);
    const TReportPage Page;
    QCOMPARE(Page.size(), QSize(794, 1123));
    QCOMPARE(Page.pos(), QPoint(0, 0));
}

void TestReportPage::NewPageCarriesItsDocumentProperties() {
    const TFixedSystem System(false);
    const TReportPage Page;
    QVERIFY(!Page.Frame().AnyLine());
    QCOMPARE(Page.Frame().Color(), clBlack);
    QCOMPARE(Page.Frame().Width(), 1);
    QCOMPARE(Page.Frame().Style(), psSolid);
    // 10 points at 96 pixels per inch is a character height of 13 pixels.
    QVERIFY(Page.FontIsOwn());
    QCOMPARE(Page.Font().Name, QStringLiteral("Arial"));
    QCOMPARE(Page.Font().Height, -13);
    QCOMPARE(Page.Font().Size(96), 10);
    QCOMPARE(Page.Font().Charset, DEFAULT_CHARSET);
    QCOMPARE(Page.Font().Color, clWindowText);
    QVERIFY(Page.Font().Style.Empty());
    const std::vector<TFunctionList::TFunction> Functions = {
        {"PAGENUMBER", "0"}, {"COLUMNNUMBER", "0"}, {"REPORTTITLE", "''"}};
    QCOMPARE(Page.Functions().Count(), Functions.size());
    for (std::size_t I = 0; I < Functions.size(); ++I)
        QVERIFY(Page.Functions().Item(I) == Functions[I]);
    QVERIFY(Page.Description().empty());
    QVERIFY((Page.Options() ==
             TReportOptions{TReportOption::FirstPageHeader, TReportOption::LastPageFooter}));
    QVERIFY(Page.PrinterSettings() == TPagePrinterSettings{});
    QCOMPARE(Page.PrinterSettings().OutputBin, TPaperBin::Auto);
    QCOMPARE(Page.PrinterSettings().MemoryLimit, 250000);
    QCOMPARE(Page.PrinterSettings().PrinterIndex, -1);
    QVERIFY(!Page.PrintIfEmpty()); // the main window sets it
    QVERIFY(Page.ShowProgress() && Page.SnapToGrid());
    QVERIFY(Page.PrevShowThumbs() && Page.PrevShowSearch());
    QCOMPARE(Page.PrevFormStyle(), fsNormal);
    QCOMPARE(Page.PreviewInitialState(), wsNormal);
    QCOMPARE(Page.PrevInitialZoom(), qrZoomToFit);
    QCOMPARE(Page.PreviewWidth(), 500);
    QCOMPARE(Page.Zoom(), 100);
    QCOMPARE(Page.Tag(), 0);
    QVERIFY(Page.ReportTitle().isEmpty() && Page.BackImageControl().isEmpty());

    // A stored preview size of 0 or less reads as 500.
    TReportPage Other;
    for (const int Stored : {0, -3}) {
        Other.SetPreviewHeight(Stored);
        QCOMPARE(Other.PreviewHeight(), 500);
    }
    Other.SetPreviewHeight(321);
    QCOMPARE(Other.PreviewHeight(), 321);
    // The function list reports an expression past its end.
    QVERIFY_THROWS_EXCEPTION(TException, Other.Functions().SetExpression(3, "x"));
}

void TestReportPage::JapaneseSystemKeepsDefaultFont() {
    const TFixedSystem System(false, TPaperSize::A4, true);
    const TReportPage Page;
    QVERIFY(!Page.FontIsOwn());
    QVERIFY(Page.Font().Name != QStringLiteral("Arial") || Page.Font().Height != -13);
}

// Width and Length go through only on a Custom page, and then size the control: 1000 native at
// 96 ppi is 377.95 pixels.
void TestReportPage::WidthTakesEffectOnlyOnCustomAndResizesControl() {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.Page().SetPageValue(G::pvWidth, 100);
    QCOMPARE(double(Page.Page().NativeValue(G::pvWidth)), 2100.0);
    QCOMPARE(Page.width(), 794);

    Page.Page().SetPaperSize(TPaperSize::Custom);
    Page.Page().SetPageValue(G::pvWidth, 100);
    Page.Page().SetPageValue(G::pvLength, 50);
    QCOMPARE(double(Page.Page().NativeValue(G::pvWidth)), 1000.0);
    QCOMPARE(Page.size(), QSize(378, 189));
    Page.Page().SetOrientation(poLandscape);
    QCOMPARE(Page.size(), QSize(378, 189));

    // A named paper on top of it turns with the orientation, without the control flowing back.
    Page.Page().SetPaperSize(TPaperSize::A4);
    QCOMPARE(double(Page.Page().NativeValue(G::pvWidth)), 2970.0);
    QCOMPARE(double(Page.Page().NativeValue(G::pvLength)), 2100.0);
    QCOMPARE(Page.size(), QSize(1123, 794));
}

// Resizing the control on a Custom page re-derives Width and Length from the pixels, whether the
// bounds are set directly or the shown control is resized; on a named paper or Default the stored
// values stay.
void TestReportPage::ControlResizeFlowsBackOnlyOnCustom() {
    const TFixedSystem System(false);
    struct TCase {
        TPaperSize Paper;
        bool Follows;
    };
    const TCase Cases[] = {
        {TPaperSize::Custom, true}, {TPaperSize::A4, false}, {TPaperSize::Default, false}};
    // Hand computation at 96 ppi: 500 pixels = 500 * 254 / 96 = 1322.916..., 600 = 1587.5,
    // 300 = 793.75, 400 = 1058.33...
    struct TStep {
        bool Shown;
        QSize Size;
        double Width;
        double Length;
    };
    const TStep Steps[] = {{false, QSize(500, 600), 1322.9166666666667, 1587.5},
                           {true, QSize(300, 400), 793.75, 1058.3333333333333}};
    for (const TCase& C : Cases) {
        TReportPage Page;
        Page.Page().SetPaperSize(C.Paper);
        for (const TStep& S : Steps) {
            const QByteArray Label = QByteArray(PaperSizeIdents[size_t(C.Paper)].data()) +
                                     (S.Shown ? " shown" : " hidden");
            if (S.Shown) {
                Page.show();
                QVERIFY(QTest::qWaitForWindowExposed(&Page));
                Page.resize(S.Size);
            } else {
                Page.SetBounds(0, 0, S.Size.width(), S.Size.height());
            }
            QCOMPARE(Page.size(), S.Size);
            const double Width = C.Follows ? S.Width : 2100;
            const double Length = C.Follows ? S.Length : 2970;
            QVERIFY2(std::fabs(double(Page.Page().NativeValue(G::pvWidth)) - Width) < 1e-9, Label);
            QVERIFY2(std::fabs(double(Page.Page().NativeValue(G::pvLength)) - Length) < 1e-9,
                     Label);
        }
    }
}

// 127 * (2n + 1) / 96 native units are exactly n + 1/2 pixels at 96 ppi; the control takes the
// even neighbour.
void TestReportPage::ControlSizeRoundsHalvesToEven() {
    const TFixedSystem System(false);
    struct TCase {
        long double Native;
        int Pixels;
    };
    const TCase Cases[] = {{3.96875L, 2}, {11.90625L, 4}, {19.84375L, 8}, {27.78125L, 10}};
    TReportPage Page;
    Page.Page().SetPaperSize(TPaperSize::Custom);
    Page.SetUnits(TPageUnit::Native);
    for (const TCase& C : Cases) {
        Page.Page().SetPageValue(G::pvWidth, C.Native);
        QCOMPARE(Page.width(), C.Pixels);
        QCOMPARE(double(Page.Page().NativeValue(G::pvWidth)), double(C.Native));
    }
}

void TestReportPage::ZoomOutsideRangeIsIgnored() {
    const TFixedSystem System(false);
    TReportPage Page;
    for (const int Zoom : {0, -5, 301}) {
        Page.SetZoom(Zoom);
        QCOMPARE(Page.Zoom(), 100);
        QCOMPARE(Page.Page().Zoom(), 100);
        QCOMPARE(Page.size(), QSize(794, 1123));
    }
    // 2100 native at 96 ppi and 300 % is 2381.1 pixels, 2970 is 3367.6.
    Page.SetZoom(300);
    QCOMPARE(Page.Zoom(), 300);
    QCOMPARE(Page.size(), QSize(2381, 3368));
    QCOMPARE(double(Page.Page().NativeValue(G::pvWidth)), 2100.0);
    Page.SetZoom(1);
    QCOMPARE(Page.size(), QSize(8, 11));
}

void TestReportPage::UnitsAndRuler() {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.SetUnits(TPageUnit::Inches);
    QCOMPARE(Page.Page().Units(), TPageUnit::Inches);
    QVERIFY(std::fabs(double(Page.Page().GetPageValue(G::pvWidth)) - 8.26771653543307) < 1e-12);
    // The pixel pair switches and restores the unit without touching the values.
    Page.Page().BeginPixelUnits();
    QCOMPARE(Page.Units(), TPageUnit::Pixels);
    QCOMPARE(RoundToInt(Page.Page().GetPageValue(G::pvLength)), 1123);
    Page.Page().RestoreUnits();
    QCOMPARE(Page.Units(), TPageUnit::Inches);
    Page.Page().SetRuler(false);
    QVERIFY(!Page.Page().Ruler());
    QCOMPARE(Page.Units(), TPageUnit::Inches);
}

// Thickness = scale / 72 * 254 * width, rounded halves to even, at least 1 for a width of 1 or
// more; -1 is one device pixel. On screen at 96 ppi the scale is 96 / 254, so a width of 1 is
// 1.33 -> 1 pixel and 2 is 2.67 -> 3. At 600 dpi (scale 600 / 254) a width of 1 is 8.33 -> 8.
void TestReportPage::FrameLinesHaveScaledThickness() {
    struct TCase {
        int Width;
        long double Scale;
        int Thickness;
    };
    const TCase Cases[] = {{1, 96.0L / 254, 1},  {2, 96.0L / 254, 3},   {0, 96.0L / 254, 0},
                           {-1, 96.0L / 254, 1}, {-1, 600.0L / 254, 1}, {1, 600.0L / 254, 8},
                           {1, 0.01L, 1},        {-3, 96.0L / 254, 0}};
    for (const TCase& C : Cases) {
        TPrintFrame Frame;
        Frame.SetWidth(C.Width);
        Frame.SetColor(0x0000FF); // red in the low byte
        Frame.SetDrawTop(true);
        Frame.SetDrawLeft(true);
        QImage Image(40, 30, QImage::Format_RGB32);
        Image.fill(Qt::white);
        {
            QPainter Canvas(&Image);
            Frame.PaintFrame(Canvas, QRect(5, 5, 20, 10), C.Scale, C.Scale);
        }
        const QByteArray Label =
            QByteArray::number(C.Width) + " at " + QByteArray::number(double(C.Scale));
        QVERIFY2(Frame.Thickness(C.Scale) == C.Thickness, Label);
        // Count the red rows of the top line in the rectangle's last column and the red columns
        // of the left line in its last row; nothing outside the rectangle is touched.
        int Rows = 0;
        int Columns = 0;
        for (int Y = 0; Y < Image.height(); ++Y)
            Rows += Image.pixelColor(24, Y) == QColor(Qt::red);
        for (int X = 0; X < Image.width(); ++X)
            Columns += Image.pixelColor(X, 14) == QColor(Qt::red);
        QVERIFY2(Rows == std::min(C.Thickness, 10), Label);
        QVERIFY2(Columns == std::min(C.Thickness, 20), Label);
        QVERIFY2(Image.pixelColor(4, 5) == QColor(Qt::white), Label);
        QVERIFY2(Image.pixelColor(25, 5) == QColor(Qt::white), Label);
    }
}

// Without overrides the facts come from Qt: the test environment fixes 96 pixels per inch. The
// document asks no printer itself: without the printing layer's answer new pages are A4.
void TestReportPage::SystemAnswersWithoutOverrides() {
    QCOMPARE(SystemFacts().PixelsPerInch, 96);
    QCOMPARE(DefaultPrinterPaper().PaperSize, TPaperSize::A4);
}

QTEST_MAIN(TestReportPage)
#include "TestReportPage.moc"
