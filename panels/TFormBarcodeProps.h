#pragma once

#include <QDockWidget>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QSpinBox;
class TBarcodeItem;

// Dockable tool window with the properties of the selected barcode items.
class TFormBarcodeProps : public QDockWidget {
    Q_OBJECT
public:
    explicit TFormBarcodeProps(QWidget* Parent = nullptr);

    void EnableControls(bool Enabled);
    // nullptr clears every field.
    void LoadBarcode(const TBarcodeItem* Item);

    QLineEdit* E_TitleRow1 = nullptr;
    QLineEdit* E_TitleRow2 = nullptr;
    QFontComboBox* E_FontName = nullptr;
    QComboBox* E_FontSize = nullptr;
    QCheckBox* CB_FontBold = nullptr;
    QCheckBox* CB_FontItalic = nullptr;
    QCheckBox* CB_FontUnderline = nullptr;
    QCheckBox* CB_FontStrikeout = nullptr;
    QLineEdit* E_Barcode = nullptr;
    QComboBox* CB_BarcodeType = nullptr;
    QComboBox* CB_Angle = nullptr;
    QSpinBox* E_Height = nullptr;
    QSpinBox* E_Width = nullptr;
    QCheckBox* CB_Checksum = nullptr;

private:
    void Clear();
};
