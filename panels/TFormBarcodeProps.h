#pragma once

#include "document/TFont.h"

#include <QDockWidget>
#include <QString>

#include <vector>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class TBarcodeItem;
class TNumberField;

// Dockable tool window with the properties of the selected barcode items. It holds no item data:
// it is loaded from one item, and every change the user makes asks the main window to copy all
// its values to every selected barcode item (ApplyRequested), after which the main window loads
// it again.
class TFormBarcodeProps : public QDockWidget {
    Q_OBJECT
public:
    explicit TFormBarcodeProps(QWidget* Parent = nullptr);

    void EnableControls(bool Enabled);
    // nullptr clears every field. Nothing is written to the item.
    void LoadBarcode(const TBarcodeItem* Item);
    // Asks for the values to be applied, unless the panel is being loaded.
    void ApplyChanges();
    bool Updating() const { return FUpdating; }

    // The font size box as a whole number of points; -1 when it is empty or no number.
    int FontSizeValue() const;
    // The style boxes, ticked ones added in the order bold, italic, underline, strike-out.
    TFontStyles FontStyleValue() const;
    // The family the font box names: an installed one, or the item's own when this machine only
    // has a substitute for it; empty when the box shows none.
    QString FontNameValue() const;
    // The column the Data field list names; empty for "(none)".
    QString DataFieldValue() const;
    // The columns of the page's data source, which the Data field list offers; none when the page
    // has no source or it cannot be read.
    void SetDataColumns(std::vector<QString> Columns);

    QLineEdit* E_TitleRow1 = nullptr;
    QLineEdit* E_TitleRow2 = nullptr;
    QFontComboBox* E_FontName = nullptr;
    QComboBox* E_FontSize = nullptr;
    QCheckBox* CB_FontBold = nullptr;
    QCheckBox* CB_FontItalic = nullptr;
    QCheckBox* CB_FontUnderline = nullptr;
    QCheckBox* CB_FontStrikeout = nullptr;
    QLineEdit* E_Barcode = nullptr;
    QComboBox* CB_DataField = nullptr;
    QComboBox* CB_BarcodeType = nullptr;
    QComboBox* CB_Angle = nullptr;
    TNumberField* E_Height = nullptr;
    TNumberField* E_Width = nullptr;
    QCheckBox* CB_Checksum = nullptr;

signals:
    void ApplyRequested();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CB_BarcodeTypeChange();
    void E_HeightSpinBtnDownClick();
    void E_TitleRow1Enter(QWidget* Sender);
    void E_TitleRow1Exit(QWidget* Sender);
    // Enter in a text or number field applies; the key is swallowed.
    void E_TitleRow1KeyPress();
    // Offers the sizes of the chosen font, keeping the size shown.
    void E_FontNameChange();
    // Selects Name in the font box; a family that is not installed gets an entry of its own at
    // the top, saying what stands in for it, until another font is shown.
    void ShowFontName(const QString& Name);
    // "(none)", the columns, "#", and Field where the columns lack it, with Field selected.
    void FillDataFields(const QString& Field);

    bool FUpdating = false;
    QString FOwnFontName;  // the family of the entry at the top, when there is one
    QString FOwnFontEntry; // that entry's text
    std::vector<QString> FDataColumns;
};
