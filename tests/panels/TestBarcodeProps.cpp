#include "PanelTestSupport.h"

#include "document/TBarcodeItem.h"
#include "panels/TFormBarcodeProps.h"
#include "panels/TPanelFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <vector>

namespace {

// Everything the panel shows, in the order of its fields.
QStringList Shown(const TFormBarcodeProps& P) {
    QStringList Texts = {P.E_TitleRow1->text(),       P.E_TitleRow2->text(),
                         P.E_Barcode->text(),         P.CB_DataField->currentText(),
                         P.CB_Angle->currentText(),   P.CB_BarcodeType->currentText(),
                         P.E_FontName->currentText(), P.E_FontSize->currentText()};
    for (const QCheckBox* Box :
         {P.CB_FontBold, P.CB_FontItalic, P.CB_FontUnderline, P.CB_FontStrikeout})
        Texts << (Box->isChecked() ? "x" : "");
    Texts << P.E_Height->text() << P.E_Width->text() << (P.CB_Checksum->isChecked() ? "x" : "");
    return Texts;
}

} // namespace

class TestBarcodeProps : public QObject {
    Q_OBJECT
private slots:
    void ListsFilledFieldsEmptyAtCreation();
    void LoadShowsTheItemAndNeverApplies();
    void UserEventsThatApply();
    void FontSizeAndStyleAsApplied();
    void EnableControlsLeavesLabelsAlone();
};

// Names from the symbology table and the angle names, in enumeration order.
void TestBarcodeProps::ListsFilledFieldsEmptyAtCreation() {
    TFormBarcodeProps Panel;
    QCOMPARE(Panel.CB_BarcodeType->count(), 23);
    const std::pair<int, const char*> Types[] = {
        {0, "2_5_interleaved"}, {bcCodeEAN13, "EAN13"}, {22, "EAN128C"}};
    for (const auto& [Index, Name] : Types)
        QCOMPARE(Panel.CB_BarcodeType->itemText(Index), QString::fromLatin1(Name));
    QStringList Angles;
    for (int I = 0; I < Panel.CB_Angle->count(); ++I)
        Angles << Panel.CB_Angle->itemText(I);
    QCOMPARE(Angles, QStringList({"0", "90", "180", "270"}));
    QCOMPARE(Shown(Panel), QStringList(15, QString()));
}

// Heights of exactly 12.25 and 12.75 mm show as 122 and 128 tenths, a width of 30.25 mm as 302
// (halves to even); the title bytes are Windows-1252.
void TestBarcodeProps::LoadShowsTheItemAndNeverApplies() {
    const TMetricSystem Metric;
    TBarcodeItem Item;
    Item.SetTitleRow1("K\xE4se");
    Item.SetTitleRow2("500 g");
    Item.SetBarcodeType(bcCodeEAN8);
    Item.SetBarcodeText("1234567");
    Item.SetAngle(ba180);
    Item.SetChecksum(false);
    TFont Font = Item.Font();
    Font.Name = QStringLiteral("dejavu sans");
    Font.SetSize(12, 96);
    Font.Style.Include(fsBold);
    Font.Style.Include(fsUnderline);
    Item.SetFont(Font);
    Item.Size().SetWidth(30.25L);
    TFormBarcodeProps Panel;
    QSignalSpy Applied(&Panel, &TFormBarcodeProps::ApplyRequested);
    struct TRow {
        long double Height;
        const char* Name;
        const char* Shown;     // E_Height
        const char* FontShown; // the list's entry, compared without regard to case
    };
    // A family that is not installed is shown with what fontconfig puts in its place: Liberation
    // Sans, Arial's metric twin, and DejaVu Sans for anything else.
    const TRow Rows[] = {
        {12.25L, "dejavu sans", "122", "DejaVu Sans"},
        {12.75L, "DEJAVU SANS", "128", "DejaVu Sans"},
        {12.75L, "Arial", "128", "Arial (substituted by Liberation Sans)"},
        {12.76L, "No Such Font", "128", "No Such Font (substituted by DejaVu Sans)"}};
    const int Installed = Panel.E_FontName->count();
    for (const TRow& Row : Rows) {
        Item.Size().SetHeight(Row.Height);
        Font.Name = QString::fromLatin1(Row.Name);
        Item.SetFont(Font);
        Panel.LoadBarcode(&Item);
        QCOMPARE(Shown(Panel),
                 QStringList({"Käse", "500 g", "1234567", "(none)", "180", "EAN8", Row.FontShown,
                              "12", "x", "", "x", "", Row.Shown, "302", ""}));
    }
    // The Data field list: "(none)", the source's columns, "#" unless a column has that name,
    // and the item's own field where the columns lack it.
    struct TFieldRow {
        std::vector<QString> Columns;
        const char* Field;
        const char* Entries; // > the one shown
    };
    const TFieldRow Fields[] = {
        {{}, "", "(none)|# > (none)"},
        {{"sku", "name"}, "sku", "(none)|sku|name|# > sku"},
        {{"#", "sku"}, "#", "(none)|#|sku > #"},
        {{"sku"}, "price", "(none)|sku|#|price > price"},
    };
    for (const TFieldRow& Row : Fields) {
        Panel.SetDataColumns(Row.Columns);
        Item.SetDataField(QString::fromLatin1(Row.Field));
        Panel.LoadBarcode(&Item);
        QStringList Entries;
        for (int I = 0; I < Panel.CB_DataField->count(); ++I)
            Entries << Panel.CB_DataField->itemText(I);
        QCOMPARE(Entries.join('|') + " > " + Panel.CB_DataField->currentText(),
                 QString::fromLatin1(Row.Entries));
        QCOMPARE(Panel.DataFieldValue(), QString::fromLatin1(Row.Field));
    }
    Panel.LoadBarcode(nullptr);
    QCOMPARE(Shown(Panel), QStringList(15, QString()));
    QCOMPARE(Panel.E_FontName->count(), Installed); // the entry of its own is gone
    QCOMPARE(Applied.count(), 0);
    QVERIFY(!Panel.Updating());
}

// Text and number fields apply on Enter (which stops there) and on leaving after typing; lists,
// boxes, check boxes and spins apply at once.
void TestBarcodeProps::UserEventsThatApply() {
    const TMetricSystem Metric;
    TBarcodeItem Item;
    TFormBarcodeProps Panel;
    Panel.LoadBarcode(&Item);
    QVERIFY(ShowActive(Panel));
    QSignalSpy Applied(&Panel, &TFormBarcodeProps::ApplyRequested);
    QSignalSpy Returned(Panel.E_Barcode, &QLineEdit::returnPressed);
    const auto Keys = [](const char* Text, Qt::Key Last) {
        return [Text, Last](QWidget* F) {
            QTest::keyClicks(F, Text);
            if (Last != Qt::Key_unknown)
                QTest::keyClick(F, Last);
        };
    };
    struct TRow {
        const char* Name;
        QWidget* Field;
        std::function<void(QWidget*)> Act;
        int Applies;
    };
    const TRow Rows[] = {
        {"text and Enter", Panel.E_Barcode, Keys("12345", Qt::Key_Return), 1},
        {"text and Tab", Panel.E_TitleRow1, Keys("Row", Qt::Key_Tab), 1},
        {"Tab untouched", Panel.E_TitleRow2, Keys("", Qt::Key_Tab), 0},
        {"number and Tab", Panel.E_Height, Keys("77", Qt::Key_Tab), 1},
        {"number untouched", Panel.E_Height, Keys("", Qt::Key_Tab), 0},
        {"number and Enter", Panel.E_Width, Keys("", Qt::Key_Enter), 1},
        {"Up arrow", Panel.E_Width, Keys("", Qt::Key_Up), 1},
        {"check box", Panel.CB_Checksum, Keys(" ", Qt::Key_unknown), 1},
        {"angle list", Panel.CB_Angle, Keys("", Qt::Key_Down), 1},
        {"data field list", Panel.CB_DataField, Keys("", Qt::Key_Down), 1},
        {"font size typed", Panel.E_FontSize, Keys("14", Qt::Key_unknown), 2},
        {"font name", Panel.E_FontName, Keys("", Qt::Key_Down), 1},
    };
    for (const TRow& Row : Rows) {
        QVERIFY2(Enter(Row.Field), Row.Name);
        Applied.clear();
        Row.Act(Row.Field);
        QVERIFY2(Applied.count() == Row.Applies, Row.Name);
    }
    QCOMPARE(Returned.count(), 0);
    QCOMPARE(Panel.E_Barcode->text(), QStringLiteral("12345"));
}

void TestBarcodeProps::FontSizeAndStyleAsApplied() {
    TFormBarcodeProps Panel;
    const std::pair<const char*, int> Sizes[] = {{"", -1}, {"abc", -1}, {"14", 14}, {"9x", -1}};
    for (const auto& [Text, Size] : Sizes) {
        Panel.E_FontSize->setEditText(QString::fromLatin1(Text));
        QCOMPARE(Panel.FontSizeValue(), Size);
    }
    struct TRow {
        bool Bold, Italic, Underline, StrikeOut;
    };
    const TRow Rows[] = {{false, false, false, false},
                         {true, false, true, false},
                         {false, true, false, true},
                         {true, true, true, true}};
    for (const TRow& Row : Rows) {
        Panel.CB_FontBold->setChecked(Row.Bold);
        Panel.CB_FontItalic->setChecked(Row.Italic);
        Panel.CB_FontUnderline->setChecked(Row.Underline);
        Panel.CB_FontStrikeout->setChecked(Row.StrikeOut);
        const TFontStyles Style = Panel.FontStyleValue();
        QCOMPARE(Style.Contains(fsBold), Row.Bold);
        QCOMPARE(Style.Contains(fsItalic), Row.Italic);
        QCOMPARE(Style.Contains(fsUnderline), Row.Underline);
        QCOMPARE(Style.Contains(fsStrikeOut), Row.StrikeOut);
    }
}

// The fifteen fields in the panel's own order; labels and group boxes are not among them.
void TestBarcodeProps::EnableControlsLeavesLabelsAlone() {
    TFormBarcodeProps Panel;
    const QList<QWidget*> Fields = {
        Panel.E_TitleRow1, Panel.E_TitleRow2,   Panel.E_FontName,       Panel.E_FontSize,
        Panel.CB_FontBold, Panel.CB_FontItalic, Panel.CB_FontUnderline, Panel.CB_FontStrikeout,
        Panel.E_Barcode,   Panel.CB_DataField,  Panel.CB_Angle,         Panel.CB_BarcodeType,
        Panel.E_Height,    Panel.E_Width,       Panel.CB_Checksum};
    for (const bool Enabled : {false, true}) {
        Panel.EnableControls(Enabled);
        for (QWidget* Field : Fields)
            QCOMPARE(Field->isEnabled(), Enabled);
        for (const QLabel* Label : Panel.findChildren<QLabel*>())
            QVERIFY(Label->isEnabled());
    }
}

QTEST_MAIN(TestBarcodeProps)
#include "TestBarcodeProps.moc"
