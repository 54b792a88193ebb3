#include "barcode/EanUpc.h"
#include "barcode/TBarcodeEngine.h"
#include "barcode/TextPaint.h"

#include "common/Rounding.h"
#include "common/Text1252.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QTransform>

#include <algorithm>
#include <cmath>

// The barcode is drawn in drawing units into its own frame: W units along the bars (one unit per
// module at Modul 1), L units across them, the bars standing on y = 0 and reaching y = Height,
// the text band below them up to y = L. A transform then turns and stretches that frame onto
// the target rectangle, so the four angles are rotations of one and the same picture and every
// device (screen, printer, PDF, SVG) gets the same geometry.

namespace {

constexpr int TextBoxDepth = 16;
constexpr int TextTop = 14;    // from the text side's edge to the top of the glyph cell
constexpr int FontPixels = 12; // Arial 9 pt on the 96 ppi reference screen

bool HasDigitLayout(TBarcodeType Typ) {
    return Typ == bcCodeEAN8 || Typ == bcCodeEAN13 || Typ == bcCodeUPC_A || Typ == bcCodeUPC_E0 ||
           Typ == bcCodeUPC_E1;
}

// The retail symbols' bars end 7 units short of the text side, so the digit boxes cut into the
// data bars while the guard bars stay long; the others keep the whole box depth for the text.
int TextBand(TBarcodeType Typ) {
    return HasDigitLayout(Typ) ? 7 : TextBoxDepth;
}

// System colours (negative values) depend on the desktop theme and are the caller's to resolve;
// a printed symbol falls back to its usual black on white.
QColor RgbOf(TColor Color, Qt::GlobalColor Fallback) {
    if (Color < 0)
        return QColor(Fallback);
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

int QuarterTurns(double Angle) {
    if (!std::isfinite(Angle))
        return 0;
    const int Turns = static_cast<int>(std::nearbyint(std::fmod(Angle, 360.0) / 90.0)) % 4;
    return Turns < 0 ? Turns + 4 : Turns;
}

// Maps the W x L frame onto Rect turned by Turns quarter turns counter-clockwise: at 90 degrees
// the barcode reads from bottom to top, at 270 from top to bottom.
QTransform FrameToRect(int Turns, double W, double L, const QRectF& R) {
    const bool Upright = Turns % 2 == 0;
    const double Sx = R.width() / (Upright ? W : L);
    const double Sy = R.height() / (Upright ? L : W);
    switch (Turns) {
    case 1: // (x, y) -> (y, W - x)
        return QTransform(0, -Sy, Sx, 0, R.left(), R.top() + R.height());
    case 2: // (x, y) -> (W - x, L - y)
        return QTransform(-Sx, 0, 0, -Sy, R.left() + R.width(), R.top() + R.height());
    case 3: // (x, y) -> (L - y, x)
        return QTransform(0, Sy, -Sx, 0, R.left() + R.width(), R.top());
    default:
        return QTransform(Sx, 0, 0, Sy, R.left(), R.top());
    }
}

// The frame's unit along the bars made a whole number of device dots: Frame (frame to the
// painter's coordinates) is changed so that, on the device, the unit is the nearest whole
// number of dots to what it was when the symbol then still fits Room (its rectangle, or the
// item around it), else the largest number that fits, at least one; frame x = 0 lies on a dot
// and the symbol stays centred where it was, within Room. Nothing changes when the device's axes do
// not run along the frame's.
struct TDotGrid {
    // How much wider than a frame unit a glyph must be drawn to keep its size on the device.
    double GlyphScale = 1;
    // Device dots a frame unit covers; 0 when the frame is not on the dot grid.
    int DotsPerUnit = 0;
    // Whether even one dot a unit is more than the rectangle holds.
    bool Overflows = false;
};

TDotGrid SnapToDots(const QPainter& Canvas, QTransform& Frame, int W, const QRect& Room) {
    const QTransform ToDevice = Canvas.combinedTransform();
    if (!ToDevice.isInvertible())
        return {};
    const QTransform Device = Frame * ToDevice;
    // Along the bars the frame's x runs along the device's x (no turn or a half turn) or its y.
    const bool AlongX = qFuzzyIsNull(Device.m12()) && qFuzzyIsNull(Device.m21());
    const bool AlongY = qFuzzyIsNull(Device.m11()) && qFuzzyIsNull(Device.m22());
    if (!AlongX && !AlongY)
        return {};
    const double Dots = AlongX ? Device.m11() : Device.m12();
    const double Offset = AlongX ? Device.dx() : Device.dy();
    // The symbol's rectangle along the bars in device dots, and the whole dots of the room it
    // may take.
    constexpr double Slack = 1e-6;
    const double Low = std::min(Offset, Offset + Dots * W);
    const double High = std::max(Offset, Offset + Dots * W);
    const QRectF Space = ToDevice.mapRect(QRectF(Room));
    const double First = std::ceil((AlongX ? Space.left() : Space.top()) - Slack);
    const double Last = std::floor((AlongX ? Space.right() : Space.bottom()) + Slack);
    double Unit = std::max(1.0, RoundHalfEven(std::abs(Dots)));
    if (Unit * W > Last - First)
        Unit = std::max(1.0, std::floor((Last - First) / W));
    double Edge = RoundHalfEven((Low + High - Unit * W) / 2);
    if (Last - Unit * W >= First)
        Edge = std::clamp(Edge, First, Last - Unit * W);
    const double Whole = std::copysign(Unit, Dots);
    const double Start = Dots > 0 ? Edge : Edge + Unit * W;
    const QTransform Snapped =
        AlongX ? QTransform(Whole, 0, Device.m21(), Device.m22(), Start, Device.dy())
               : QTransform(Device.m11(), Whole, Device.m21(), 0, Device.dx(), Start);
    Frame = Snapped * ToDevice.inverted();
    return {Dots / Whole, static_cast<int>(Unit), Unit * W > Last - First};
}

// An element of width w covers exactly w units, so neighbours abut without gap or overlap.
// Elements of no positive width (out-of-range Modul settings) draw nothing.
// Reduction: the device dots each bar gives to the space after it, on the dot grid; a bar keeps
// at least one dot.
void RenderPattern(const TBarcodeEngine& E, std::string_view Pattern, int W, QPainter& Surface,
                   const TDotGrid& Grid, int Reduction) {
    const QColor BarColor = RgbOf(E.ColorBar(), Qt::black);
    const QColor SpaceColor = RgbOf(E.Color(), Qt::white);
    const int H = E.Height();
    const int ShortH = H * 2 / 5;
    // Without short bars the spaces are exactly the gaps between the bars of one W x Height
    // rectangle: one fill for all of them saves a fill per space, each a thin column of rows.
    const auto& Widths = E.ModuleWidths();
    const bool OneBackground =
        Pattern.find_first_of("ABCD") == std::string_view::npos &&
        std::all_of(Widths.begin(), Widths.end(), [](auto M) { return M > 0; });
    if (OneBackground)
        Surface.fillRect(QRectF(0, 0, W, H).normalized(), SpaceColor);
    int X = 0;
    for (const char Ch : Pattern) {
        const TElement El = E.DecodeElement(Ch);
        if (El.Width > 0) {
            // Short bars share the tall bars' baseline, as postal scanners require.
            const double Top = El.Kind == ekShortBar ? H - ShortH : 0;
            const double Depth = El.Kind == ekShortBar ? ShortH : H;
            double Inked = El.Width;
            if (El.Kind != ekSpace && Grid.DotsPerUnit > 0 && Reduction > 0) {
                const int Dots = El.Width * Grid.DotsPerUnit;
                Inked = double(Dots - std::min(Reduction, Dots - 1)) / Grid.DotsPerUnit;
                Surface.fillRect(QRectF(X + Inked, Top, El.Width - Inked, Depth).normalized(),
                                 SpaceColor);
            }
            if (El.Kind != ekSpace)
                Surface.fillRect(QRectF(X, Top, Inked, Depth).normalized(), BarColor);
            else if (!OneBackground)
                Surface.fillRect(QRectF(X, 0, El.Width, H).normalized(), SpaceColor);
        }
        X += El.Width;
    }
}

struct TTextBand {
    QPainter& Surface;
    QColor BoxColor;
    double Ascent;
    int L; // the frame's extent across the bars
    // Glyphs are this many frame units wide per unit of font size, so that whole-dot modules
    // leave the text its size.
    double GlyphScale;
};

// Fills the units B to C (inclusive) of the text band and draws S with its cell's top-left
// corner at A, TextTop units from the text side's edge.
void PutTextBox(const TTextBand& Band, int A, int B, int C, const QString& S) {
    Band.Surface.fillRect(QRectF(B, Band.L - TextBoxDepth, C + 1 - B, TextBoxDepth).normalized(),
                          Band.BoxColor);
    if (S.isEmpty())
        return;
    const QPointF Origin(A, Band.L - TextTop + Band.Ascent);
    if (Band.GlyphScale == 1) {
        PaintText(Band.Surface, Origin, S);
        return;
    }
    Band.Surface.save();
    Band.Surface.translate(Origin);
    Band.Surface.scale(Band.GlyphScale, 1);
    PaintText(Band.Surface, QPointF(0, 0), S);
    Band.Surface.restore();
}

// The text's advance in frame units with its glyphs GlyphScale wide.
int Advance(const QFontMetrics& Metrics, const QString& Text, double GlyphScale) {
    const int Plain = Metrics.horizontalAdvance(Text);
    return GlyphScale == 1 ? Plain : RoundToInt(Plain * GlyphScale);
}

void PaintReadableText(const TBarcodeEngine& E, QPainter& Surface, int W, int L,
                       double GlyphScale) {
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(FontPixels);
    Font.setStyleHint(QFont::SansSerif);
    Surface.setFont(Font);
    // Window text is black on the reference screen; a dark desktop theme must not turn printed
    // digits white on their white boxes.
    Surface.setPen(QColor(Qt::black));
    const QFontMetrics Metrics(Font);
    const TTextBand Band{Surface, RgbOf(E.Color(), Qt::white),
                         static_cast<double>(Metrics.ascent()), L, GlyphScale};
    const QString Text = FromCp1252(E.Text());
    // The retail layouts are laid out in units of a Modul 1 symbol; only positions written with
    // W follow other module widths.
    switch (E.Typ()) {
    case bcCodeEAN8: {
        // EncodeEAN8 leaves Text as typed (seven digits with Checksum on, or fewer): the boxes
        // show the eight digits the bars hold, so the symbol reads as it is labelled.
        const QString Digits = FromCp1252(EAN8Digits(E));
        PutTextBox(Band, 3, 3, 30, Digits.mid(0, 4));
        PutTextBox(Band, 35, 35, W - 4, Digits.mid(4, 4));
        break;
    }
    case bcCodeEAN13:
        // A leading 0 is the UPC-A number system and is not shown.
        if (!Text.startsWith(QLatin1Char('0')))
            PutTextBox(Band, -8, -8, -2, Text.mid(0, 1));
        PutTextBox(Band, 3, 3, 44, Text.mid(1, 6));
        PutTextBox(Band, 49, 49, W - 4, Text.mid(7, 6));
        break;
    case bcCodeUPC_A:
        PutTextBox(Band, -8, -8, -2, Text.mid(0, 1));
        PutTextBox(Band, 10, 10, 44, Text.mid(1, 5));
        PutTextBox(Band, 49, 49, 83, Text.mid(6, 5));
        PutTextBox(Band, W + 1, W + 1, W + 8, Text.mid(11, 1));
        break;
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
        PutTextBox(Band, 3, 3, 44, Text.mid(0, 6));
        PutTextBox(Band, W + 1, W + 1, W + 8, Text.mid(6, 1));
        break;
    default:
        PutTextBox(Band, (W - Advance(Metrics, Text, GlyphScale)) / 2, 0, W, Text);
        break;
    }
}

} // namespace

void TBarcodeEngine::PaintBarcode(QPainter& Canvas, const QRect& Rect, bool ShowText,
                                  TModuleFit Fit, std::int32_t BarReduction, const QRect& Room) {
    const std::string Pattern = EncodePattern();
    const std::int32_t W = PatternWidth(Pattern);
    if (W <= 0 || Rect.isEmpty())
        return;
    const int Turns = QuarterTurns(FAngle);
    const bool Upright = Turns % 2 == 0;
    // The length of the rectangle takes the pattern; the other side, at the same scale, gives
    // the frame's depth, and what the text band leaves of it is the bar height.
    const double Scale = (Upright ? Rect.width() : Rect.height()) / static_cast<double>(W);
    const std::int32_t L = RoundToInt((Upright ? Rect.height() : Rect.width()) / Scale);
    FHeight = L - TextBand(FTyp);
    if (L <= 0)
        return;
    Canvas.save();
    // Smoothed edges would leave seams between abutting elements and grey bar edges in print.
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    QTransform Frame = FrameToRect(Turns, W, L, QRectF(Rect));
    const QRect Space = Room.isNull() ? Rect : Room | Rect;
    const TDotGrid Grid = Fit == mfWholeDots ? SnapToDots(Canvas, Frame, W, Space) : TDotGrid{};
    // A room narrower than one dot a module cuts the symbol rather than ink beside it.
    if (Grid.Overflows)
        Canvas.setClipRect(Space, Qt::IntersectClip);
    Canvas.setTransform(Frame, true);
    RenderPattern(*this, Pattern, W, Canvas, Grid, BarReduction);
    if (ShowText)
        PaintReadableText(*this, Canvas, W, L, Grid.GlyphScale);
    Canvas.restore();
}
