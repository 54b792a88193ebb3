#include "designer/TGrabHandle.h"

#include "designer/TDesigner.h"

#include <QMouseEvent>
#include <QPainter>

TGrabHandle::TGrabHandle(TDesigner& Owner, QWidget* Control, TGrabPosition Position)
    : QWidget(Control->parentWidget()), FOwner(Owner), FControl(Control), FPosition(Position) {
    resize(5, 5);
    hide();
}

void TGrabHandle::SetColors(const QColor& Fill, const QColor& Border) {
    if (Fill == FFill && Border == FBorder)
        return;
    FFill = Fill;
    FBorder = Border;
    update();
}

void TGrabHandle::paintEvent(QPaintEvent*) {
    QPainter Canvas(this);
    Canvas.fillRect(rect(), FFill);
    Canvas.setPen(FBorder);
    Canvas.drawRect(0, 0, width() - 1, height() - 1);
}

void TGrabHandle::mousePressEvent(QMouseEvent* Event) {
    // Taken here, so that the press does not go on to the page as a press on the page.
    Event->accept();
    if (Event->button() == Qt::LeftButton)
        FOwner.StartSizing(*this, Event->globalPosition().toPoint());
}
