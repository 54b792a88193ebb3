#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;
class TPrintJob;

// "Printing progress": how far the run is, and a Cancel button that abandons its document.
class TPrintProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintProgressForm(TPrintJob& Job, QWidget* Parent = nullptr);

    // Shows Percent when it reaches another multiple of 5.
    void SetProgress(std::int32_t Percent);

    QProgressBar* Gauge = nullptr;
    QLabel* Info = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    // Closing the window cancels, as the button does.
    void reject() override;

private:
    TPrintJob& FJob;
    std::int32_t FShown = -1;
};
