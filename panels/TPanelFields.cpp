#include "panels/TPanelFields.h"

#include <QDockWidget>
#include <QGridLayout>
#include <QScrollArea>
#include <QWidget>

void MarkNoTextCommands(QWidget* Field) {
    Field->setProperty(NoTextCommandsProperty, true);
}

void CompactGrid(QGridLayout* Grid) {
    Grid->setContentsMargins(6, 4, 6, 6);
    Grid->setHorizontalSpacing(6);
    Grid->setVerticalSpacing(2);
}

void SetPanelBody(QDockWidget* Panel, QWidget* Body) {
    auto* Scroller = new QScrollArea;
    Scroller->setFrameShape(QFrame::NoFrame);
    Scroller->setWidgetResizable(true);
    Scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Scroller->setWidget(Body);
    Scroller->setMinimumWidth(Body->minimumSizeHint().width());
    Panel->setWidget(Scroller);
}
