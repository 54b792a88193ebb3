#pragma once

#include <QRect>

#include <array>
#include <memory>

class QWidget;

// A drag outline over a container and the items in it: four thin strips above every sibling,
// so moving it repaints neither the page nor the items.
class TDragOutline {
public:
    TDragOutline(QWidget& Container, int PenWidth, bool Dotted);
    ~TDragOutline();
    TDragOutline(const TDragOutline&) = delete;
    TDragOutline& operator=(const TDragOutline&) = delete;

    // Draws the outline of Rect (pixels of the container); an empty rectangle hides it.
    void SetRect(const QRect& Rect);
    QRect Rect() const { return FRect; }

private:
    std::array<std::unique_ptr<QWidget>, 4> FStrips;
    int FPenWidth;
    QRect FRect;
};
