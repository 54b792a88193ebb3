#include "panels/TFormBarcodeProps.h"

#include "barcode/TBarcodeEngine.h"
#include "common/Messages.h"
#include "common/Rounding.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "document/TBarcodeItem.h"
#include "panels/TPanelFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>
#include <initializer_list>

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

TNumberField* NumberField() {
    auto* Field = new TNumberField;
    Field->setMinimumWidth(54);
    return Field;
}

// The record number, offered unless the source has a column of that name.
const QString RecordNumberField = QStringLiteral("#");

} // namespace

TFormBarcodeProps::TFormBarcodeProps(QWidget* Parent) : QDockWidget(Parent) {
    setObjectName(QStringLiteral("FormBarcodeProps"));
    setWindowTitle(QStringLiteral("Barcode properties"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    E_TitleRow1 = new QLineEdit;
    E_TitleRow2 = new QLineEdit;
    E_FontName = new QFontComboBox;
    E_FontName->setEditable(false);
    E_FontName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    E_FontName->setMinimumContentsLength(3);
    E_FontName->setMinimumWidth(133);
    E_FontSize = new QComboBox;
    E_FontSize->setEditable(true);
    E_FontSize->setInsertPolicy(QComboBox::NoInsert);
    // Every keystroke is applied; completing "1" to "10" would apply a size nobody typed.
    E_FontSize->setCompleter(nullptr);
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
    CB_DataField = new QComboBox;
    NarrowList(CB_DataField);
    CB_BarcodeType = new QComboBox;
    CB_BarcodeType->setMaxVisibleItems(20);
    CB_BarcodeType->clear();
    for (const char* Name : BarcodeTypeNames)
        CB_BarcodeType->addItem(QString::fromLatin1(Name));
    NarrowList(CB_BarcodeType);
    CB_Angle = new QComboBox;
    CB_Angle->clear();
    for (const std::string_view Name : BarcodeAngleNames)
        CB_Angle->addItem(QString::fromLatin1(Name.data(), static_cast<qsizetype>(Name.size())));
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
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Data field")), 2, 0, 1, 2);
    BarcodeGrid->addWidget(CB_DataField, 3, 0, 1, 2);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Barcode type")), 4, 0, 1, 2);
    BarcodeGrid->addWidget(CB_BarcodeType, 5, 0, 1, 2);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Angle")), 6, 0);
    BarcodeGrid->addWidget(CB_Angle, 7, 0);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Height")), 8, 0);
    BarcodeGrid->addWidget(new QLabel(QStringLiteral("Width")), 8, 1);
    BarcodeGrid->addWidget(E_Height, 9, 0);
    BarcodeGrid->addWidget(E_Width, 9, 1);
    BarcodeGrid->addWidget(CB_Checksum, 10, 0, 1, 2);
    BarcodeGrid->setRowStretch(11, 1);

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
    setTabOrder(E_Barcode, CB_DataField);
    setTabOrder(CB_DataField, CB_Angle);
    setTabOrder(CB_Angle, CB_BarcodeType);
    setTabOrder(CB_BarcodeType, E_Height);
    setTabOrder(E_Height, E_Width);
    setTabOrder(E_Width, CB_Checksum);

    // The size list follows the font before the change is applied.
    connect(E_FontName, &QComboBox::currentIndexChanged, this,
            &TFormBarcodeProps::E_FontNameChange);

    // Created with its lists filled and its fields empty.
    LoadBarcode(nullptr);

    connect(E_FontName, &QComboBox::currentIndexChanged, this,
            &TFormBarcodeProps::CB_BarcodeTypeChange);
    connect(E_FontSize, &QComboBox::currentTextChanged, this,
            &TFormBarcodeProps::CB_BarcodeTypeChange);
    for (QComboBox* List : {CB_DataField, CB_Angle, CB_BarcodeType})
        connect(List, &QComboBox::currentIndexChanged, this,
                &TFormBarcodeProps::CB_BarcodeTypeChange);
    for (QCheckBox* Box :
         {CB_FontBold, CB_FontItalic, CB_FontUnderline, CB_FontStrikeout, CB_Checksum})
        connect(Box, &QCheckBox::toggled, this, &TFormBarcodeProps::CB_BarcodeTypeChange);
    for (TNumberField* Field : {E_Height, E_Width})
        connect(Field, &TNumberField::Spun, this, &TFormBarcodeProps::E_HeightSpinBtnDownClick);
    for (QWidget* Field :
         std::initializer_list<QWidget*>{E_TitleRow1, E_TitleRow2, E_Barcode, E_Height, E_Width})
        Field->installEventFilter(this);
}

void TFormBarcodeProps::EnableControls(bool Enabled) {
    for (QWidget* Field : std::initializer_list<QWidget*>{
             E_TitleRow1, E_TitleRow2, E_FontName, E_FontSize, CB_FontBold, CB_FontItalic,
             CB_FontUnderline, CB_FontStrikeout, E_Barcode, CB_DataField, CB_Angle, CB_BarcodeType,
             E_Height, E_Width, CB_Checksum})
        Field->setEnabled(Enabled);
}

void TFormBarcodeProps::LoadBarcode(const TBarcodeItem* Item) {
    if (FUpdating)
        return;
    const QScopedValueRollback Loading(FUpdating, true);
    if (Item != nullptr) {
        LoadText(E_TitleRow1, FromCp1252(Item->TitleRow1()));
        LoadText(E_TitleRow2, FromCp1252(Item->TitleRow2()));
        LoadText(E_Barcode, FromCp1252(Item->BarcodeText()));
        FillDataFields(Item->DataField());
        CB_Angle->setCurrentIndex(static_cast<int>(Item->Angle()));
        CB_BarcodeType->setCurrentIndex(static_cast<int>(Item->BarcodeType()));
        const TFont Font = Item->Font();
        ShowFontName(Font.Name);
        E_FontSize->setEditText(QString::number(Font.Size(Item->Size().Resolution())));
        CB_FontBold->setChecked(Font.Style.Contains(fsBold));
        CB_FontItalic->setChecked(Font.Style.Contains(fsItalic));
        CB_FontUnderline->setChecked(Font.Style.Contains(fsUnderline));
        CB_FontStrikeout->setChecked(Font.Style.Contains(fsStrikeOut));
        LoadNumber(E_Height, RoundToInt(Item->Size().Height() * 10));
        LoadNumber(E_Width, RoundToInt(Item->Size().Width() * 10));
        CB_Checksum->setChecked(Item->Checksum());
    } else {
        E_TitleRow1->clear();
        E_TitleRow2->clear();
        E_Barcode->clear();
        FillDataFields(QString());
        CB_DataField->setCurrentIndex(-1);
        CB_Angle->setCurrentIndex(-1);
        CB_BarcodeType->setCurrentIndex(-1);
        ShowFontName(QString());
        E_FontSize->setCurrentIndex(-1);
        E_FontSize->clearEditText();
        for (QCheckBox* Box : {CB_FontBold, CB_FontItalic, CB_FontUnderline, CB_FontStrikeout})
            Box->setChecked(false);
        E_Height->clear();
        E_Width->clear();
        CB_Checksum->setChecked(false);
    }
}

void TFormBarcodeProps::ApplyChanges() {
    if (FUpdating)
        return;
    // What is applied is no longer typing to keep: the reload that follows shows the result.
    ForgetTyping(this);
    emit ApplyRequested();
}

int TFormBarcodeProps::FontSizeValue() const {
    bool Ok = false;
    const int Size = E_FontSize->currentText().toInt(&Ok);
    return Ok ? Size : -1;
}

TFontStyles TFormBarcodeProps::FontStyleValue() const {
    TFontStyles Style;
    for (const auto& [Box, Flag] :
         {std::pair{CB_FontBold, fsBold}, std::pair{CB_FontItalic, fsItalic},
          std::pair{CB_FontUnderline, fsUnderline}, std::pair{CB_FontStrikeout, fsStrikeOut}})
        if (Box->isChecked())
            Style.Include(Flag);
    return Style;
}

QString TFormBarcodeProps::DataFieldValue() const {
    return CB_DataField->currentIndex() > 0 ? CB_DataField->currentText() : QString();
}

void TFormBarcodeProps::SetDataColumns(std::vector<QString> Columns) {
    if (Columns == FDataColumns)
        return;
    FDataColumns = std::move(Columns);
    const QScopedValueRollback Loading(FUpdating, true);
    const int Shown = CB_DataField->currentIndex();
    FillDataFields(DataFieldValue());
    if (Shown < 0)
        CB_DataField->setCurrentIndex(-1);
}

void TFormBarcodeProps::FillDataFields(const QString& Field) {
    QStringList Entries{QStringLiteral("(none)")};
    for (const QString& Column : FDataColumns)
        Entries << Column;
    if (!Entries.contains(RecordNumberField))
        Entries << RecordNumberField;
    // A field the source lacks stays, so that applying the panel keeps it.
    if (!Field.isEmpty() && Entries.indexOf(Field, 1) < 0)
        Entries << Field;
    bool Same = CB_DataField->count() == Entries.size();
    for (int I = 0; Same && I < CB_DataField->count(); ++I)
        Same = CB_DataField->itemText(I) == Entries[I];
    if (!Same) {
        CB_DataField->clear();
        CB_DataField->addItems(Entries);
    }
    CB_DataField->setCurrentIndex(Field.isEmpty() ? 0
                                                  : static_cast<int>(Entries.indexOf(Field, 1)));
}

void TFormBarcodeProps::CB_BarcodeTypeChange() {
    ApplyChanges();
}

void TFormBarcodeProps::E_HeightSpinBtnDownClick() {
    ApplyChanges();
}

void TFormBarcodeProps::E_TitleRow1Enter(QWidget* Sender) {
    if (QLineEdit* Editor = FieldEditor(Sender))
        Editor->setModified(false);
}

void TFormBarcodeProps::E_TitleRow1Exit(QWidget* Sender) {
    // Disabling the focused field moves the focus away; that is no edit of the user's.
    if (!Sender->isEnabled())
        return;
    if (QLineEdit* Editor = FieldEditor(Sender); Editor != nullptr && Editor->isModified())
        ApplyChanges();
}

void TFormBarcodeProps::E_TitleRow1KeyPress() {
    ApplyChanges();
}

void TFormBarcodeProps::ShowFontName(const QString& Name) {
    // The font list may have been filled anew since (fonts installed): only this entry goes.
    if (!FOwnFontEntry.isEmpty() && E_FontName->itemText(0) == FOwnFontEntry)
        E_FontName->removeItem(0);
    FOwnFontName.clear();
    FOwnFontEntry.clear();
    int Index = Name.isEmpty() ? -1 : E_FontName->findText(Name, Qt::MatchFixedString);
    if (Index < 0 && !Name.isEmpty()) {
        FOwnFontName = Name;
        FOwnFontEntry = QString::fromStdString(
            Format(Msg::SubstitutedFont,
                   {Name.toStdString(), QFontInfo(QFont(Name)).family().toStdString()}));
        E_FontName->insertItem(0, FOwnFontEntry);
        Index = 0;
    }
    E_FontName->setCurrentIndex(Index);
}

QString TFormBarcodeProps::FontNameValue() const {
    if (E_FontName->currentIndex() < 0)
        return {};
    if (!FOwnFontEntry.isEmpty() && E_FontName->currentText() == FOwnFontEntry)
        return FOwnFontName;
    return E_FontName->currentText();
}

void TFormBarcodeProps::E_FontNameChange() {
    const QString Shown = E_FontSize->currentText();
    const QSignalBlocker Quiet(E_FontSize);
    QList<int> Sizes = QFontDatabase::pointSizes(FontNameValue());
    if (Sizes.isEmpty())
        Sizes = QFontDatabase::standardSizes();
    E_FontSize->clear();
    for (const int Size : Sizes)
        E_FontSize->addItem(QString::number(Size));
    E_FontSize->setCurrentIndex(-1);
    E_FontSize->setEditText(Shown);
}

bool TFormBarcodeProps::eventFilter(QObject* Watched, QEvent* Event) {
    auto* Field = qobject_cast<QWidget*>(Watched);
    if (Field == nullptr || FieldEditor(Field) == nullptr)
        return QDockWidget::eventFilter(Watched, Event);
    switch (FieldEventOf(Event)) {
    case feEnter:
        E_TitleRow1Enter(Field);
        break;
    case feExit:
    case feLeaveWindow:
        E_TitleRow1Exit(Field);
        break;
    case feReturnKey:
        // The key stops here: the field never sees it.
        E_TitleRow1KeyPress();
        return true;
    case feNone:
        break;
    }
    return QDockWidget::eventFilter(Watched, Event);
}
