#pragma once

#include <QDockWidget>

class QComboBox;
class TNumberField;
class TReportPage;

// Dockable tool window with the page's paper, margins and bar width reduction. It holds no page
// data: it is loaded from the page, and every change the user makes asks the main window to write
// all its values back (ApplyRequested), after which the main window loads it again.
class TFormPageProps : public QDockWidget {
    Q_OBJECT
public:
    explicit TFormPageProps(QWidget* Parent = nullptr);

    void EnableControls(bool Enabled);
    // nullptr clears every field.
    void LoadPage(const TReportPage* Page);
    // Asks for the values to be applied, unless the panel is being loaded.
    void ApplyChanges();
    bool Updating() const { return FUpdating; }

    QComboBox* CB_PaperTypes = nullptr;
    TNumberField* E_Width = nullptr;
    TNumberField* E_Length = nullptr;
    QComboBox* CB_Orientation = nullptr;
    TNumberField* E_MTop = nullptr;
    TNumberField* E_MLeft = nullptr;
    TNumberField* E_MBottom = nullptr;
    TNumberField* E_MRight = nullptr;
    TNumberField* E_BarReduction = nullptr;

signals:
    void ApplyRequested();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CB_PaperTypesChange();
    void E_WidthExit(QWidget* Sender);
    // Enter in a number field applies; the key is swallowed.
    void E_WidthKeyPress();

    bool FUpdating = false;
};
