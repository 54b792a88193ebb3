#include "panels/TPanelFields.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

void MarkNoTextCommands(QWidget* Field) {
    Field->setProperty(NoTextCommandsProperty, true);
}

void CompactGrid(QGridLayout* Grid) {
    Grid->setContentsMargins(6, 4, 6, 6);
    Grid->setHorizontalSpacing(6);
    Grid->setVerticalSpacing(2);
}

void NarrowList(QComboBox* List) {
    List->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    List->setMinimumContentsLength(3);
    List->view()->setTextElideMode(Qt::ElideNone);
    List->view()->setMinimumWidth(List->view()->sizeHintForColumn(0));
}

namespace {

// A list or number field takes the wheel only while it has the keyboard focus; otherwise the
// wheel scrolls the panel, as it would over a label, and changes nothing the user did not aim at.
class TWheelGuard : public QObject {
public:
    explicit TWheelGuard(QScrollArea* Area) : QObject(Area), FArea(Area) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        auto* Field = qobject_cast<QWidget*>(Watched);
        if (Event->type() != QEvent::Wheel || Field == nullptr || Field->hasFocus())
            return false;
        QCoreApplication::sendEvent(FArea->verticalScrollBar(), Event);
        return true;
    }

private:
    QScrollArea* FArea;
};

} // namespace

void SetPanelBody(QDockWidget* Panel, QWidget* Body) {
    auto* Scroller = new QScrollArea;
    Scroller->setFrameShape(QFrame::NoFrame);
    Scroller->setWidgetResizable(true);
    Scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Scroller->setWidget(Body);
    Scroller->setMinimumWidth(Body->minimumSizeHint().width());
    auto* Guard = new TWheelGuard(Scroller);
    QList<QWidget*> Fields;
    for (QComboBox* List : Body->findChildren<QComboBox*>())
        Fields << List;
    for (QAbstractSpinBox* Number : Body->findChildren<QAbstractSpinBox*>())
        Fields << Number;
    for (QWidget* Field : Fields) {
        // The wheel gives no focus either: a click or Tab does.
        Field->setFocusPolicy(Qt::StrongFocus);
        Field->installEventFilter(Guard);
    }
    Panel->setWidget(Scroller);
}

TNumberField::TNumberField(QWidget* Parent) : QSpinBox(Parent) {
    setRange(0, 10000);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

int TNumberField::Value() const {
    return cleanText().isEmpty() ? 0 : value();
}

void TNumberField::stepBy(int Steps) {
    QSpinBox::stepBy(Steps);
    emit Spun();
}

void TNumberField::focusInEvent(QFocusEvent* Event) {
    QSpinBox::focusInEvent(Event);
    // A click places the editor's cursor after the focus arrived; select once it has.
    if (Event->reason() != Qt::ActiveWindowFocusReason && Event->reason() != Qt::PopupFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                selectAll();
        });
}

TFieldEvent FieldEventOf(const QEvent* Event) {
    switch (Event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const Qt::FocusReason Reason = static_cast<const QFocusEvent*>(Event)->reason();
        if (Reason == Qt::ActiveWindowFocusReason && Event->type() == QEvent::FocusOut)
            return feLeaveWindow;
        if (Reason == Qt::ActiveWindowFocusReason || Reason == Qt::PopupFocusReason)
            return feNone;
        return Event->type() == QEvent::FocusIn ? feEnter : feExit;
    }
    case QEvent::KeyPress: {
        const int Key = static_cast<const QKeyEvent*>(Event)->key();
        return Key == Qt::Key_Return || Key == Qt::Key_Enter ? feReturnKey : feNone;
    }
    default:
        return feNone;
    }
}

QLineEdit* FieldEditor(QWidget* Field) {
    if (auto* Edit = qobject_cast<QLineEdit*>(Field))
        return Edit;
    if (auto* Number = qobject_cast<TNumberField*>(Field))
        return Number->Editor();
    return nullptr;
}

namespace {

bool HoldsTyping(QWidget* Field) {
    const QLineEdit* Editor = FieldEditor(Field);
    return Editor != nullptr && Field->hasFocus() && Editor->isModified();
}

} // namespace

void LoadText(QLineEdit* Field, const QString& Text) {
    if (!HoldsTyping(Field))
        Field->setText(Text);
}

void LoadNumber(TNumberField* Field, int Value) {
    if (!HoldsTyping(Field))
        Field->setValue(Value);
}

void ForgetTyping(QWidget* Panel) {
    for (QLineEdit* Editor : Panel->findChildren<QLineEdit*>())
        Editor->setModified(false);
}
