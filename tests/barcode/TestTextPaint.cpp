#include "barcode/TextPaint.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// A 600 dpi sheet, where most text is larger than Qt's glyph cache takes.
QImage Sheet() {
    QImage Image(900, 900, QImage::Format_RGB32);
    Image.fill(Qt::white);
    Image.setDotsPerMeterX(23622);
    Image.setDotsPerMeterY(23622);
    return Image;
}

struct TInk {
    QRect Box;
    double Amount = 0; // darkness summed over the pixels of one channel, in pixels
};

TInk InkOf(const QImage& Image, int Shift) {
    TInk Ink;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X) {
            const int Level = (Image.pixel(X, Y) >> Shift) & 0xFF;
            if (Level < 255) {
                Ink.Box |= QRect(X, Y, 1, 1);
                Ink.Amount += (255 - Level) / 255.0;
            }
        }
    return Ink;
}

} // namespace

// PaintText draws what drawText draws: at every quarter turn, under the barcode's scaling
// frames, below and above the glyph size where it takes over from Qt, in colour, and with an
// opaque background. Glyph edges are rasterised separately and positions rounded to whole
// pixels, so the ink may move by a pixel and its amount differ by a few per cent.
TEST(TextPaint, DrawsWhatDrawTextDraws) {
    struct TCase {
        double Turn;
        double Scale;
        int Pixels; // the font's size before the scale
        QRgb Color;
        bool Opaque;
    };
    const TCase Cases[] = {
        {0, 1, 20, qRgb(0, 0, 0), false},  // small: Qt's own glyph cache draws it
        {0, 1, 90, qRgb(0, 0, 0), false},  // a 9 pt title at 600 dpi
        {0, 8, 12, qRgb(0, 0, 0), false},  // the readable text in a barcode's frame
        {90, 8, 12, qRgb(0, 0, 0), false}, // and the turned barcodes'
        {180, 8, 12, qRgb(0, 0, 0), false},  {270, 8, 12, qRgb(0, 0, 0), false},
        {0, 1, 90, qRgb(200, 0, 0), false},  // the same glyphs again, in red
        {0, 1, 90, qRgb(0, 0, 0), true},     // a title on its item's background
        {0, 1.03, 90, qRgb(0, 0, 0), false}, // a scale off the glyph sizes seen before
    };
    for (const TCase& C : Cases) {
        QImage Expected = Sheet();
        QImage Actual = Sheet();
        for (QImage* Image : {&Expected, &Actual}) {
            QPainter Canvas(Image);
            Canvas.translate(450, 450);
            Canvas.rotate(-C.Turn);
            Canvas.scale(C.Scale, C.Scale);
            QFont Font(QStringLiteral("Arial"));
            Font.setPixelSize(C.Pixels);
            Canvas.setFont(Font);
            Canvas.setPen(QColor(C.Color));
            if (C.Opaque) {
                Canvas.setBackgroundMode(Qt::OpaqueMode);
                Canvas.setBackground(QColor(Qt::yellow));
            }
            const QPointF Origin(-300 / C.Scale, 0);
            const QString Text = QStringLiteral("Shelf 12-B");
            if (Image == &Expected)
                Canvas.drawText(Origin, Text);
            else
                PaintText(Canvas, Origin, Text);
        }
        // Red ink shows in the green channel, yellow ground in the blue one.
        const int Shift = C.Opaque ? 0 : 8;
        const TInk Want = InkOf(Expected, Shift);
        const TInk Got = InkOf(Actual, Shift);
        const std::string Where =
            std::to_string(C.Turn) + " " + std::to_string(C.Scale) + " " + std::to_string(C.Pixels);
        ASSERT_GT(Want.Amount, 100) << Where;
        EXPECT_NEAR(Got.Amount, Want.Amount, Want.Amount * 0.03) << Where;
        for (const auto& [G, W] : {std::pair{Got.Box.left(), Want.Box.left()},
                                   {Got.Box.top(), Want.Box.top()},
                                   {Got.Box.right(), Want.Box.right()},
                                   {Got.Box.bottom(), Want.Box.bottom()}})
            EXPECT_NEAR(G, W, 2) << Where;
    }
}
