#include "document/DesignScheme.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>
#include <utility>

namespace {

std::optional<TDesignScheme>& CurrentScheme() {
    static std::optional<TDesignScheme> Scheme;
    return Scheme;
}

// On and off lengths of a one-pixel line in each style, beginning with a dash; solid lines have
// none.
std::span<const int> PatternOf(TPenStyle Style) {
    static constexpr int Dash[] = {18, 6};
    static constexpr int Dot[] = {3, 3};
    static constexpr int DashDot[] = {9, 6, 3, 6};
    static constexpr int DashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (Style) {
    case psDash:
        return Dash;
    case psDot:
        return Dot;
    case psDashDot:
        return DashDot;
    case psDashDotDot:
        return DashDotDot;
    default:
        return {};
    }
}

int Sign(int Value) {
    return (Value > 0) - (Value < 0);
}

} // namespace

QFont TDesignScheme::LabelFont() const {
    // A small sans font stands in for the Windows bitmap font of that name, drawn as crisply.
    QFont Font(QStringLiteral("Small Fonts"));
    Font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    Font.setPointSize(6);
    return Font;
}

TDesignScheme TDesignScheme::Of(TDesignSchemeKind Kind) {
    TDesignScheme Scheme;
    Scheme.Kind = Kind;
    if (Kind == TDesignSchemeKind::Light) {
        Scheme.RulerMinor = {psSolid, QColor(249, 249, 249)};
        Scheme.RulerMajor = {psSolid, QColor(240, 240, 240)};
        Scheme.LabelColor = QColor(112, 112, 112);
        Scheme.Margin = {psDot, QColor(128, 128, 255)};
    } else {
        Scheme.RulerMinor = {psDot, QColor(192, 192, 192)};
        Scheme.RulerMajor = {psSolid, QColor(192, 192, 192)};
        Scheme.LabelColor = QColor(192, 192, 192);
        Scheme.Margin = {psDash, QColor(128, 128, 128)};
    }
    return Scheme;
}

TDesignSchemeKind SchemeForColorDepth(int BitsPerPixel) {
    return BitsPerPixel > 0 && BitsPerPixel <= 8 ? TDesignSchemeKind::Classic
                                                 : TDesignSchemeKind::Light;
}

const TDesignScheme& DesignScheme() {
    if (!CurrentScheme())
        ChooseDesignScheme();
    return *CurrentScheme();
}

void ChooseDesignScheme() {
    const QScreen* Screen =
        QGuiApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
    SetDesignScheme(SchemeForColorDepth(Screen != nullptr ? Screen->depth() : 0));
}

void SetDesignScheme(TDesignSchemeKind Kind) {
    CurrentScheme() = TDesignScheme::Of(Kind);
}

int DrawDesignLine(QPainter& Canvas, QPoint From, QPoint To, const TDesignPen& Pen,
                   const QRect& Clip, int Phase) {
    const bool Horizontal = From.y() == To.y();
    if (From == To || (!Horizontal && From.x() != To.x()) || Pen.Style == psClear)
        return Phase;
    // Pixel K of the line lies at Start + K * Step along the line, at Across the other way.
    const int Start = Horizontal ? From.x() : From.y();
    const int Step = Sign(Horizontal ? To.x() - From.x() : To.y() - From.y());
    const int Length = std::abs(Horizontal ? To.x() - From.x() : To.y() - From.y());
    const int Across = Horizontal ? From.y() : From.x();
    const std::span<const int> Pattern = PatternOf(Pen.Style);
    int Period = 0;
    for (const int Part : Pattern)
        Period += Part;
    const int After = Period > 0 ? (Phase + Length) % Period : Phase + Length;

    const int AcrossMin = Horizontal ? Clip.top() : Clip.left();
    const int AcrossMax = Horizontal ? Clip.bottom() : Clip.right();
    if (Across < AcrossMin || Across > AcrossMax)
        return After;
    const int AlongMin = Horizontal ? Clip.left() : Clip.top();
    const int AlongMax = Horizontal ? Clip.right() : Clip.bottom();
    const long long First =
        std::max(0LL, Step > 0 ? 0LL + AlongMin - Start : 0LL + Start - AlongMax);
    const long long Last =
        std::min(Length - 1LL, Step > 0 ? 0LL + AlongMax - Start : 0LL + Start - AlongMin);

    const auto Fill = [&](long long K, long long Count) {
        const int A = static_cast<int>(Start + Step * K);
        const int B = static_cast<int>(Start + Step * (K + Count - 1));
        const auto [Low, High] = std::minmax(A, B);
        Canvas.fillRect(Horizontal ? QRect(QPoint(Low, Across), QPoint(High, Across))
                                   : QRect(QPoint(Across, Low), QPoint(Across, High)),
                        Pen.Color);
    };
    if (Period == 0) {
        if (First <= Last)
            Fill(First, Last - First + 1);
        return After;
    }
    for (long long K = First; K <= Last;) {
        // Where pixel K falls in the pattern: part Index with Left pixels of it still to go.
        long long Position = (Phase + K) % Period;
        std::size_t Index = 0;
        while (Position >= Pattern[Index])
            Position -= Pattern[Index++];
        const long long Left = Pattern[Index] - Position;
        if (Index % 2 == 0)
            Fill(K, std::min(Left, Last - K + 1));
        K += Left;
    }
    return After;
}

void DrawDesignRect(QPainter& Canvas, int Left, int Top, int Right, int Bottom,
                    const TDesignPen& Pen, const QRect& Clip) {
    if (Right < Left)
        std::swap(Left, Right);
    if (Bottom < Top)
        std::swap(Top, Bottom);
    if (Right == Left || Bottom == Top)
        return;
    // The corners of the outline itself: the last column and row are Right - 1 and Bottom - 1.
    const QPoint TopLeft(Left, Top);
    const QPoint TopRight(Right - 1, Top);
    const QPoint BottomRight(Right - 1, Bottom - 1);
    const QPoint BottomLeft(Left, Bottom - 1);
    // A rectangle one pixel thin is a single line, each of its pixels drawn once.
    if (Right - Left == 1) {
        DrawDesignLine(Canvas, TopLeft, QPoint(Left, Bottom), Pen, Clip);
        return;
    }
    if (Bottom - Top == 1) {
        DrawDesignLine(Canvas, TopLeft, QPoint(Right, Top), Pen, Clip);
        return;
    }
    int Phase = DrawDesignLine(Canvas, TopLeft, TopRight, Pen, Clip);
    Phase = DrawDesignLine(Canvas, TopRight, BottomRight, Pen, Clip, Phase);
    Phase = DrawDesignLine(Canvas, BottomRight, BottomLeft, Pen, Clip, Phase);
    DrawDesignLine(Canvas, BottomLeft, TopLeft, Pen, Clip, Phase);
}
