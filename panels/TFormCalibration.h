#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QPushButton;

// "Printer calibration": how far every print on a printer is moved right and down, in
// millimetres, to make up for where that printer puts it, with a button that prints the sheet
// to read the offsets off. It keeps nothing itself: the main window loads and keeps a printer's
// offsets through TAsk.
class TFormCalibration : public QDialog {
    Q_OBJECT
public:
    struct TOffsets {
        double X = 0;
        double Y = 0;
    };
    struct TAsk {
        std::function<TOffsets(const QString& Printer)> Load;
        // Keeps the offsets, then prints the sheet with them; the error shows in a message.
        std::function<void(QWidget* Parent, const QString& Printer, TOffsets Offsets)> PrintSheet;
    };

    // The printers to choose from; Current is chosen first.
    TFormCalibration(const QStringList& Printers, const QString& Current, double Limit, TAsk Ask,
                     QWidget* Parent = nullptr);

    QString PrinterValue() const;
    TOffsets OffsetsValue() const;

    QComboBox* CB_Printer = nullptr;
    QDoubleSpinBox* E_OffsetX = nullptr;
    QDoubleSpinBox* E_OffsetY = nullptr;
    QPushButton* B_PrintSheet = nullptr;
    QDialogButtonBox* Buttons = nullptr;

private:
    void CB_PrinterChange();

    TAsk FAsk;
};
