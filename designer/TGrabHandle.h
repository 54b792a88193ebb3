#pragma once

#include <QColor>
#include <QWidget>

#include <array>
#include <cstdint>

class TDesigner;

// Where a grab handle sits on its control: from the top-left corner clockwise.
enum TGrabPosition : std::uint8_t {
    gpTopLeft,
    gpTop,
    gpTopRight,
    gpRight,
    gpBottomRight,
    gpBottom,
    gpBottomLeft,
    gpLeft
};

// What dragging each handle does: the edges it moves, and the cursor that says so. Corners are
// the handles a multiple selection shows.
struct TGrabHandleRow {
    TGrabPosition Position;
    Qt::CursorShape Cursor;
    bool Left, Top, Right, Bottom;
    bool Corner() const { return (Left || Right) && (Top || Bottom); }
};
inline constexpr std::array<TGrabHandleRow, 8> GrabHandles = {{
    {gpTopLeft, Qt::SizeFDiagCursor, true, true, false, false},
    {gpTop, Qt::SizeVerCursor, false, true, false, false},
    {gpTopRight, Qt::SizeBDiagCursor, false, true, true, false},
    {gpRight, Qt::SizeHorCursor, false, false, true, false},
    {gpBottomRight, Qt::SizeFDiagCursor, false, false, true, true},
    {gpBottom, Qt::SizeVerCursor, false, false, false, true},
    {gpBottomLeft, Qt::SizeBDiagCursor, true, false, false, true},
    {gpLeft, Qt::SizeHorCursor, true, false, false, false},
}};
constexpr bool GrabHandlesInOrder() {
    for (std::size_t I = 0; I < GrabHandles.size(); ++I)
        if (GrabHandles[I].Position != I)
            return false;
    return true;
}
static_assert(GrabHandlesInOrder(), "each handle's row stands at its position");

// One of the eight 5 by 5 squares that show a selected control, a child of the control's
// parent.
class TGrabHandle : public QWidget {
    Q_OBJECT
public:
    TGrabHandle(TDesigner& Owner, QWidget* Control, TGrabPosition Position);

    QWidget* Control() const { return FControl; }
    TGrabPosition Position() const { return FPosition; }
    QColor Fill() const { return FFill; }
    QColor Border() const { return FBorder; }
    void SetColors(const QColor& Fill, const QColor& Border);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    TDesigner& FOwner;
    QWidget* FControl;
    TGrabPosition FPosition;
    QColor FFill;
    QColor FBorder;
};
