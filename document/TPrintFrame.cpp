#include "document/TPrintFrame.h"

#include "common/Rounding.h"
#include "document/TColors.h"

#include <QPainter>
#include <QRect>
#include <QWidget>

#include <algorithm>

void TPrintFrame::Changed() {
    if (FParent != nullptr)
        FParent->update();
}

void TPrintFrame::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TPrintFrame::SetDrawLine(TFrameLine Line, bool Value) {
    FDraw[Line] = Value;
    Changed();
}

void TPrintFrame::SetStyle(TPenStyle Value) {
    FStyle = Value;
    Changed();
}

void TPrintFrame::SetWidth(std::int32_t Value) {
    FWidth = Value;
    Changed();
}

std::int32_t TPrintFrame::Thickness(long double Scale) const {
    if (FWidth == -1)
        return 1;
    const long double Pixels = Scale / 72 * 254 * FWidth;
    if (FWidth >= 1 && Pixels < 1)
        return 1;
    // A negative width below -1 draws nothing, as an inverted band does; a width no device can
    // draw is capped rather than overflowing the conversion.
    return std::max(ClampedPixels(Pixels, 1000000), 0);
}

void TPrintFrame::PaintFrame(QPainter& Canvas, const QRect& Rect, long double ScaleX,
                             long double ScaleY) const {
    const std::int32_t Tv = Thickness(ScaleX);
    const std::int32_t Th = Thickness(ScaleY);
    const QColor Color = ToQColor(FColor);
    const int L = Rect.x();
    const int T = Rect.y();
    const int R = Rect.x() + Rect.width();
    const int B = Rect.y() + Rect.height();
    // Lines are filled bands; an empty or inverted band draws nothing.
    const auto Fill = [&](int X1, int Y1, int X2, int Y2) {
        if (X2 > X1 && Y2 > Y1)
            Canvas.fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1), Color);
    };
    if (FDraw[flTop])
        Fill(L, T, R, T + Th);
    if (FDraw[flBottom])
        Fill(L, B - Th, R, B);
    if (FDraw[flLeft])
        Fill(L, T, L + Tv, B);
    if (FDraw[flRight])
        Fill(R - Tv, T, R, B);
}
