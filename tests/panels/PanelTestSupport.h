#pragma once

#include "document/SystemFacts.h"

#include <QAbstractSpinBox>
#include <QDockWidget>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QtTest>

// A metric system at 96 pixels per inch for the life of the object, whatever the test machine's
// locale says.
class TMetricSystem {
public:
    TMetricSystem() {
        const TSystemFacts Facts{false, false, 96};
        OverrideSystemFacts(&Facts);
    }
    ~TMetricSystem() { OverrideSystemFacts(nullptr); }
    TMetricSystem(const TMetricSystem&) = delete;
    TMetricSystem& operator=(const TMetricSystem&) = delete;
};

// Shows a panel as a floating window of its own and gives it the keyboard.
inline bool ShowActive(QDockWidget& Panel) {
    Panel.setFloating(true);
    Panel.show();
    Panel.activateWindow();
    return QTest::qWaitForWindowActive(&Panel);
}

// Gives a field the focus as a click would, so that it counts as entered, and lets the field
// finish its entry (a number field selects its text).
inline bool Enter(QWidget* Field) {
    Field->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    return Field->hasFocus();
}

// The centre of a spin box's up button, where a person clicks it.
inline QPoint UpButton(QAbstractSpinBox* Field) {
    QStyleOptionSpinBox Option;
    Option.initFrom(Field);
    Option.rect = Field->rect();
    Option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame |
                         QStyle::SC_SpinBoxEditField;
    Option.buttonSymbols = Field->buttonSymbols();
    Option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    Option.frame = Field->hasFrame();
    return Field->style()
        ->subControlRect(QStyle::CC_SpinBox, &Option, QStyle::SC_SpinBoxUp, Field)
        .center();
}
