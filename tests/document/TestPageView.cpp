#include "PageTestSupport.h"

#include "document/DesignScheme.h"
#include "document/TReportPage.h"

#include <QImage>
#include <QtTest>

#include <functional>

// Expected pixels are worked out by hand for an A4 page at 96 pixels per inch and zoom 100: the
// page is 794 x 1123 pixels; 10 mm margins are 100 / (254 / 96) = 37.795 -> 38 pixels, so the
// margin rectangle covers columns 38 .. 794 - 38 - 1 = 755 and rows 38 .. 1123 - 38 - 1 = 1084.
// Dotted lines are 3 pixels on, 3 off; dashed ones 18 on, 6 off; both start at the line's start.

namespace {

const QColor White(255, 255, 255);
const QColor Silver(192, 192, 192);
const QColor LightMinor(249, 249, 249);
const QColor LightMajor(240, 240, 240);
const QColor LightLabel(112, 112, 112);
const QColor LightMargin(128, 128, 255);
const QColor ClassicMargin(128, 128, 128);

struct TPixel {
    int X;
    int Y;
    QColor Color;
    const char* Why;
};

// Checks every listed pixel of the page as it paints now; Label names the case in a failure.
void CheckPixels(TReportPage& Page, std::initializer_list<TPixel> Pixels, const char* Label) {
    const QImage Image = Page.grab().toImage();
    for (const TPixel& P : Pixels)
        QVERIFY2(Image.pixelColor(P.X, P.Y) == P.Color,
                 qPrintable(QStringLiteral("%1: (%2, %3) is %4, expected %5 (%6)")
                                .arg(QLatin1String(Label))
                                .arg(P.X)
                                .arg(P.Y)
                                .arg(Image.pixelColor(P.X, P.Y).name(), P.Color.name(),
                                     QLatin1String(P.Why))));
}

// Whether some pixel of Box has exactly the colour: a label drawn there.
bool HasColor(const QImage& Image, const QRect& Box, const QColor& Color) {
    for (int Y = Box.top(); Y <= Box.bottom(); ++Y)
        for (int X = Box.left(); X <= Box.right(); ++X)
            if (Image.pixelColor(X, Y) == Color)
                return true;
    return false;
}

} // namespace

class TestPageView : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDesignScheme(TDesignSchemeKind::Light); }
    void SchemeFollowsColorDepth();
    void RulerLinesOfEachUnit();
    void RulerLabels();
    void MarginRectangleAndFrame();
    void ColumnMarks();
    void PartOfThePagePaintsAsTheWhole();
    void PageRepaintsWhenItsLayoutChanges();
};

// More than 256 colours (over 8 bits per pixel), or a screen that does not say, is light.
void TestPageView::SchemeFollowsColorDepth() {
    const std::pair<int, TDesignSchemeKind> Cases[] = {
        {1, TDesignSchemeKind::Classic}, {4, TDesignSchemeKind::Classic},
        {8, TDesignSchemeKind::Classic}, {15, TDesignSchemeKind::Light},
        {24, TDesignSchemeKind::Light},  {32, TDesignSchemeKind::Light},
        {0, TDesignSchemeKind::Light},   {-1, TDesignSchemeKind::Light},
    };
    for (const auto& [Depth, Kind] : Cases)
        QVERIFY2(SchemeForColorDepth(Depth) == Kind, qPrintable(QString::number(Depth)));
    // The offscreen test screen is 32 bits deep.
    ChooseDesignScheme();
    QVERIFY(DesignScheme().Kind == TDesignSchemeKind::Light);
}

// Line positions and pens per unit and scheme, probed on row 500 (or column 500), which no
// horizontal (vertical) ruler line crosses in any of the cases.
void TestPageView::RulerLinesOfEachUnit() {
    const TFixedSystem System(false);
    struct TCase {
        const char* Label;
        TPageUnit Unit;
        TDesignSchemeKind Scheme;
        std::function<void(TReportPage&)> Change;
        std::initializer_list<TPixel> Pixels;
    };
    const auto None = [](TReportPage&) {};
    // Millimetres: x_i = Round(i * 96 * 100 / 508) = 19, 38, 57, 76 for i = 1 .. 4; rows
    // y_26 = 491 and y_27 = 510 leave row 500 free.
    // Inches: x_i = Round(i * 96 / 4) = 24 i; y 480 and 504 leave row 500 free.
    // Characters, Arial 10: a cell is 80 / 10 / 2.54 = 3.1496 mm wide, so x_i =
    // Round(3.1496 * i * 96 / 2.54) = 119, 238, ...; cells are 145.3 / 10 / 2.54 = 5.7205 mm
    // high, so y_j = Round(21.62 j): y_23 = 497, y_24 = 519.
    const TCase Cases[] = {
        {"mm light",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         None,
         {{19, 500, LightMinor, "i = 1 minor"},
          // The margin's left edge runs up from row 1084 with the pattern at 717 + 1046 + 717 =
          // 2480; row 500 is 584 further, (2480 + 584) mod 6 = 4 is off.
          {38, 500, LightMajor, "i = 2 major, in a gap of the margin's left edge"},
          {57, 500, LightMinor, "i = 3 minor"},
          {76, 500, LightMajor, "i = 4 major"},
          {18, 500, White, "between lines"},
          {20, 500, White, "between lines"},
          {77, 500, White, "between lines"},
          {500, 19, LightMinor, "horizontal j = 1 minor"},
          {500, 76, LightMajor, "horizontal j = 4 major"},
          {500, 491, LightMajor, "horizontal j = 26 (491.3) major"},
          {500, 510, LightMinor, "horizontal j = 27 (510.2) minor"},
          {500, 492, White, "between lines"},
          {756, 500, LightMajor, "i = 40 (755.9) major, right of the margin"},
          {793, 500, White, "i = 42 (793.7 -> 794) lies outside the page"}}},
        {"mm classic",
         TPageUnit::MM,
         TDesignSchemeKind::Classic,
         None,
         {{19, 500, Silver, "minor dotted, 500 mod 6 = 2 is on"},
          {19, 503, White, "minor dotted, 503 mod 6 = 5 is off"},
          {76, 503, Silver, "major solid"},
          {503, 19, White, "horizontal minor dotted, 503 mod 6 = 5 is off"},
          {504, 19, Silver, "horizontal minor dotted, 504 mod 6 = 0 is on"}}},
        {"mm at zoom 50",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         [](TReportPage& Page) { Page.SetZoom(50); },
         // Round(i * 96 * 50 / 508): i = 3 -> 28 (minor, not drawn below 60), i = 4 -> 38
         // (major); the margin is at 19. Row 250 lies between y_26 = 246 and y_27 = 255.
         {{28, 250, White, "minor lines are left out below zoom 60"},
          {38, 250, LightMajor, "major lines stay"}}},
        {"inches light",
         TPageUnit::Inches,
         TDesignSchemeKind::Light,
         None,
         {{24, 500, LightMinor, "quarter inch minor"},
          {48, 500, LightMinor, "half inch minor"},
          {72, 500, LightMinor, "three quarters minor"},
          {96, 500, LightMajor, "one inch major"},
          {95, 500, White, "between lines"},
          {500, 96, LightMajor, "horizontal one inch"},
          {500, 480, LightMajor, "horizontal five inches"},
          {500, 504, LightMinor, "horizontal 21 quarters"}}},
        {"inches at zoom 40",
         TPageUnit::Inches,
         TDesignSchemeKind::Light,
         [](TReportPage& Page) { Page.SetZoom(40); },
         // Round(i * 24 * 40 / 100): 10, 19, 29, 38 (major); rows 192 and 202 leave 200 free;
         // the margin is at 15.
         {{10, 200, White, "minor lines are left out below zoom 50"},
          {38, 200, LightMajor, "inch lines stay"}}},
        {"characters",
         TPageUnit::Characters,
         TDesignSchemeKind::Light,
         None,
         {{119, 500, Silver, "ten cells, dotted silver in any scheme; 500 mod 6 = 2 is on"},
          {119, 501, White, "501 mod 6 = 3 is off"},
          {238, 500, Silver, "twenty cells"},
          {120, 500, White, "between lines"},
          {500, 497, Silver, "row j = 23 (497.3), 500 mod 6 = 2 is on"},
          {504, 22, Silver, "row j = 1 (21.6 -> 22), 504 mod 6 = 0 is on"},
          {503, 22, White, "503 mod 6 = 5 is off"},
          {504, 43, Silver, "row j = 2 (43.2)"},
          {504, 44, White, "between rows"}}},
        {"pixels",
         TPageUnit::Pixels,
         TDesignSchemeKind::Light,
         None,
         {{19, 500, White, "no ruler"},
          {76, 500, White, "no ruler"},
          {38, 38, LightMargin, "the margin rectangle stays"}}},
        {"native",
         TPageUnit::Native,
         TDesignSchemeKind::Light,
         None,
         {{76, 500, White, "no ruler"}}},
        {"ruler off",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         [](TReportPage& Page) { Page.Page().SetRuler(false); },
         {{76, 500, White, "no ruler"}, {38, 38, LightMargin, "the margin rectangle stays"}}},
        {"disabled",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         [](TReportPage& Page) { Page.SetEnabled(false); },
         {{10, 500, Silver, "a disabled page is silver"},
          {76, 500, LightMajor, "with its ruler on top"}}},
    };
    for (const TCase& C : Cases) {
        SetDesignScheme(C.Scheme);
        TReportPage Page;
        Page.SetUnits(C.Unit);
        C.Change(Page);
        CheckPixels(Page, C.Pixels, C.Label);
    }
}

// Labels stand at (x + 2, 2) right of their vertical line and at (2, y + 2) below their
// horizontal line; the label font is 6 points, 8 pixels high at 96 ppi.
void TestPageView::RulerLabels() {
    const TFixedSystem System(false);
    struct TCase {
        const char* Label;
        TPageUnit Unit;
        TDesignSchemeKind Scheme;
        std::int32_t Zoom;
        QRect Box;
        bool Labelled;
    };
    const TCase Cases[] = {
        {"mm: 1 cm at x_2 = 38",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         100,
         {40, 2, 12, 10},
         true},
        {"mm: none at odd i", TPageUnit::MM, TDesignSchemeKind::Light, 100, {21, 2, 14, 10}, false},
        {"mm: 1 cm at y_2 = 38",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         100,
         {2, 40, 12, 10},
         true},
        {"mm: 2 cm at x_4 = 76",
         TPageUnit::MM,
         TDesignSchemeKind::Classic,
         100,
         {78, 2, 12, 10},
         true},
        // At zoom 50, x_4 = 38 and no labels at all.
        {"mm: none below zoom 60",
         TPageUnit::MM,
         TDesignSchemeKind::Light,
         50,
         {40, 2, 12, 10},
         false},
        {"inches: 1 at x_4 = 96",
         TPageUnit::Inches,
         TDesignSchemeKind::Light,
         100,
         {98, 2, 12, 10},
         true},
        {"inches: none at quarters",
         TPageUnit::Inches,
         TDesignSchemeKind::Light,
         100,
         {26, 2, 20, 10},
         false},
        // At zoom 40, x_4 = Round(38.4) = 38: inch labels stay at any zoom.
        {"inches: 1 at zoom 40",
         TPageUnit::Inches,
         TDesignSchemeKind::Light,
         40,
         {40, 2, 12, 10},
         true},
        {"characters: 10 at x_1 = 119",
         TPageUnit::Characters,
         TDesignSchemeKind::Light,
         100,
         {121, 2, 14, 10},
         true},
        {"characters: 1 at y_1 = 22",
         TPageUnit::Characters,
         TDesignSchemeKind::Light,
         100,
         {2, 24, 12, 10},
         true},
        {"pixels: no labels",
         TPageUnit::Pixels,
         TDesignSchemeKind::Light,
         100,
         {40, 2, 12, 10},
         false},
    };
    for (const TCase& C : Cases) {
        SetDesignScheme(C.Scheme);
        TReportPage Page;
        Page.SetUnits(C.Unit);
        Page.SetZoom(C.Zoom);
        const QColor Color = DesignScheme().LabelColor;
        QVERIFY2(HasColor(Page.grab().toImage(), C.Box, Color) == C.Labelled, C.Label);
    }
}

// With the ruler off only the margin rectangle and the frame are drawn. The rectangle runs
// clockwise from (38, 38): the top edge is columns 38 .. 754 (717 pixels), the right edge rows
// 38 .. 1083 (1046), the bottom edge from column 755 back to 39. The frame's right line is at
// Round(793.70 - 37.80) - 1 = 755 and its bottom line at Round(1122.52 - 37.80) - 1 = 1084; a
// line leaves out its end point, so the frame never covers (755, 1084).
void TestPageView::MarginRectangleAndFrame() {
    const TFixedSystem System(false);
    const QColor Red(255, 0, 0);
    struct TCase {
        const char* Label;
        TDesignSchemeKind Scheme;
        bool Framed;
        TPenStyle Style;
        std::initializer_list<TPixel> Pixels;
    };
    const TCase Cases[] = {
        {"light margin",
         TDesignSchemeKind::Light,
         false,
         psSolid,
         {{38, 38, LightMargin, "top-left corner starts the dots"},
          {40, 38, LightMargin, "third pixel of the first dot"},
          {41, 38, White, "first gap"},
          {37, 38, White, "left of the rectangle"},
          {38, 37, White, "above the rectangle"},
          {755, 38, White, "right edge starts at 717 mod 6 = 3, a gap"},
          {755, 41, LightMargin, "720 mod 6 = 0"},
          {756, 41, White, "right of the rectangle"},
          {755, 1084, White, "bottom edge starts at 1763 mod 6 = 5, a gap"},
          {754, 1084, LightMargin, "1764 mod 6 = 0"},
          {754, 1085, White, "below the rectangle"}}},
        {"classic margin",
         TDesignSchemeKind::Classic,
         false,
         psSolid,
         {{38, 38, ClassicMargin, "dash starts at the corner"},
          {55, 38, ClassicMargin, "18th pixel of the dash"},
          {56, 38, White, "gap of 6"},
          {61, 38, White, "last pixel of the gap"},
          {62, 38, ClassicMargin, "next dash"}}},
        {"frame",
         TDesignSchemeKind::Light,
         true,
         psSolid,
         {{38, 38, Red, "top and left lines start here"},
          {754, 38, Red, "last pixel of the top line"},
          {755, 38, Red, "right line starts"},
          {755, 1083, Red, "last pixel of the right line"},
          {755, 1084, White, "no line ends here; the margin has a gap"},
          {754, 1084, Red, "last pixel of the bottom line"},
          {38, 1084, Red, "bottom line starts"},
          {38, 1083, Red, "last pixel of the left line"},
          {37, 500, White, "outside"},
          {39, 500, White, "inside"}}},
        {"clear frame",
         TDesignSchemeKind::Light,
         true,
         psClear,
         {{400, 38, LightMargin, "362 mod 6 = 2, the margin shows"},
          {401, 38, White, "a gap of the margin, no frame"}}},
    };
    for (const TCase& C : Cases) {
        SetDesignScheme(C.Scheme);
        TReportPage Page;
        Page.Page().SetRuler(false);
        TPrintFrame& Frame = Page.Frame();
        for (const auto Line :
             {TPrintFrame::flTop, TPrintFrame::flBottom, TPrintFrame::flLeft, TPrintFrame::flRight})
            Frame.SetDrawLine(Line, C.Framed);
        Frame.SetColor(0x0000FF); // red in the low byte
        Frame.SetStyle(C.Style);
        CheckPixels(Page, C.Pixels, C.Label);
    }
}

// Column marks run from y = 0 down to the top margin (38, not included), dotted in the light
// scheme. The columns share 793.70 - 2 * 37.80 = 718.11 pixels less the gaps.
void TestPageView::ColumnMarks() {
    const TFixedSystem System(false);
    struct TCase {
        const char* Label;
        std::int32_t Columns;
        long double SpaceMM;
        std::initializer_list<TPixel> Pixels;
    };
    const TCase Cases[] = {
        // G = Round((718.11 - 37.80) / 2) = 340; end of column 1 at Round(37.80 + 340) = 378,
        // start of column 2 at Round(37.80 + 377.80) = 416.
        {"two columns, 10 mm apart",
         2,
         10,
         {{378, 0, LightMargin, "end of column 1"},
          {378, 3, White, "dotted"},
          {378, 37, LightMargin, "37 mod 6 = 1, the mark's last pixel"},
          {378, 38, White, "the mark stops at the margin, whose top edge is off here"},
          {416, 1, LightMargin, "start of column 2"},
          {397, 0, White, "between the marks"}}},
        // G = Round(718.11 / 3) = 239: both marks of boundary f at Round(37.80 + 239 f).
        {"three columns",
         3,
         0,
         {{277, 0, LightMargin, "first boundary"},
          {516, 0, LightMargin, "second boundary"},
          {396, 0, White, "no third"}}},
        {"one column", 1, 10, {{378, 0, White, "no marks"}, {416, 1, White, "no marks"}}},
    };
    for (const TCase& C : Cases) {
        TReportPage Page;
        Page.Page().SetRuler(false);
        Page.Page().SetColumns(C.Columns);
        Page.Page().SetColumnSpace(C.SpaceMM);
        CheckPixels(Page, C.Pixels, C.Label);
    }
}

// A repaint of part of the page (scrolling, an item moved away) draws there what a whole repaint
// draws: the patterns keep their phase and labels reaching into the part are drawn.
void TestPageView::PartOfThePagePaintsAsTheWhole() {
    const TFixedSystem System(false);
    SetDesignScheme(TDesignSchemeKind::Classic);
    const QRect Parts[] = {
        {0, 0, 50, 50},       {41, 37, 100, 13}, {500, 503, 77, 91},
        {700, 1000, 94, 123}, {377, 0, 3, 40},   {80, 3, 5, 5}, // inside the label "2"
    };
    for (const TPageUnit Unit : {TPageUnit::MM, TPageUnit::Inches, TPageUnit::Characters}) {
        TReportPage Page;
        Page.SetUnits(Unit);
        Page.Page().SetColumns(2);
        Page.Page().SetColumnSpace(10);
        Page.Frame().SetDrawBottom(true);
        Page.Frame().SetStyle(psDashDot);
        const QImage Whole = Page.grab().toImage();
        for (const QRect& Part : Parts)
            QVERIFY2(Page.grab(Part).toImage() == Whole.copy(Part),
                     qPrintable(QStringLiteral("unit %1, part %2,%3")
                                    .arg(int(Unit))
                                    .arg(Part.x())
                                    .arg(Part.y())));
    }
}

namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint)
            ++Count;
        return QObject::eventFilter(Watched, Event);
    }
};

} // namespace

// Every change that moves what the page shows has it repainted; the last row changes nothing,
// so that no paint comes by itself.
void TestPageView::PageRepaintsWhenItsLayoutChanges() {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Page));
    TPaintCounter Counter;
    Page.installEventFilter(&Counter);
    struct TCase {
        const char* Label;
        std::function<void()> Change;
        bool Repaints;
    };
    TPageGeometry& G = Page.Page();
    TFont Big = Page.Font();
    Big.SetSize(20, 96);
    const TCase Cases[] = {
        {"top margin", [&] { G.SetTopMargin(20); }, true},
        {"bottom margin", [&] { G.SetBottomMargin(20); }, true},
        {"left margin", [&] { G.SetLeftMargin(20); }, true},
        {"right margin", [&] { G.SetRightMargin(20); }, true},
        {"unit", [&] { Page.SetUnits(TPageUnit::Inches); }, true},
        {"ruler", [&] { G.SetRuler(false); }, true},
        {"paper", [&] { G.SetPaperSize(TPaperSize::A5); }, true},
        {"columns", [&] { G.SetColumns(2); }, true},
        {"font", [&] { Page.SetFont(Big); }, true},
        {"frame", [&] { Page.Frame().SetDrawTop(true); }, true},
        {"enabled", [&] { Page.SetEnabled(false); }, true},
        {"nothing", [] {}, false},
    };
    for (const TCase& C : Cases) {
        QCoreApplication::processEvents();
        Counter.Count = 0;
        C.Change();
        if (C.Repaints)
            QTRY_VERIFY2(Counter.Count > 0, C.Label);
        else {
            QTest::qWait(50);
            QVERIFY2(Counter.Count == 0, C.Label);
        }
    }
}

QTEST_MAIN(TestPageView)
#include "TestPageView.moc"
