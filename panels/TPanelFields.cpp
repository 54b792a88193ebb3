#include "panels/TPanelFields.h"

#include <QWidget>

void MarkNoTextCommands(QWidget* Field) {
    Field->setProperty(NoTextCommandsProperty, true);
}
