#pragma once

#include <QColor>
#include <QWidget>

class TDesigner;

// One of the eight 5 by 5 squares that show a selected control, a child of the control's
// parent: 0 top-left, then clockwise to 7 middle-left.
class TGrabHandle : public QWidget {
    Q_OBJECT
public:
    TGrabHandle(TDesigner& Owner, QWidget* Control, int Index);

    QWidget* Control() const { return FControl; }
    int Index() const { return FIndex; }
    QColor Fill() const { return FFill; }
    QColor Border() const { return FBorder; }
    void SetColors(const QColor& Fill, const QColor& Border);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    TDesigner& FOwner;
    QWidget* FControl;
    int FIndex;
    QColor FFill;
    QColor FBorder;
};
