#include "designer/TDragOutline.h"

#include <QPainter>
#include <QWidget>

namespace {

// Grey, as the outlines of the drags are.
const QColor OutlineColor(128, 128, 128);

class TStrip : public QWidget {
public:
    TStrip(QWidget& Container, bool Dotted) : QWidget(&Container), FDotted(Dotted) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TranslucentBackground, Dotted);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Canvas(this);
        if (!FDotted) {
            Canvas.fillRect(rect(), OutlineColor);
            return;
        }
        // Every other pixel along the strip, counted from the container's origin so that the
        // dots of the four sides meet in step.
        const QPoint Origin = pos();
        for (int Y = 0; Y < height(); ++Y)
            for (int X = 0; X < width(); ++X)
                if ((Origin.x() + X + Origin.y() + Y) % 2 == 0)
                    Canvas.fillRect(X, Y, 1, 1, OutlineColor);
    }

private:
    bool FDotted;
};

} // namespace

TDragOutline::TDragOutline(QWidget& Container, int PenWidth, bool Dotted) : FPenWidth(PenWidth) {
    for (auto& Strip : FStrips)
        Strip = std::make_unique<TStrip>(Container, Dotted);
}

TDragOutline::~TDragOutline() = default;

void TDragOutline::SetRect(const QRect& Rect) {
    FRect = Rect;
    if (Rect.width() <= 0 || Rect.height() <= 0) {
        for (auto& Strip : FStrips)
            Strip->hide();
        return;
    }
    const int P = FPenWidth;
    const QRect Sides[4] = {
        QRect(Rect.left(), Rect.top(), Rect.width(), P),
        QRect(Rect.left(), Rect.top() + Rect.height() - P, Rect.width(), P),
        QRect(Rect.left(), Rect.top(), P, Rect.height()),
        QRect(Rect.left() + Rect.width() - P, Rect.top(), P, Rect.height()),
    };
    for (int I = 0; I < 4; ++I) {
        FStrips[I]->setGeometry(Sides[I]);
        // Raised once as it shows: raising is a walk over all siblings, and a drag of many
        // items moves four strips for each at every mouse move.
        if (FStrips[I]->isHidden()) {
            FStrips[I]->raise();
            FStrips[I]->show();
        }
    }
}
