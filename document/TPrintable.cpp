#include "document/TPrintable.h"

#include "common/Rounding.h"
#include "document/TColors.h"
#include "document/TCustomPrintJob.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <initializer_list>

namespace {

// A converted length as a pixel coordinate; lengths no widget can have are capped.
int ToPixel(long double Value) {
    return ClampedPixels(Value, QWIDGETSIZE_MAX);
}

// The font of an item that sits on no page.
TFont DefaultFont(std::int32_t Resolution) {
    const QFont App = QGuiApplication::instance() != nullptr ? QGuiApplication::font() : QFont();
    TFont Result;
    Result.Name = App.family();
    Result.SetSize(App.pointSize() > 0 ? App.pointSize() : 8, Resolution);
    return Result;
}

// A line through axis-parallel points, each segment from its start point up to but not including
// its end point, one pixel wide.
void Polyline(QPainter& Canvas, std::initializer_list<QPoint> Points, const QColor& Color) {
    const QPoint* From = Points.begin();
    for (const QPoint* To = From + 1; To != Points.end(); From = To++) {
        const QPoint Step((To->x() > From->x()) - (To->x() < From->x()),
                          (To->y() > From->y()) - (To->y() < From->y()));
        if (Step.isNull() || (Step.x() != 0 && Step.y() != 0))
            continue;
        const QPoint Last = *To - Step;
        Canvas.fillRect(QRect(QPoint(std::min(From->x(), Last.x()), std::min(From->y(), Last.y())),
                              QPoint(std::max(From->x(), Last.x()), std::max(From->y(), Last.y()))),
                        Color);
    }
}

} // namespace

long double TPrintableSize::GetSizeValue(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(SizeValueCount))
        Index = svWidth;
    return NativeToUnits(Units(), IsHorizontal(Index), FValues[static_cast<std::size_t>(Index)]);
}

void TPrintableSize::SetSizeValue(int Index, long double Value) {
    if (Index >= 0 && Index < static_cast<int>(SizeValueCount))
        FValues[static_cast<std::size_t>(Index)] =
            UnitsToNative(Units(), IsHorizontal(Index), Value);
    ApplyToControl();
}

void TPrintableSize::ApplyToControl() {
    if (FItem == nullptr)
        return;
    SetUpdating(true);
    const int W = ToPixel(NativeToUnits(TPageUnit::Pixels, true, FValues[svWidth]));
    const int H = ToPixel(NativeToUnits(TPageUnit::Pixels, false, FValues[svHeight]));
    const int T = ToPixel(NativeToUnits(TPageUnit::Pixels, false, FValues[svTop]));
    const int L = ToPixel(NativeToUnits(TPageUnit::Pixels, true, FValues[svLeft]));
    FItem->SetBounds(L, T, W, H);
    SetUpdating(false);
}

long double TPrintableSize::NativeValue(std::size_t Index) const {
    return FValues[Index < SizeValueCount ? Index : std::size_t{svWidth}];
}

void TPrintableSize::StoreNativeValue(std::size_t Index, long double Value) {
    if (Index < SizeValueCount)
        FValues[Index] = Value;
}

TPrintable::TPrintable(QWidget* Owner)
    : QWidget(Owner), FSize(std::make_unique<TPrintableSize>(this)) {
    // From nothing, so that only the sizes set below reach the native values.
    setGeometry(0, 0, 0, 0);
    setAutoFillBackground(true);
    SetColor(clWhite);
    SetHeight(10);
    SetWidth(10);
}

TPrintable::~TPrintable() = default;

void TPrintable::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FSize->Updating()) {
        setGeometry(ALeft, ATop, std::max(AWidth, 0), std::max(AHeight, 0));
        return;
    }
    if (FReading) {
        // Only a fallback for what the stored lengths leave at 0 (AfterReading).
        const std::array<int, 4> Bounds{ALeft, ATop, AWidth, AHeight};
        for (std::size_t I = 0; I < Bounds.size(); ++I)
            if (Bounds[I] != 0)
                FPendingBounds[I] = Bounds[I];
        return;
    }
    // A length whose pixel equivalent is already the requested pixel keeps its native value, so
    // moving an item leaves its size alone; every other length is re-derived from the pixel.
    struct TStep {
        TPrintableSize::TSizeValue Index;
        int Pixels;
    };
    const std::array<TStep, 4> Steps{{{TPrintableSize::svHeight, AHeight},
                                      {TPrintableSize::svWidth, AWidth},
                                      {TPrintableSize::svTop, ATop},
                                      {TPrintableSize::svLeft, ALeft}}};
    FSize->BeginPixelUnits();
    for (const TStep& S : Steps) {
        const long double Current = FSize->NativeToUnits(
            TPageUnit::Pixels, TPrintableSize::IsHorizontal(S.Index), FSize->NativeValue(S.Index));
        if (Current != S.Pixels)
            FSize->SetSizeValue(S.Index, S.Pixels);
    }
    FSize->RestoreUnits();
}

void TPrintable::SetParent(QWidget* Parent) {
    const bool Hidden =
        testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden);
    if (parentWidget() != Parent)
        setParent(Parent); // hides the widget
    if (Parent != nullptr && !Hidden)
        show();
    FPage = qobject_cast<TReportPage*>(Parent);
    FSize->SetReportPage(FPage);
    if (FPage == nullptr)
        return;
    FSize->SetUnits(FPage->Units());
    const int OldTop = y();
    const int OldLeft = x();
    // The zoom re-derives all four pixel bounds from the native values; the position in pixels
    // then stays where it was.
    SetZoom(FPage->Zoom());
    SetTop(OldTop);
    SetLeft(OldLeft);
}

void TPrintable::SetZoom(std::int32_t Value) {
    if (Value <= 0)
        return;
    FSize->SetZoom(Value);
    FSize->ApplyToControl();
}

void TPrintable::BeginPrint(TCustomPrintJob* Printer) {
    FPrinting = true;
    FPrinter = Printer;
}

void TPrintable::EndPrint() {
    FPrinting = false;
    FPrinter = nullptr;
}

void TPrintable::PrintAt(long double OffsetX, long double OffsetY) {
    if (FPrinter == nullptr || !FFrame.AnyLine())
        return;
    const TCustomPrintJob& Job = *FPrinter;
    const long double L = OffsetX + FSize->NativeValue(TPrintableSize::svLeft);
    const long double T = OffsetY + FSize->NativeValue(TPrintableSize::svTop);
    const int Left = Job.DeviceX(L);
    const int Top = Job.DeviceY(T);
    const int Right = Job.DeviceX(L + FSize->NativeValue(TPrintableSize::svWidth));
    const int Bottom = Job.DeviceY(T + FSize->NativeValue(TPrintableSize::svHeight));
    FFrame.PaintFrame(FPrinter->Canvas(), QRect(Left, Top, Right - Left, Bottom - Top),
                      Job.XFactor(), Job.YFactor());
}

void TPrintable::BeginReading() {
    FReading = true;
    FPendingBounds = {};
}

void TPrintable::AfterReading() {
    EndReading();
    FReading = false;
    FSize->AfterReading();
    // Pixel bounds from the document stand in only where the stored lengths give 0.
    if (x() == 0 && FPendingBounds[0] != 0)
        SetLeft(FPendingBounds[0]);
    if (y() == 0 && FPendingBounds[1] != 0)
        SetTop(FPendingBounds[1]);
    if (width() == 0 && FPendingBounds[2] != 0)
        SetWidth(FPendingBounds[2]);
    if (height() == 0 && FPendingBounds[3] != 0)
        SetHeight(FPendingBounds[3]);
}

void TPrintable::SetColor(TColor Value) {
    FColor = Value;
    FColorIsOwn = true;
    QPalette Palette = palette();
    Palette.setColor(QPalette::Window, ToQColor(Value));
    setPalette(Palette);
    update();
}

TFont TPrintable::Font() const {
    if (FFontIsOwn)
        return FFont;
    if (const auto* Page = qobject_cast<const TReportPage*>(parentWidget()))
        return Page->Font();
    return DefaultFont(FSize->Resolution());
}

void TPrintable::SetFont(const TFont& Value) {
    FFont = Value;
    FFontIsOwn = true;
    update();
}

void TPrintable::Changed() {
    if (!FPrinting)
        update();
}

void TPrintable::paintEvent(QPaintEvent* Event) {
    QWidget::paintEvent(Event);
    QPainter Canvas(this);
    Paint(Canvas);
}

void TPrintable::Paint(QPainter& Canvas) {
    if (FPrinting)
        return;
    const int W = width();
    const int H = height();
    // Corner marks show the outline of every item, also of one whose content is empty.
    const QColor Black(Qt::black);
    Polyline(Canvas, {{0, 3}, {0, 0}, {3, 0}}, Black);
    Polyline(Canvas, {{0, H - 4}, {0, H - 1}, {3, H - 1}}, Black);
    Polyline(Canvas, {{W - 4, 0}, {W - 1, 0}, {W - 1, 3}}, Black);
    Polyline(Canvas, {{W - 4, H - 1}, {W - 1, H - 1}, {W - 1, H - 4}}, Black);
    const long double Scale = Zoom() * (FSize->Resolution() / 254.0L) / 100;
    FFrame.PaintFrame(Canvas, QRect(0, 0, W - 1, H - 1), Scale, Scale);
}
