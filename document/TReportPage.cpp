#include "document/TReportPage.h"

#include "common/Messages.h"
#include "common/Rounding.h"
#include "common/TException.h"
#include "document/DesignScheme.h"
#include "document/PrinterPaper.h"
#include "document/SystemFacts.h"
#include "document/TPrintable.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// A length in pixels as a coordinate; what no widget can reach (huge, not a number, from a
// damaged document) is capped.
int Pixel(long double Value) {
    return ClampedPixels(Value, QWIDGETSIZE_MAX);
}

// One line of a ruler: where it stands, its pen (none when the zoom leaves it out) and its label.
struct TRulerMark {
    int At = 0;
    const TDesignPen* Pen = nullptr;
    bool Labelled = false;
    long long Label = 0;
};

// How far right of or below its line a label may reach.
constexpr int LabelReach = 64;

// The lines 1 .. Count of one direction of a ruler, about Step pixels apart: vertical lines run
// from y = 0 to Length, horizontal ones from x = 0. Only the lines whose line or label can touch
// Area are drawn, so a huge page costs no more than a small one.
template <typename TMarkAt>
void PaintRulerLines(QPainter& Canvas, const QRect& Area, bool Vertical, int Length,
                     long long Count, long double Step, const TMarkAt& MarkAt) {
    if (!(Step > 0) || Count < 1)
        return;
    const long double Low = Vertical ? Area.left() : Area.top();
    const long double High = Vertical ? Area.right() : Area.bottom();
    const long double FirstNear = std::floor((Low - LabelReach) / Step) - 1;
    const long double LastNear = std::ceil(High / Step) + 1;
    if (LastNear < 1 || FirstNear > Count)
        return;
    const long long First = FirstNear < 1 ? 1 : static_cast<long long>(FirstNear);
    const long long Last = LastNear > Count ? Count : static_cast<long long>(LastNear);
    const int Ascent = Canvas.fontMetrics().ascent();
    for (long long I = First; I <= Last; ++I) {
        const TRulerMark Mark = MarkAt(I);
        if (Mark.Pen != nullptr)
            DrawDesignLine(Canvas, Vertical ? QPoint(Mark.At, 0) : QPoint(0, Mark.At),
                           Vertical ? QPoint(Mark.At, Length) : QPoint(Length, Mark.At), *Mark.Pen,
                           Area);
        // Text stands with the top of its cell at the given point.
        if (Mark.Labelled)
            Canvas.drawText(Vertical ? QPoint(Mark.At + 2, 2 + Ascent)
                                     : QPoint(2, Mark.At + 2 + Ascent),
                            QString::number(Mark.Label));
    }
}

} // namespace

const TFunctionList::TFunction& TFunctionList::Item(std::size_t Index) const {
    if (Index >= FItems.size())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    return FItems[Index];
}

void TFunctionList::Add(std::string Name, std::string Expression) {
    FItems.push_back({std::move(Name), std::move(Expression)});
}

void TFunctionList::SetExpression(std::size_t Index, std::string Expression) {
    if (Index >= FItems.size())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    FItems[Index].Expression = std::move(Expression);
}

TReportPage::TReportPage(QWidget* Parent) : QWidget(Parent), FKnownSize(size()) {
    FFunctions.Add("PAGENUMBER", "0");
    FFunctions.Add("COLUMNNUMBER", "0");
    FFunctions.Add("REPORTTITLE", "''");
    FPage = std::make_unique<TPageGeometry>(this);

    QPalette White = palette();
    White.setColor(QPalette::Window, Qt::white);
    setPalette(White);
    setAutoFillBackground(true);
    move(0, 0);
    FSnapToGrid = true;
    FShowProgress = true;
    FPrevShowSearch = true;
    FPrevShowThumbs = true;
    FOptions = {TReportOption::FirstPageHeader, TReportOption::LastPageFooter};

    const TSystemFacts Facts = SystemFacts();
    if (!Facts.JapaneseLanguage) {
        TFont Arial;
        Arial.Name = QStringLiteral("Arial");
        Arial.SetSize(10, FPage->Resolution());
        SetFont(Arial);
    } else {
        // The framework's default font, which the document then does not carry.
        const QFont Default =
            QGuiApplication::instance() != nullptr ? QGuiApplication::font() : QFont();
        FFont.Name = Default.family();
        FFont.SetSize(Default.pointSize() > 0 ? Default.pointSize() : 8, FPage->Resolution());
    }

    const TPrinterPaper Paper = DefaultPrinterPaper();
    if (Paper.PaperSize == TPaperSize::Default && Paper.Width > 0 && Paper.Length > 0)
        FPage->SetDefaultPaper(Paper.Width, Paper.Length);
    else
        FPage->SetPaperSize(Paper.PaperSize);
}

TReportPage::~TReportPage() {
    // Items go while the page is still whole, since they reach into its geometry. One at a time:
    // deleting one may take other children with it (a selected item's grab handles).
    while (QWidget* Child = findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete Child;
}

void TReportPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    setGeometry(ALeft, ATop, AWidth, AHeight);
    SizeChanged(size());
    // The geometry sizes the page through here also when only the bottom margin changed, which
    // the margin rectangle must show.
    update();
}

void TReportPage::SizeChanged(QSize NewSize) {
    if (NewSize != FKnownSize) {
        FKnownSize = NewSize;
        // While the geometry is being built it cannot take values back.
        if (FPage != nullptr && !FPage->Updating() && FPage->PaperSize() == TPaperSize::Custom) {
            FPage->SetUpdating(true);
            FPage->BeginPixelUnits();
            FPage->SetPageValue(TPageGeometry::pvWidth, NewSize.width());
            FPage->SetPageValue(TPageGeometry::pvLength, NewSize.height());
            FPage->RestoreUnits();
            FPage->SetUpdating(false);
        }
    }
    LayoutBands();
}

void TReportPage::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    SizeChanged(Event->size());
}

void TReportPage::paintEvent(QPaintEvent* Event) {
    QWidget::paintEvent(Event);
    QPainter Canvas(this);
    Paint(Canvas, Event->rect());
}

long double TReportPage::PixelValue(TPageGeometry::TPageValue Index) const {
    return FPage->NativeToUnits(TPageUnit::Pixels, Index >= TPageGeometry::pvWidth,
                                FPage->NativeValue(Index));
}

void TReportPage::Paint(QPainter& Canvas, const QRect& Area) {
    Canvas.fillRect(rect(), Enabled() ? QColor(Qt::white) : QColor(192, 192, 192));
    if (FPage->Ruler())
        PaintRuler(Canvas, Area);
    const TDesignScheme& Scheme = DesignScheme();
    using G = TPageGeometry;
    DrawDesignRect(Canvas, Pixel(PixelValue(G::pvLeftMargin)), Pixel(PixelValue(G::pvTopMargin)),
                   width() - Pixel(PixelValue(G::pvRightMargin)),
                   height() - Pixel(PixelValue(G::pvBottomMargin)), Scheme.Margin, Area);
    PaintFrameAndColumns(Canvas, Area);
}

void TReportPage::PaintRuler(QPainter& Canvas, const QRect& Area) {
    const TDesignScheme& Scheme = DesignScheme();
    const long double P = FPage->Resolution();
    const long double Z = FZoom;
    const int W = width();
    const int H = height();
    if (!(P > 0))
        return;
    Canvas.save();
    Canvas.setFont(Scheme.LabelFont());
    Canvas.setPen(Scheme.LabelColor);
    Canvas.setBrush(Qt::NoBrush);
    const auto Count = [](long double Value) {
        return Value == Value ? static_cast<long long>(std::nearbyint(std::min(Value, 1e15L))) : 0;
    };
    switch (FPage->Units()) {
    case TPageUnit::MM: {
        // A line every 5 mm; every centimetre a major line with its number.
        const auto MarkAt = [&](long long I) {
            TRulerMark Mark;
            Mark.At = Pixel(I * P * Z / 508);
            const bool Major = I % 2 == 0;
            if (Major)
                Mark.Pen = &Scheme.RulerMajor;
            else if (Z >= 60)
                Mark.Pen = &Scheme.RulerMinor;
            Mark.Labelled = Major && Z >= 60;
            Mark.Label = I / 2;
            return Mark;
        };
        PaintRulerLines(Canvas, Area, true, H, Count(W * 508 / (P * Z)), P * Z / 508, MarkAt);
        PaintRulerLines(Canvas, Area, false, W, Count(H * 508 / (P * Z)), P * Z / 508, MarkAt);
        break;
    }
    case TPageUnit::Inches: {
        // A line every quarter inch; every inch a major line with its number at any zoom.
        const auto MarkAt = [&](long long I) {
            TRulerMark Mark;
            Mark.At = Pixel(I * P / 4 * Z / 100);
            const bool Major = I % 4 == 0;
            if (Major)
                Mark.Pen = &Scheme.RulerMajor;
            else if (Z >= 50)
                Mark.Pen = &Scheme.RulerMinor;
            Mark.Labelled = Major;
            Mark.Label = I / 4;
            return Mark;
        };
        PaintRulerLines(Canvas, Area, true, H, Count(W / P / Z * 400), P / 4 * Z / 100, MarkAt);
        PaintRulerLines(Canvas, Area, false, W, Count(H / P / Z * 400), P / 4 * Z / 100, MarkAt);
        break;
    }
    case TPageUnit::Characters: {
        // Cells of the page font: a vertical line every ten cells, a horizontal one every row.
        const std::int32_t Points = std::abs(FFont.Size(FPage->Resolution()));
        const long double S = Points != 0 ? Points : 10;
        const long double CellWidth = 80 / S / 2.54L;
        const long double CellHeight = 145.3L / S / 2.54L;
        static const TDesignPen Dotted{psDot, QColor(192, 192, 192)};
        PaintRulerLines(
            Canvas, Area, true, H, Count(W / P * 25.4L / CellWidth / 10), CellWidth * P / 2.54L,
            [&](long long I) {
                return TRulerMark{Pixel(CellWidth * I * P / 2.54L), &Dotted, true, I * 10};
            });
        PaintRulerLines(Canvas, Area, false, W, Count(H / P * 25.4L / CellHeight),
                        CellHeight * P / 25.4L, [&](long long J) {
                            return TRulerMark{Pixel(CellHeight * J * P / 25.4L), &Dotted, true, J};
                        });
        break;
    }
    case TPageUnit::Pixels:
    case TPageUnit::Native:
        break;
    }
    Canvas.restore();
}

void TReportPage::PaintFrameAndColumns(QPainter& Canvas, const QRect& Area) {
    using G = TPageGeometry;
    const long double LM = PixelValue(G::pvLeftMargin);
    const long double TM = PixelValue(G::pvTopMargin);
    const long double RM = PixelValue(G::pvRightMargin);
    const long double BM = PixelValue(G::pvBottomMargin);
    const long double PW = PixelValue(G::pvWidth);
    const long double PL = PixelValue(G::pvLength);
    const int Left = Pixel(LM);
    const int Top = Pixel(TM);
    const int Right = Pixel(PW - RM) - 1;
    const int Bottom = Pixel(PL - BM) - 1;
    const TDesignPen FramePen{FFrame.Style(), ToQColor(FFrame.Color())};
    if (FFrame.DrawTop())
        DrawDesignLine(Canvas, {Left, Top}, {Right, Top}, FramePen, Area);
    if (FFrame.DrawBottom())
        DrawDesignLine(Canvas, {Left, Bottom}, {Right, Bottom}, FramePen, Area);
    if (FFrame.DrawLeft())
        DrawDesignLine(Canvas, {Left, Top}, {Left, Bottom}, FramePen, Area);
    if (FFrame.DrawRight())
        DrawDesignLine(Canvas, {Right, Top}, {Right, Bottom}, FramePen, Area);

    // Two marks at each column boundary, down from the top edge to the top margin: where column
    // F ends and where column F + 1 starts.
    const std::int32_t Columns = FPage->Columns();
    if (Columns < 2)
        return;
    const long double Space = PixelValue(G::pvColumnSpace);
    const long double Column = Pixel((PW - LM - RM - Space * (Columns - 1)) / Columns);
    const TDesignPen& Pen = DesignScheme().Margin;
    const auto EndOf = [&](long double F) { return Pixel(LM + Column * F + Space * (F - 1)); };
    const auto StartOf = [&](long double F) { return Pixel(LM + (Column + Space) * F); };
    const auto Mark = [&](int X) { DrawDesignLine(Canvas, {X, 0}, {X, Top}, Pen, Area); };
    // Both marks move by Pace from one boundary to the next.
    const long double Pace = Column + Space;
    if (!(Pace == Pace))
        return;
    if (std::fabs(Pace) < 1) {
        // Marks less than a pixel apart cover every column between the first and the last.
        const auto Cover = [&](int From, int To) {
            const auto [Low, High] = std::minmax(From, To);
            for (int X = std::max(Low, Area.left()); X <= std::min(High, Area.right()); ++X)
                Mark(X);
        };
        Cover(EndOf(1), EndOf(Columns - 1));
        Cover(StartOf(1), StartOf(Columns - 1));
        return;
    }
    // Only the boundaries whose marks can fall into the area.
    const long double Reach = std::fabs(Space) + 2;
    long double FirstNear = (Area.left() - LM - Reach) / Pace;
    long double LastNear = (Area.right() - LM + Reach) / Pace;
    if (Pace < 0)
        std::swap(FirstNear, LastNear);
    const long double First = std::max(1.0L, std::floor(FirstNear));
    const long double Last = std::min<long double>(Columns - 1, std::ceil(LastNear));
    for (long double F = First; F <= Last; ++F) {
        Mark(EndOf(F));
        Mark(StartOf(F));
    }
}

void TReportPage::SetUnits(TPageUnit Value) {
    FPage->SetUnits(Value);
    ApplyUnitsToItems(Value);
}

void TReportPage::SetZoom(std::int32_t Value) {
    if (Value <= 0 || Value > 300)
        return;
    FZoom = Value;
    ApplyZoomToItems(Value);
    FPage->SetZoom(Value);
    FPage->ApplyToControl();
    LayoutBands();
}

void TReportPage::SetFont(const TFont& Value) {
    FFont = Value;
    FFontIsOwn = true;
    update();
}

void TReportPage::Loaded() {
    FLoading = false;
    LayoutBands();
}

// Each item placed directly on the page sets its size object's unit, or its zoom and then
// re-applies its bounds.
void TReportPage::ApplyUnitsToItems(TPageUnit Value) {
    for (TPrintable* Item : findChildren<TPrintable*>(Qt::FindDirectChildrenOnly))
        Item->Size().SetUnits(Value);
}

void TReportPage::ApplyZoomToItems(std::int32_t Value) {
    for (TPrintable* Item : findChildren<TPrintable*>(Qt::FindDirectChildrenOnly))
        Item->SetZoom(Value);
}
