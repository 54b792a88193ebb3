#include "panels/TFormBarcodeProps.h"

#include "barcode/TBarcodeEngine.h"
#include "panels/TPanelFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

namespace {

// Taken from the symbology table at compile time, so the panel does not pull in the encoders.
constexpr auto BarcodeTypeNames = [] {
    std::array<const char*, BarcodeTypeCount> Names{};
    for (std::size_t I = 0; I < BarcodeTypeCount; ++I)
        Names[I] = BarcodeTypeTable[I].DisplayName;
    return Names;
}();

QCheckBox* StyledCheckBox(const QString& Caption, void (QFont::*SetStyle)(bool)) {
    auto* Box = new QCheckBox(Caption);
    QFont Font = Box->font();
    (Font.*SetStyle)(true);
    Box->setFont(Font);
    return Box;
}

QSpinBox* NumberField() {
    auto* Field = new QSpinBox;
    Field->setRange(0, 10000);
    Field->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    return Field;
}

} // namespace

TFormBarcodeProps::TFormBarcodeProps(QWidget* Parent) : QDockWidget(Parent) {
    setObjectName(QStringLiteral("FormBarcodeProps"));
    setWindowTitle(QStringLiteral("Barcode properties"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    E_TitleRow1 = new QLineEdit;
    E_TitleRow2 = new QLineEdit;
    E_FontName = new QFontComboBox;
    E_FontName->setMinimumWidth(133);
    E_FontSize = new QComboBox;
    E_FontSize->setEditable(true);
    E_FontSize->setMinimumWidth(49);
    for (const int Size : QFontDatabase::standardSizes())
        E_FontSize->addItem(QString::number(Size));
    MarkNoTextCommands(E_FontName);
    MarkNoTextCommands(E_FontSize);
    CB_FontBold = StyledCheckBox(QStringLiteral("Bold"), &QFont::setBold);
    CB_FontItalic = StyledCheckBox(QStringLiteral("Italic"), &QFont::setItalic);
    CB_FontUnderline = StyledCheckBox(QStringLiteral("Underline"), &QFont::setUnderline);
    CB_FontStrikeout = StyledCheckBox(QStringLiteral("Strike out"), &QFont::setStrikeOut);

    E_Barcode = new QLineEdit;
    CB_BarcodeType = new QComboBox;
    CB_BarcodeType->setMaxVisibleItems(20);
    for (const char* Name : BarcodeTypeNames)
        CB_BarcodeType->addItem(QString::fromLatin1(Name));
    CB_Angle = new QComboBox;
    CB_Angle->addItems(
        {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    E_Height = NumberField();
    E_Width = NumberField();
    CB_Checksum = new QCheckBox(QStringLiteral("Checksum"));

    auto* Title = new QGroupBox(QStringLiteral("Article title"));
    auto* TitleGrid = new QGridLayout(Title);
    CompactGrid(TitleGrid);
    TitleGrid->addWidget(new QLabel(QStringLiteral("Row 1")), 0, 0, 1, 2);
    TitleGrid->addWidget(E_TitleRow1, 1, 0, 1, 2);
    TitleGrid->addWidget(new QLabel(QStringLiteral("Row 2")), 2, 0, 1, 2);
    TitleGrid->addWidget(E_TitleRow2, 3, 0, 1, 2);
    TitleGrid->addWidget(new QLabel(QStringLiteral("Font name")), 4, 0);
    TitleGrid->addWidget(new QLabel(QStringLiteral("Font size")), 4, 1);
    TitleGrid->addWidget(E_FontName, 5, 0);
    TitleGrid->addWidget(E_FontSize, 5, 1);
    TitleGrid->addWidget(CB_FontBold, 6, 0);
    TitleGrid->addWidget(CB_FontItalic, 6, 1);
    TitleGrid->addWidget(CB_FontUnderline, 7, 0);
    TitleGrid->addWidget(CB_FontStrikeout, 7, 1);
    TitleGrid->setColumnStretch(0, 1);

    auto* Barcode = new QGroupBox(QStringLiteral("Barcode"));
    auto* BarcodeGrid = new QGridLayout(Barcode);
    CompactGrid(BarcodeGrid);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Text")), 0, 0, 1, 2);
    BarcodeGrid->addWidget(E_Barcode, 1, 0, 1, 2);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Barcode type")), 2, 0, 1, 2);
    BarcodeGrid->addWidget(CB_BarcodeType, 3, 0, 1, 2);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Angle")), 4, 0);
    BarcodeGrid->addWidget(CB_Angle, 5, 0);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Height")), 6, 0);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Width")), 6, 1);
    BarcodeGrid->addWidget(E_Height, 7, 0);
    BarcodeGrid->addWidget(E_Width, 7, 1);
    BarcodeGrid->addWidget(CB_Checksum, 8, 0, 1, 2);
    BarcodeGrid->setRowStretch(9, 1);

    auto* Body = new QWidget;
    auto* Column = new QVBoxLayout(Body);
    Column->setContentsMargins(4, 4, 4, 4);
    Column->setSpacing(4);
    Column->addWidget(Title);
    Column->addWidget(Barcode, 1);
    Body->setMinimumWidth(206);
    SetPanelBody(this, Body);

    setTabOrder(E_TitleRow1, E_TitleRow2);
    setTabOrder(E_TitleRow2, E_FontName);
    setTabOrder(E_FontName, E_FontSize);
    setTabOrder(E_FontSize, CB_FontBold);
    setTabOrder(CB_FontBold, CB_FontItalic);
    setTabOrder(CB_FontItalic, CB_FontUnderline);
    setTabOrder(CB_FontUnderline, CB_FontStrikeout);
    setTabOrder(CB_FontStrikeout, E_Barcode);
    setTabOrder(E_Barcode, CB_Angle);
    setTabOrder(CB_Angle, CB_BarcodeType);
    setTabOrder(CB_BarcodeType, E_Height);
    setTabOrder(E_Height, E_Width);
    setTabOrder(E_Width, CB_Checksum);
}

void TFormBarcodeProps::EnableControls(bool Enabled) {
    widget()->setEnabled(Enabled);
}

void TFormBarcodeProps::LoadBarcode(const TBarcodeItem* Item) {
    Clear();
    // Filling the fields from an item belongs to the barcode item; until then every load clears.
    (void)Item;
}

void TFormBarcodeProps::Clear() {
    for (QLineEdit* Edit : {E_TitleRow1, E_TitleRow2, E_Barcode})
        Edit->clear();
    E_FontName->setCurrentIndex(-1);
    E_FontSize->setCurrentIndex(-1);
    E_FontSize->clearEditText();
    for (QCheckBox* Box :
         {CB_FontBold, CB_FontItalic, CB_FontUnderline, CB_FontStrikeout, CB_Checksum})
        Box->setChecked(false);
    CB_BarcodeType->setCurrentIndex(-1);
    CB_Angle->setCurrentIndex(-1);
    E_Height->clear();
    E_Width->clear();
}
