#pragma once

#include <QSpinBox>

class QComboBox;
class QDockWidget;
class QEvent;
class QGridLayout;
class QLineEdit;
class QWidget;

// Panel fields that take focus but are not text fields for the Edit commands (the font boxes)
// carry this dynamic property set to true.
inline constexpr char NoTextCommandsProperty[] = "tessmiraNoTextCommands";

void MarkNoTextCommands(QWidget* Field);

// Compact spacing for the fields of a panel's group box.
void CompactGrid(QGridLayout* Grid);

// A list or box that takes the width its layout gives it rather than that of its longest entry;
// the open list still shows entries whole.
void NarrowList(QComboBox* List);

// Puts the panel's fields into it, scrolling when the dock is smaller than they need. Its lists
// and number fields take the mouse wheel only while they have the keyboard focus.
void SetPanelBody(QDockWidget* Panel, QWidget* Body);

// A whole number from 0 to 10000 that selects its whole text when entered and reports every
// step of its spin buttons, arrow keys and wheel.
class TNumberField : public QSpinBox {
    Q_OBJECT
public:
    explicit TNumberField(QWidget* Parent = nullptr);

    // An empty field reads as 0.
    int Value() const;
    QLineEdit* Editor() const { return lineEdit(); }

    void stepBy(int Steps) override;

signals:
    void Spun();

protected:
    void focusInEvent(QFocusEvent* Event) override;
};

// What an event on a panel field means to its panel. Focus that moves to another window or to a
// popup and comes back is no entering or leaving: the field stays the window's active control;
// but what was typed before another window took the focus is the user's to keep (feLeaveWindow).
enum TFieldEvent { feNone, feEnter, feExit, feReturnKey, feLeaveWindow };
TFieldEvent FieldEventOf(const QEvent* Event);

// The editor of a text or number field, whose modified mark records typing; nullptr otherwise.
QLineEdit* FieldEditor(QWidget* Field);

// Loading a panel shows the object's value in a field, unless the field has the focus and holds
// typing not yet applied (a scroll or a click reloads the panel meanwhile).
void LoadText(QLineEdit* Field, const QString& Text);
void LoadNumber(TNumberField* Field, int Value);

// Forgets the typing in every text and number field below Panel: it has been applied.
void ForgetTyping(QWidget* Panel);
