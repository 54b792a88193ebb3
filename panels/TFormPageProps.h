#pragma once

#include <QDockWidget>

class QComboBox;
class QSpinBox;
class TReportPage;

// Dockable tool window with the page's paper and margins.
class TFormPageProps : public QDockWidget {
    Q_OBJECT
public:
    explicit TFormPageProps(QWidget* Parent = nullptr);

    void EnableControls(bool Enabled);
    // nullptr clears every field.
    void LoadPage(const TReportPage* Page);

    QComboBox* CB_PaperTypes = nullptr;
    QSpinBox* E_Width = nullptr;
    QSpinBox* E_Length = nullptr;
    QComboBox* CB_Orientation = nullptr;
    QSpinBox* E_MTop = nullptr;
    QSpinBox* E_MLeft = nullptr;
    QSpinBox* E_MBottom = nullptr;
    QSpinBox* E_MRight = nullptr;

private:
    void Clear();
};
