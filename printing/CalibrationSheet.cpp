#include "printing/CalibrationSheet.h"

#include "document/TCustomPrintJob.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

constexpr long double LineWidth = 2; // native units: 0.2 mm, a few dots on any printer
constexpr long double CrossArm = 40;

void HorizontalLine(TCustomPrintJob& Job, long double X1, long double X2, long double Y) {
    const int Thick = std::max(1, Job.DeviceHeight(LineWidth));
    const int Top = Job.DeviceY(Y) - Thick / 2;
    Job.Canvas().fillRect(Job.DeviceX(X1), Top, Job.DeviceX(X2) - Job.DeviceX(X1), Thick,
                          Qt::black);
}

void VerticalLine(TCustomPrintJob& Job, long double X, long double Y1, long double Y2) {
    const int Thick = std::max(1, Job.DeviceWidth(LineWidth));
    const int Left = Job.DeviceX(X) - Thick / 2;
    Job.Canvas().fillRect(Left, Job.DeviceY(Y1), Thick, Job.DeviceY(Y2) - Job.DeviceY(Y1),
                          Qt::black);
}

// A tick every millimetre, longer every 5 and 10, the centimetres numbered.
void Rulers(TCustomPrintJob& Job, const QFont& Font, long double Width, long double Length) {
    QPainter& Canvas = Job.Canvas();
    Canvas.setFont(Font);
    Canvas.setPen(Qt::black);
    const auto Tick = [](int MM) { return MM % 10 == 0 ? 40.0L : MM % 5 == 0 ? 25.0L : 15.0L; };
    for (int MM = 0; MM * 10 <= Width; ++MM) {
        VerticalLine(Job, MM * 10, 0, Tick(MM));
        if (MM % 10 == 0 && MM > 0)
            Canvas.drawText(QPoint(Job.DeviceX(MM * 10 + 5), Job.DeviceY(50)) +
                                QPoint(0, QFontMetrics(Font).ascent()),
                            QString::number(MM / 10));
    }
    for (int MM = 0; MM * 10 <= Length; ++MM) {
        HorizontalLine(Job, 0, Tick(MM), MM * 10);
        if (MM % 10 == 0 && MM > 0)
            Canvas.drawText(QPoint(Job.DeviceX(50), Job.DeviceY(MM * 10 - 5)),
                            QString::number(MM / 10));
    }
}

void Cross(TCustomPrintJob& Job, long double X, long double Y) {
    HorizontalLine(Job, X - CrossArm, X + CrossArm, Y);
    VerticalLine(Job, X, Y - CrossArm, Y + CrossArm);
}

} // namespace

void PaintCalibrationSheet(TCustomPrintJob& Job, long double Width, long double Length,
                           const QString& Printer, const TCalibration& Applied) {
    QPainter& Canvas = Job.Canvas();
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.fillRect(
        QRect(Job.DeviceX(0), Job.DeviceY(0), Job.DeviceWidth(Width), Job.DeviceHeight(Length)),
        Qt::white);
    QFont Font(QStringLiteral("Arial"));
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(std::max(6, Job.DeviceHeight(22)));
    Rulers(Job, Font, Width, Length);
    const long double In = CalibrationCrossInset;
    for (const long double X : {In, Width - In})
        for (const long double Y : {In, Length - In})
            Cross(Job, X, Y);
    const QStringList Lines = {
        QStringLiteral("Calibration of %1").arg(Printer),
        QStringLiteral("Each cross is 10 mm from two edges."),
        QStringLiteral("Offsets applied: x %1 mm, y %2 mm")
            .arg(static_cast<double>(Applied.OffsetX), 0, 'f', 1)
            .arg(static_cast<double>(Applied.OffsetY), 0, 'f', 1),
        QStringLiteral("Measure the top left cross from the"),
        QStringLiteral("left and top edge; a new offset is"),
        QStringLiteral("applied + 10 mm - measured."),
    };
    // As large as fits between the crosses.
    const int Room = Job.DeviceWidth(Width - 2 * (In + CrossArm + 20));
    QFontMetrics Metrics(Font);
    int Widest = 0;
    for (const QString& Line : Lines)
        Widest = std::max(Widest, Metrics.horizontalAdvance(Line));
    if (Widest > Room && Room > 0) {
        Font.setPixelSize(std::max(4, Font.pixelSize() * Room / Widest));
        Metrics = QFontMetrics(Font);
    }
    Canvas.setFont(Font);
    const int Height = Metrics.lineSpacing() * static_cast<int>(Lines.size());
    int Y = Job.DeviceY(Length / 2) - Height / 2 + Metrics.ascent();
    for (const QString& Line : Lines) {
        Canvas.drawText(Job.DeviceX(Width / 2) - Metrics.horizontalAdvance(Line) / 2, Y, Line);
        Y += Metrics.lineSpacing();
    }
    Canvas.restore();
}
