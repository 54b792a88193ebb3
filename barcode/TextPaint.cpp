#include "barcode/TextPaint.h"

#include "common/Rounding.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
#include <utility>

namespace {

// Qt fills the outline of every glyph larger than this many device pixels at every drawing.
constexpr double LargeGlyphPixels = 64;
// A page of labels uses a few dozen glyphs in a few sizes; a cache past this is dropped whole.
constexpr qsizetype CacheBytesLimit = qsizetype(64) << 20;

struct TGlyphKey {
    QString Family;
    QString Style;
    int Weight;
    int FontStyle;
    std::int64_t Size64; // device pixel size in 1/64 pixels
    quint32 Glyph;
    int Turn; // the four entries of the quarter-turn matrix, as digits of base 3
    QRgb Color;
    bool Smooth;

    bool operator==(const TGlyphKey&) const = default;
};

size_t qHash(const TGlyphKey& K, size_t Seed = 0) {
    return qHashMulti(Seed, K.Family, K.Style, K.Weight, K.FontStyle, K.Size64, K.Glyph, K.Turn,
                      K.Color, K.Smooth);
}

struct TGlyphImage {
    QImage Image;  // the glyph in its colour on transparent ground
    QPoint Offset; // the image's top left corner from the glyph's origin
};

class TGlyphCache {
public:
    TGlyphImage Find(const TGlyphKey& Key) {
        const QMutexLocker Lock(&FMutex);
        return FGlyphs.value(Key);
    }

    void Store(const TGlyphKey& Key, const TGlyphImage& Glyph) {
        const QMutexLocker Lock(&FMutex);
        if (FBytes > CacheBytesLimit) {
            FGlyphs.clear();
            FBytes = 0;
        }
        FGlyphs.insert(Key, Glyph);
        FBytes += Glyph.Image.sizeInBytes();
    }

private:
    QMutex FMutex;
    QHash<TGlyphKey, TGlyphImage> FGlyphs;
    qsizetype FBytes = 0;
};

TGlyphCache& Cache() {
    static TGlyphCache Glyphs;
    return Glyphs;
}

// The transform's linear part as Scale times a quarter turn (or its mirror image), or Scale 0
// when it is anything else: sheared or stretched text is left to Qt.
std::pair<double, QTransform> ScaledQuarterTurn(const QTransform& T) {
    const double Scale = std::sqrt(std::abs(T.determinant()));
    if (!(Scale > 0) || !std::isfinite(Scale))
        return {0, {}};
    const double M[4] = {T.m11() / Scale, T.m12() / Scale, T.m21() / Scale, T.m22() / Scale};
    double R[4];
    for (int I = 0; I < 4; ++I) {
        R[I] = std::nearbyint(M[I]);
        // The barcode's frame is stretched a little differently along and across the bars.
        if (std::abs(M[I] - R[I]) > 0.02)
            return {0, {}};
    }
    return {Scale, QTransform(R[0], R[1], R[2], R[3], 0, 0)};
}

TGlyphImage RenderGlyph(const QRawFont& Font, quint32 Glyph, const QTransform& Turn,
                        const QColor& Color, bool Smooth) {
    const QPainterPath Path = Turn.map(Font.pathForGlyph(Glyph));
    const QRect Box = Path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    TGlyphImage Result{QImage(Box.size(), QImage::Format_ARGB32_Premultiplied), Box.topLeft()};
    Result.Image.fill(Qt::transparent);
    QPainter Surface(&Result.Image);
    Surface.setRenderHint(QPainter::Antialiasing, Smooth);
    Surface.translate(-Box.topLeft());
    Surface.fillPath(Path, Color);
    return Result;
}

} // namespace

void PaintText(QPainter& Canvas, const QPointF& Origin, const QString& Text) {
    if (Text.isEmpty())
        return;
    const QFont& Font = Canvas.font();
    const QTransform T = Canvas.combinedTransform();
    const auto [Scale, Turn] = ScaledQuarterTurn(T);
    const bool Raster =
        Canvas.paintEngine() != nullptr && Canvas.paintEngine()->type() == QPaintEngine::Raster;
    // Vector devices keep text as text; small glyphs and decorated fonts are Qt's own.
    if (!Raster || Scale == 0 || QFontInfo(Font).pixelSize() * Scale < LargeGlyphPixels ||
        Font.underline() || Font.strikeOut() || Font.overline()) {
        Canvas.drawText(Origin, Text);
        return;
    }
    QTextLayout Layout(Text, Font, Canvas.device());
    Layout.beginLayout();
    const QTextLine Line = Layout.createLine();
    Layout.endLayout();
    if (Canvas.backgroundMode() == Qt::OpaqueMode)
        Canvas.fillRect(QRectF(Origin.x(), Origin.y() - Line.ascent(), Line.naturalTextWidth(),
                               Line.ascent() + Line.descent()),
                        Canvas.background());
    const QColor Color = Canvas.pen().color();
    const bool Smooth = Canvas.testRenderHint(QPainter::TextAntialiasing) &&
                        !(Font.styleStrategy() & QFont::NoAntialias);
    const int TurnCode = RoundToInt(Turn.m11() + 1 + 3 * (Turn.m12() + 1) + 9 * (Turn.m21() + 1) +
                                    27 * (Turn.m22() + 1));
    Canvas.save();
    Canvas.resetTransform();
    for (const QGlyphRun& Run : Layout.glyphRuns()) {
        const QRawFont UserFont = Run.rawFont();
        QRawFont DeviceFont; // made at the first glyph not in the cache
        const QList<quint32> Glyphs = Run.glyphIndexes();
        const QList<QPointF> Positions = Run.positions();
        TGlyphKey Key{UserFont.familyName(),
                      UserFont.styleName(),
                      UserFont.weight(),
                      static_cast<int>(UserFont.style()),
                      std::llround(UserFont.pixelSize() * Scale * 64),
                      0,
                      TurnCode,
                      Color.rgba(),
                      Smooth};
        for (qsizetype I = 0; I < Glyphs.size() && I < Positions.size(); ++I) {
            Key.Glyph = Glyphs[I];
            TGlyphImage Glyph = Cache().Find(Key);
            if (Glyph.Image.isNull()) {
                if (!DeviceFont.isValid()) {
                    DeviceFont = UserFont;
                    DeviceFont.setPixelSize(UserFont.pixelSize() * Scale);
                }
                Glyph = RenderGlyph(DeviceFont, Key.Glyph, Turn, Color, Smooth);
                Cache().Store(Key, Glyph);
            }
            const QPointF At =
                T.map(Origin + QPointF(Positions[I].x(), Positions[I].y() - Line.ascent()));
            Canvas.drawImage(QPoint(RoundToInt(At.x()), RoundToInt(At.y())) + Glyph.Offset,
                             Glyph.Image);
        }
    }
    Canvas.restore();
}
