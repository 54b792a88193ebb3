#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "docops/PageDescription.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"
#include "panels/TFormBarcodeProps.h"
#include "panels/TFormDataSource.h"
#include "panels/TFormPageProps.h"
#include "panels/TPanelFields.h"
#include "tests/panels/PanelTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>
#include <functional>

namespace {

// The main window on a metric system, shown and active.
struct TWindow {
    TMetricSystem Metric;
    TRecordingPrompts* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};

    TWindow() {
        Form.show();
        QApplication::setActiveWindow(&Form);
        if (!QTest::qWaitForWindowActive(&Form))
            qWarning("main window did not become active");
    }
};

void Keys(QWidget* Field, const char* Text, Qt::Key Last) {
    QTest::keyClicks(Field, Text);
    if (Last != Qt::Key_unknown)
        QTest::keyClick(Field, Last);
}

struct TItemSpec {
    const char* Title;
    TBarcodeType Type;
    const char* Text;
    const char* Font;
    int Points;
    long double Width, Height; // millimetres
};

// Inserts an item with the Insert barcode command and gives it its own values, each item in a
// row of its own so that a click finds it.
TBarcodeItem* AddItem(TFormMain& F, const TItemSpec& Spec) {
    F.A_BarcodeItem->trigger();
    const QList<TBarcodeItem*> Items =
        F.Page()->findChildren<TBarcodeItem*>(Qt::FindDirectChildrenOnly);
    TBarcodeItem* Item = Items.last();
    Item->SetBounds(50, 50 + 90 * (Items.size() - 1), 100, 50);
    Item->SetTitleRow1(Spec.Title);
    Item->SetBarcodeType(Spec.Type);
    Item->SetBarcodeText(Spec.Text);
    TFont Font = Item->Font();
    Font.Name = QString::fromLatin1(Spec.Font);
    Font.SetSize(Spec.Points, 96);
    Item->SetFont(Font);
    Item->Size().SetWidth(Spec.Width);
    Item->Size().SetHeight(Spec.Height);
    return Item;
}

// What an apply writes, in one line: type, text, title rows, angle, font, size.
QString Describe(const TBarcodeItem& Item) {
    const TFont Font = Item.Font();
    return QStringLiteral("%1 '%2' %3/%4 %5 %6 %7pt %8x%9")
        .arg(QString::fromLatin1(BarcodeTypeTable[Item.BarcodeType()].DisplayName),
             FromCp1252(Item.BarcodeText()), FromCp1252(Item.TitleRow1()),
             FromCp1252(Item.TitleRow2()))
        .arg(BarcodeAngleDegrees[Item.Angle()])
        .arg(Font.Name)
        .arg(Font.Size(96))
        .arg(double(Item.Size().Width()))
        .arg(double(Item.Size().Height()));
}

// One notch of the mouse wheel, turned towards the user, over the middle of Target.
void Wheel(QWidget* Target) {
    const QPointF At(Target->width() / 2.0, Target->height() / 2.0);
    QWheelEvent Event(At, Target->mapToGlobal(At), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Target, &Event);
}

void Click(QWidget* Target, Qt::KeyboardModifiers Modifiers = {}) {
    QTest::mouseClick(Target, Qt::LeftButton, Modifiers, QPoint(5, 5));
}

// File > Data source as a person opens it, the dialog active; nullptr when none shows.
TFormDataSource* OpenDataSource(TFormMain& F) {
    F.A_DataSource->trigger();
    TFormDataSource* Dialog = F.FormDataSource;
    if (Dialog == nullptr || !Dialog->isVisible())
        return nullptr;
    Dialog->activateWindow();
    QApplication::setActiveWindow(Dialog);
    return QTest::qWaitForWindowActive(Dialog) ? Dialog : nullptr;
}

// A button of the dialog clicked; once it closes, the main window is active again, as the window
// manager makes it.
void Press(TFormDataSource& Dialog, QDialogButtonBox::StandardButton Button) {
    QTest::mouseClick(Dialog.Buttons->button(Button), Qt::LeftButton);
    if (QWidget* Main = Dialog.parentWidget(); Main != nullptr && !Dialog.isVisible()) {
        Main->activateWindow();
        QApplication::setActiveWindow(Main);
        QVERIFY(QTest::qWaitForWindowActive(Main));
        Idle();
    }
}

// What an item shows: "text|title 1|title 2" of a record, "-" for what it stores, "+mark" when
// its screen image has the blue record mark.
QString Shown(TBarcodeItem* Item) {
    if (Item == nullptr)
        return QStringLiteral("gone");
    const std::optional<TShownValues> Values = Item->ShownValues();
    const QString Text =
        Values ? FromCp1252(Values->BarcodeText + '|' + Values->TitleRow1 + '|' + Values->TitleRow2)
               : QStringLiteral("-");
    const QImage Screen = Item->grab().toImage();
    for (int Y = 0; Y < Screen.height(); ++Y)
        for (int X = 0; X < Screen.width(); ++X)
            if (Screen.pixelColor(X, Y) == QColor(0, 90, 220))
                return Text + "+mark";
    return Text;
}

} // namespace

class TestPropertyPanels : public QObject {
    Q_OBJECT

    // Undo reads the document's items back by their stored class name.
    TStreamClassRegistration FBarcodeItems{BarcodeItemClass()};

private slots:
    void PageEditsShowWhatThePageMadeOfThem();
    void TabbingAppliesOnEveryNumberFieldLeft();
    void SelectionEnablesAndLoadsTheBarcodePanel();
    void BarcodeEditsReachEverySelectedItem();
    void FontNamesOutsideTheListAreKept();
    void WheelChangesOnlyTheFocusedField();
    void FocusStaysOutOfThePagePanel();
    void TypingIsAppliedOrKept();
    void UndoAndRedoStepThroughEveryChange();
    void DataSourceDialogStoresTheChoice();
    void DataFieldAndSurfaceFollowTheSource();
};

// One user on one window, step by step. Paper sizes in millimetres from the paper table: A4 210 x
// 297, Letter 215.9 x 279.4, shown in whole millimetres.
void TestPropertyPanels::PageEditsShowWhatThePageMadeOfThem() {
    TWindow W;
    TFormMain& F = W.Form;
    TFormPageProps& P = *F.FormPageProps;
    struct TRow {
        const char* Name;
        QWidget* Field;
        std::function<void(QWidget*)> Act;
        const char* Shown; // width x length, paper type, orientation, top margin
        const char* Held;  // the page's width x length
        bool Modified;
    };
    const auto Type = [](const char* Text, Qt::Key Last) {
        return [Text, Last](QWidget* Field) { Keys(Field, Text, Last); };
    };
    const auto HomeDown = [](QWidget* Field) {
        QTest::keyClick(Field, Qt::Key_Home);
        QTest::keyClick(Field, Qt::Key_Down);
    };
    // clang-format off
    const TRow Rows[] = {
        {"loaded at start", P.E_Width, Type("", Qt::Key_unknown),
         "210 x 297, A4 210 x 297 mm, Portrait, 10, 0", "210 x 297, 0", false},
        {"Landscape turns A4", P.CB_Orientation, Type("", Qt::Key_Down),
         "297 x 210, A4 210 x 297 mm, Landscape, 10, 0", "297 x 210, 0", true},
        {"Portrait again", P.CB_Orientation, Type("", Qt::Key_Up),
         "210 x 297, A4 210 x 297 mm, Portrait, 10, 0", "210 x 297, 0", true},
        {"typed width on A4 is not taken", P.E_Width, Type("500", Qt::Key_Return),
         "210 x 297, A4 210 x 297 mm, Portrait, 10, 0", "210 x 297, 0", true},
        {"Default size, then Letter", P.CB_PaperTypes, HomeDown,
         "216 x 279, Letter 8 1/2 x 11 in, Portrait, 10, 0", "215.9 x 279.4, 0", true},
        {"Custom Size keeps whole units", P.CB_PaperTypes, Type("", Qt::Key_End),
         "216 x 279, Custom Size, Portrait, 10, 0", "216 x 279, 0", true},
        {"typed width on Custom is taken", P.E_Width, Type("150", Qt::Key_Tab),
         "150 x 279, Custom Size, Portrait, 10, 0", "150 x 279, 0", true},
        {"Landscape does not turn Custom", P.CB_Orientation, Type("", Qt::Key_Down),
         "150 x 279, Custom Size, Landscape, 10, 0", "150 x 279, 0", true},
        {"Enter in a margin", P.E_MTop, Type("25", Qt::Key_Enter),
         "150 x 279, Custom Size, Landscape, 25, 0", "150 x 279, 0", true},
        {"bar reduction", P.E_BarReduction, Type("2", Qt::Key_Return),
         "150 x 279, Custom Size, Landscape, 25, 2", "150 x 279, 2", true},
    };
    // clang-format on
    for (const TRow& Row : Rows) {
        QVERIFY2(Enter(Row.Field), Row.Name);
        Row.Act(Row.Field);
        const QString Shown =
            QStringLiteral("%1 x %2, %3, %4, %5, %6")
                .arg(P.E_Width->text(), P.E_Length->text(), P.CB_PaperTypes->currentText(),
                     P.CB_Orientation->currentText(), P.E_MTop->text(), P.E_BarReduction->text());
        QCOMPARE(Shown, QString::fromLatin1(Row.Shown));
        const TPageGeometry& Paper = F.Page()->Page();
        const QString Held = QStringLiteral("%1 x %2, %3")
                                 .arg(double(Paper.Width()))
                                 .arg(double(Paper.Length()))
                                 .arg(F.Page()->PrinterSettings().BarWidthReduction);
        QCOMPARE(Held, QString::fromLatin1(Row.Held));
        QVERIFY2(F.Modified() == Row.Modified, Row.Name);
    }
    QCOMPARE(double(F.Page()->Page().TopMargin()), 25.0);
    QCOMPARE(W.Prompts->Errors, QStringList());
}

// Tab order E_Width, E_Length, CB_Orientation, E_MTop, E_MLeft, E_MBottom, E_MRight: seven Tabs
// leave six number fields and one list. New loads the panel without marking anything.
void TestPropertyPanels::TabbingAppliesOnEveryNumberFieldLeft() {
    TWindow W;
    TFormMain& F = W.Form;
    QSignalSpy Applied(F.FormPageProps, &TFormPageProps::ApplyRequested);
    QVERIFY(Enter(F.FormPageProps->E_Width));
    for (int I = 0; I < 7; ++I)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(Applied.count(), 6);
    QVERIFY(F.Modified());
    QTest::keyClick(&F, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(!F.Modified());
    QCOMPARE(F.FormPageProps->E_Width->text(), QStringLiteral("210"));
    QCOMPARE(Applied.count(), 6);
}

// The panel is usable only while every selected component is a barcode item; loading it changes
// neither the items nor the modified state.
void TestPropertyPanels::SelectionEnablesAndLoadsTheBarcodePanel() {
    TWindow W;
    TFormMain& F = W.Form;
    TFormBarcodeProps& P = *F.FormBarcodeProps;
    TBarcodeItem* A =
        AddItem(F, {"Apples", bcCodeEAN13, "590123412345", "DejaVu Sans", 10, 40, 20});
    TBarcodeItem* B = AddItem(F, {"Pears", bcCode39, "PEARS", "Liberation Serif", 12, 30, 15});
    const QString Before = Describe(*A) + Describe(*B);
    F.SetModified(false);
    struct TRow {
        const char* Name;
        QWidget* Target;
        Qt::KeyboardModifiers Modifiers;
        bool Enabled;
        const char* Title;
    };
    const TRow Rows[] = {
        {"click an item", A, {}, true, "Apples"},
        {"shift-click a second", B, Qt::ShiftModifier, true, "Apples"},
        {"click the page", F.Page(), {}, false, ""},
        {"shift-click an item with the page", B, Qt::ShiftModifier, false, ""},
        {"click the other item", B, {}, true, "Pears"},
    };
    for (const TRow& Row : Rows) {
        Click(Row.Target, Row.Modifiers);
        QVERIFY2(P.E_Barcode->isEnabled() == Row.Enabled, Row.Name);
        QVERIFY2(P.E_TitleRow1->text() == QString::fromLatin1(Row.Title), Row.Name);
    }
    QCOMPARE(P.E_Barcode->text(), QStringLiteral("PEARS"));
    QCOMPARE(P.CB_BarcodeType->currentText(), QStringLiteral("Code39"));
    QCOMPARE(P.E_FontName->currentText(), QStringLiteral("Liberation Serif"));
    QCOMPARE(P.E_FontSize->currentText(), QStringLiteral("12"));
    QCOMPARE(P.E_Width->text(), QStringLiteral("300"));
    QCOMPARE(Describe(*A) + Describe(*B), Before);
    QVERIFY(!F.Modified());
}

// Three items selected, the first a Code128B item: every change copies all of the panel's values
// to all three. An empty font size is refused before any item changes; an item that refuses a
// value stops the walk there; either way the panel shows what the first item holds, the
// modified state stays, the error is shown, and the next edit works.
void TestPropertyPanels::BarcodeEditsReachEverySelectedItem() {
    TWindow W;
    TFormMain& F = W.Form;
    TFormBarcodeProps& P = *F.FormBarcodeProps;
    const QList<TBarcodeItem*> Items = {
        AddItem(F, {"Apples", bcCode128B, "Apples 1", "DejaVu Sans", 10, 40, 20}),
        AddItem(F, {"Pears", bcCodeEAN13, "590123412345", "Liberation Serif", 12, 30, 15}),
        AddItem(F, {"Plums", bcCode39, "PLUMS", "Liberation Mono", 8, 50, 25})};
    Click(Items[0]);
    Click(Items[1], Qt::ShiftModifier);
    Click(Items[2], Qt::ShiftModifier);
    QCOMPARE(F.Designer1->SelectedComponents().Count(), 3);
    const auto Type = [](const char* Text, Qt::Key Last) {
        return [Text, Last](QWidget* Field) {
            QTest::keyClick(Field, Qt::Key_A, Qt::ControlModifier);
            Keys(Field, Text, Last);
        };
    };
    struct TRow {
        const char* Name;
        QWidget* Field;
        std::function<void(QWidget*)> Act;
        const char* First;  // the first item, and what the panel shows
        const char* Others; // the second and third item
        bool Modified;
    };
    // clang-format off
    const TRow Rows[] = {
        {"pick a symbology", P.CB_BarcodeType, [](QWidget* L) { QTest::keyClick(L, Qt::Key_Up); },
         "Code128A 'Apples 1' Apples/ 0 DejaVu Sans 10pt 40x20",
         "Code128A 'Apples 1' Apples/ 0 DejaVu Sans 10pt 40x20", true},
        {"text and Enter", P.E_Barcode, Type("590123", Qt::Key_Return),
         "Code128A '590123' Apples/ 0 DejaVu Sans 10pt 40x20",
         "Code128A '590123' Apples/ 0 DejaVu Sans 10pt 40x20", true},
        {"title and Tab", P.E_TitleRow2, Type("1 kg", Qt::Key_Tab),
         "Code128A '590123' Apples/1 kg 0 DejaVu Sans 10pt 40x20",
         "Code128A '590123' Apples/1 kg 0 DejaVu Sans 10pt 40x20", true},
        {"angle 90", P.CB_Angle, [](QWidget* L) { QTest::keyClick(L, Qt::Key_Down); },
         "Code128A '590123' Apples/1 kg 90 DejaVu Sans 10pt 40x20",
         "Code128A '590123' Apples/1 kg 90 DejaVu Sans 10pt 40x20", true},
        {"font size emptied is refused", P.E_FontSize,
         [&F, &Type](QWidget* B) { F.SetModified(false); Type("", Qt::Key_Backspace)(B); },
         "Code128A '590123' Apples/1 kg 90 DejaVu Sans 10pt 40x20",
         "Code128A '590123' Apples/1 kg 90 DejaVu Sans 10pt 40x20", false},
        {"height spun up", P.E_Height, [](QWidget* N) { QTest::keyClick(N, Qt::Key_Up); },
         "Code128A '590123' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1",
         "Code128A '590123' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1", true},
        {"letters, taken by Code128A", P.E_Barcode, Type("ABC", Qt::Key_Tab),
         "Code128A 'ABC' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1",
         "Code128A 'ABC' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1", true},
        {"refused at the first item", P.CB_BarcodeType,
         [&F](QWidget* L) { F.SetModified(false); QTest::keyClick(L, Qt::Key_Home); },
         "2_5_interleaved '' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1",
         "Code128A 'ABC' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1", false},
        {"the next edit works", P.E_Barcode, Type("1234", Qt::Key_Return),
         "2_5_interleaved '1234' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1",
         "2_5_interleaved '1234' Apples/1 kg 90 DejaVu Sans 10pt 40x20.1", true},
    };
    // clang-format on
    for (const TRow& Row : Rows) {
        QVERIFY2(Enter(Row.Field), Row.Name);
        Row.Act(Row.Field);
        QCOMPARE(Describe(*Items[0]), QString::fromLatin1(Row.First));
        for (const TBarcodeItem* Item : {Items[1], Items[2]})
            QCOMPARE(Describe(*Item), QString::fromLatin1(Row.Others));
        QVERIFY2(F.Modified() == Row.Modified, Row.Name);
        // The panel shows the first item as it now is.
        QCOMPARE(P.E_Barcode->text(), FromCp1252(Items[0]->BarcodeText()));
        QCOMPARE(P.CB_BarcodeType->currentIndex(), int(Items[0]->BarcodeType()));
        QCOMPARE(P.E_FontSize->currentText(), QString::number(Items[0]->Font().Size(96)));
    }
    QCOMPARE(W.Prompts->Errors,
             QStringList({"\"\" is not a valid font size", "Barcode must be numeric"}));
}

// Documents name fonts this machine may lack ("Arial" where only Liberation Sans is installed):
// the font box shows the item's own name with what stands in for it, and an edit elsewhere in
// the panel keeps each item's name.
void TestPropertyPanels::FontNamesOutsideTheListAreKept() {
    TWindow W;
    TFormMain& F = W.Form;
    TFormBarcodeProps& P = *F.FormBarcodeProps;
    TBarcodeItem* Item = AddItem(F, {"Apples", bcCode128B, "Apples 1", "No Such Font", 10, 40, 20});
    Click(Item);
    QCOMPARE(P.E_FontName->currentText(),
             QStringLiteral("No Such Font (substituted by DejaVu Sans)"));
    QVERIFY(Enter(P.E_Barcode));
    QTest::keyClick(P.E_Barcode, Qt::Key_A, Qt::ControlModifier);
    Keys(P.E_Barcode, "Pears 2", Qt::Key_Return);
    QCOMPARE(Item->BarcodeText(), std::string("Pears 2"));
    QCOMPARE(Item->Font().Name, QStringLiteral("No Such Font"));
    QVERIFY(F.Modified());
}

// A wheel turn over a list or number field of either panel changes nothing while the design
// surface has the focus, however it scrolls the panel; with the field focused it changes the
// value, and the selected item or the paper with it.
void TestPropertyPanels::WheelChangesOnlyTheFocusedField() {
    TWindow W;
    TFormMain& F = W.Form;
    TBarcodeItem* A =
        AddItem(F, {"Apples", bcCodeEAN13, "590123412345", "DejaVu Sans", 10, 40, 20});
    const auto State = [&F, A] {
        return Describe(*A) +
               QStringLiteral(" margin %1").arg(double(F.Page()->Page().TopMargin()));
    };
    struct TRow {
        const char* Name;
        QWidget* Field;
        bool Focused;
    };
    const TRow Rows[] = {
        {"type list", F.FormBarcodeProps->CB_BarcodeType, false},
        {"angle list", F.FormBarcodeProps->CB_Angle, false},
        {"height", F.FormBarcodeProps->E_Height, false},
        {"top margin", F.FormPageProps->E_MTop, false},
        {"paper list", F.FormPageProps->CB_PaperTypes, false},
        {"focused type list", F.FormBarcodeProps->CB_BarcodeType, true},
        {"focused height", F.FormBarcodeProps->E_Height, true},
        {"focused top margin", F.FormPageProps->E_MTop, true},
    };
    for (const TRow& Row : Rows) {
        Click(A);
        Idle();
        if (Row.Focused)
            QVERIFY2(Enter(Row.Field), Row.Name);
        const QString Before = State();
        Wheel(Row.Field);
        Idle();
        QVERIFY2((State() != Before) == Row.Focused, Row.Name);
    }
    QCOMPARE(W.Prompts->Errors, QStringList());
}

// Deleting the item while its text field has the focus disables that field; the focus goes to the
// design surface, not into the page panel, where the next arrow key would change the paper.
void TestPropertyPanels::FocusStaysOutOfThePagePanel() {
    TWindow W;
    TFormMain& F = W.Form;
    TBarcodeItem* A =
        AddItem(F, {"Apples", bcCodeEAN13, "590123412345", "DejaVu Sans", 10, 40, 20});
    Click(A);
    Idle();
    QVERIFY(Enter(F.FormBarcodeProps->E_Barcode));
    QTest::keyClicks(F.FormBarcodeProps->E_Barcode, "9");
    QTest::mouseClick(F.ToolBar1->widgetForAction(F.A_DeleteItem), Qt::LeftButton);
    QVERIFY(F.Page()->findChildren<TBarcodeItem*>().isEmpty());
    QWidget* Focused = QApplication::focusWidget();
    QVERIFY(Focused != nullptr);
    QVERIFY(!F.FormPageProps->isAncestorOf(Focused));
    const TPaperSize Paper = F.Page()->Page().PaperSize();
    const TPrinterOrientation Orientation = F.Page()->Page().Orientation();
    QTest::keyClick(Focused, Qt::Key_Down);
    Idle();
    QCOMPARE(F.Page()->Page().PaperSize(), Paper);
    QCOMPARE(F.Page()->Page().Orientation(), Orientation);
    QCOMPARE(W.Prompts->Errors, QStringList());
}

// Typing in a panel field is the user's: leaving it for the page or for another window applies
// it; a reload of the panel because the surface scrolled leaves it in the field, unapplied,
// until Enter applies it.
void TestPropertyPanels::TypingIsAppliedOrKept() {
    TWindow W;
    TFormMain& F = W.Form;
    TFormBarcodeProps& P = *F.FormBarcodeProps;
    TBarcodeItem* A = AddItem(F, {"Apples", bcCode128B, "Apples 1", "DejaVu Sans", 10, 40, 20});
    QWidget Other;
    QScrollBar* Scroll = F.DesignPanel1->verticalScrollBar();
    struct TRow {
        const char* Name;
        QLineEdit* Field;
        const char* Typed;
        std::function<void()> Then;
        const char* Barcode; // the item's text and title row afterwards
        const char* Title;
        const char* Shown; // the field's text afterwards: empty once the page is selected
    };
    const TRow Rows[] = {
        {"the page clicked", P.E_Barcode, "Pears 2", [&F] { Click(F.Page()); }, "Pears 2", "Apples",
         ""},
        {"another window", P.E_TitleRow1, "Plums",
         [&Other, &F] {
             Other.show();
             QApplication::setActiveWindow(&Other);
             QVERIFY(QTest::qWaitForWindowActive(&Other));
             QApplication::setActiveWindow(&F);
             QVERIFY(QTest::qWaitForWindowActive(&F));
         },
         "Pears 2", "Plums", "Plums"},
        {"the surface scrolled", P.E_Barcode, "777",
         [Scroll] {
             const int Before = Scroll->value();
             Scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
             QVERIFY(Scroll->value() != Before);
         },
         "Pears 2", "Plums", "777"},
        {"then Enter", P.E_Barcode, nullptr, [&P] { QTest::keyClick(P.E_Barcode, Qt::Key_Return); },
         "777", "Plums", "777"},
    };
    for (const TRow& Row : Rows) {
        if (Row.Typed != nullptr) {
            Click(A);
            Idle();
            QVERIFY2(Enter(Row.Field), Row.Name);
            QTest::keyClick(Row.Field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(Row.Field, Row.Typed);
        }
        Row.Then();
        Idle();
        QCOMPARE(A->BarcodeText(), std::string(Row.Barcode));
        QCOMPARE(A->TitleRow1(), std::string(Row.Title));
        QCOMPARE(Row.Field->text(), QString::fromLatin1(Row.Shown));
    }
    QCOMPARE(W.Prompts->Errors, QStringList());
}

// Insert, a move by drag, a panel edit and a delete are four steps, named on the Undo command;
// Ctrl+Z four times gives back the document's bytes before each step, down to the saved state,
// where the document is no longer modified; Ctrl+Y four times brings every step back.
void TestPropertyPanels::UndoAndRedoStepThroughEveryChange() {
    TWindow W;
    TFormMain& F = W.Form;
    TFormBarcodeProps& P = *F.FormBarcodeProps;
    const auto Bytes = [&F] { return WritePageStream(*F.Page()); };
    const auto Item = [&F] { return F.Page()->findChild<TBarcodeItem*>(); };
    const auto Surface = [&F](Qt::Key Key, Qt::KeyboardModifier Modifier, int Times) {
        for (int I = 0; I < Times; ++I)
            QTest::keyClick(F.DesignPanel1, Key, Modifier);
    };
    struct TRow {
        const char* Step; // as the Undo command names it
        std::function<void()> Act;
    };
    const TRow Rows[] = {
        {"Insert",
         [&] { QTest::mouseClick(F.ToolBar1->widgetForAction(F.A_BarcodeItem), Qt::LeftButton); }},
        {"Move",
         [&] {
             QTest::mousePress(Item(), Qt::LeftButton, {}, QPoint(10, 10));
             QTest::mouseMove(Item(), QPoint(22, 22));
             QTest::mouseMove(Item(), QPoint(34, 34));
             QTest::mouseRelease(Item(), Qt::LeftButton, {}, QPoint(34, 34));
         }},
        // A run of key presses on the same items is one step; a resize by key is another.
        {"Move", [&] { Surface(Qt::Key_Right, Qt::ControlModifier, 3); }},
        {"Resize", [&] { Surface(Qt::Key_Down, Qt::ShiftModifier, 2); }},
        {"Barcode properties",
         [&] {
             QVERIFY(Enter(P.E_Barcode));
             QTest::keyClicks(P.E_Barcode, "590123412345");
             QTest::keyClick(P.E_Barcode, Qt::Key_Return);
         }},
        {"Page properties",
         [&] {
             QVERIFY(Enter(F.FormPageProps->E_MTop));
             Keys(F.FormPageProps->E_MTop, "25", Qt::Key_Return);
         }},
        {"Delete",
         [&] {
             Idle();
             QTest::mouseClick(F.ToolBar1->widgetForAction(F.A_DeleteItem), Qt::LeftButton);
         }},
    };
    F.SetModified(false);
    std::vector<std::string> States{Bytes()};
    for (const TRow& Row : Rows) {
        Row.Act();
        QVERIFY2(Bytes() != States.back(), Row.Step);
        QCOMPARE(F.A_Undo->text(), QStringLiteral("Undo ") + Row.Step);
        States.push_back(Bytes());
    }
    QCOMPARE(std::size_t(F.UndoStack()->count()), std::size(Rows));
    // Each undo is taken at another zoom than its step was: a zoom is a view, not a step.
    for (std::size_t Step = std::size(Rows); Step-- > 0;) {
        QCOMPARE(F.A_Undo->text(), QStringLiteral("Undo ") + Rows[Step].Step);
        QVERIFY(F.Modified());
        QTest::keyClick(&F, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&F, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&F, Qt::Key_0, Qt::ControlModifier);
        QVERIFY2(Bytes() == States[Step], Rows[Step].Step);
        // What the undo put back is selected again.
        if (Step > 0)
            QCOMPARE(F.Designer1->SelectedComponents().Items(0), Item());
    }
    QVERIFY(!F.Modified());
    QVERIFY(!F.A_Undo->isEnabled());
    for (std::size_t Step = 0; Step < std::size(Rows); ++Step) {
        QCOMPARE(F.A_Redo->text(), QStringLiteral("Redo ") + Rows[Step].Step);
        QTest::keyClick(&F, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(Bytes() == States[Step + 1], Rows[Step].Step);
        QVERIFY(F.Modified());
    }
    QCOMPARE(W.Prompts->Errors, QStringList());
}

// File > Data source on a document saved beside labels.csv (columns sku and name, three records):
// the dialog opens with the page's choice and shows the first records of a choice or why it
// cannot be read; OK stores the choice as one step, the file relative to the document's folder;
// Cancel and a refused OK store nothing.
void TestPropertyPanels::DataSourceDialogStoresTheChoice() {
    TWindow W;
    TFormMain& F = W.Form;
    QTemporaryDir Dir;
    const QString Csv = Dir.filePath(QStringLiteral("labels.csv"));
    const QString Missing = Dir.filePath(QStringLiteral("missing.csv"));
    W.Prompts->FileAnswer = Dir.filePath(QStringLiteral("labels.TSM"));
    WriteLabels(W.Prompts->FileAnswer, "{}", "sku,name\n1,Apples\n2,Pears\n3,Plums\n");
    F.A_Open->trigger();
    const QString Unreadable = QString::fromStdString(
        Format(Msg::CannotOpenFile, {Missing.toStdString(), "No such file or directory"}));
    struct TRow {
        std::function<void(TFormDataSource&)> Choose;
        QDialogButtonBox::StandardButton Button;
        QString Shown; // the choice it opened with > the records shown, or why none are
        const char* Stored;
        bool Step;
    };
    const TRow Rows[] = {
        {[&](TFormDataSource& D) {
             Click(D.RB_CsvFile);
             W.Prompts->FileAnswer = Csv;
             Click(D.B_Browse);
             QTest::keyClick(D.CB_MergeMode, Qt::Key_Down);
         },
         QDialogButtonBox::Ok, "None > sku,name x3", "labels.csv mmRecordPerItem", true},
        {[](TFormDataSource& D) { Click(D.RB_Sequence); }, QDialogButtonBox::Cancel,
         "CSV file " + Csv + " > # x10", "labels.csv mmRecordPerItem", false},
        {[&](TFormDataSource& D) {
             D.E_FileName->setFocus();
             QTest::keyClick(D.E_FileName, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClicks(D.E_FileName, qPrintable(Missing));
             QTest::keyClick(D.E_FileName, Qt::Key_Tab);
         },
         QDialogButtonBox::Ok, "CSV file " + Csv + " > " + Unreadable, "labels.csv mmRecordPerItem",
         false},
        {[](TFormDataSource& D) {
             Click(D.RB_Sequence);
             QTest::keyClick(D.E_To, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClicks(D.E_To, "5");
         },
         QDialogButtonBox::Ok, "CSV file " + Csv + " > # x5", "sequence:1:5:1 mmRecordPerItem",
         true},
    };
    for (const TRow& Row : Rows) {
        F.SetModified(false);
        W.Prompts->Errors.clear();
        const std::string Before = WritePageStream(*F.Page());
        const int Steps = F.UndoStack()->count();
        TFormDataSource* D = OpenDataSource(F);
        QVERIFY(D != nullptr);
        QString Shown =
            D->RB_None->isChecked() ? QStringLiteral("None") : "CSV file " + D->E_FileName->text();
        Row.Choose(*D);
        QStringList Columns;
        for (int C = 0; C < D->G_Preview->columnCount(); ++C)
            Columns << D->G_Preview->horizontalHeaderItem(C)->text();
        Shown += " > " +
                 (D->L_Error->isVisible()
                      ? D->L_Error->text()
                      : Columns.join(',') + QStringLiteral(" x%1").arg(D->G_Preview->rowCount()));
        QCOMPARE(Shown, Row.Shown);
        Press(*D, Row.Button);
        const bool Refused = D->L_Error->isVisible();
        QCOMPARE(W.Prompts->Errors, Refused ? QStringList{Unreadable} : QStringList());
        QCOMPARE(D->isVisible(), Refused);
        if (Refused)
            Press(*D, QDialogButtonBox::Cancel);
        const TReportPage& Page = *F.Page();
        QCOMPARE(Page.DataSource() + ' ' + MergeModeNames[Page.MergeMode()].data(),
                 QString::fromLatin1(Row.Stored));
        QCOMPARE(WritePageStream(Page) != Before, Row.Step);
        QCOMPARE(F.Modified(), Row.Step);
        QCOMPARE(F.UndoStack()->count(), Steps + int(Row.Step));
        QCOMPARE(F.A_Undo->text(), QStringLiteral("Undo Data source"));
    }
    QCOMPARE(DialogFilter(W.Prompts->FilePrompts.last().Filter),
             QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));

    // Saved into another folder, the document still names the same file.
    TFormDataSource* D = OpenDataSource(F);
    QVERIFY(D != nullptr);
    Click(D->RB_CsvFile);
    W.Prompts->FileAnswer = Csv;
    Click(D->B_Browse);
    Press(*D, QDialogButtonBox::Ok);
    QCOMPARE(F.Page()->DataSource(), QStringLiteral("labels.csv"));
    QVERIFY(QDir(Dir.path()).mkdir(QStringLiteral("copies")));
    W.Prompts->FileAnswer = Dir.filePath(QStringLiteral("copies/labels.TSM"));
    F.A_SaveAs->trigger();
    QCOMPARE(F.Page()->DataSource(), QStringLiteral("../labels.csv"));
    QVERIFY(!F.Modified());
    QCOMPARE(F.A_Undo->text(), QStringLiteral("Undo Data source"));
    QCOMPARE(W.Prompts->Errors, QStringList());
}

// With labels.csv as the data source, the Data field list offers "(none)", its columns and "#";
// a pick is stored, and a field the source lacks stays. Bound items show the first record as the
// merge puts it, marked: A its field and placeholders, C its stored text, as an EAN-13 refuses the
// first value of code. Showing changes no stored byte; without a source nothing shows, and an undo
// brings it back.
void TestPropertyPanels::DataFieldAndSurfaceFollowTheSource() {
    TWindow W;
    TFormMain& F = W.Form;
    QTemporaryDir Dir;
    W.Prompts->FileAnswer = Dir.filePath(QStringLiteral("labels.TSM"));
    const std::string Saved =
        WriteLabels(W.Prompts->FileAnswer,
                    R"({"properties": {"DataSource": "labels.csv"}, "items": [
            {"name": "A", "properties": {"BarcodeText": "590123412345", "DataField": "sku",
             "TitleRow1": "${name}", "TitleRow2": "No. ${#:3}"}, "bounds": [50, 50, 200, 100]},
            {"name": "B", "properties": {"BarcodeText": "590123412345"},
             "bounds": [50, 200, 200, 100]},
            {"name": "C", "properties": {"BarcodeText": "590123412345", "DataField": "code"},
             "bounds": [50, 350, 200, 100]}]})",
                    "sku,name,code\n400638133393,Pears,12AB\n978014300723,Plums,34CD\n");
    F.A_Open->trigger();
    QVERIFY(WritePageStream(*F.Page()) == Saved);
    const auto Item = [&F](const char* Name) {
        return F.Page()->findChild<TBarcodeItem*>(QString::fromLatin1(Name));
    };
    QComboBox* List = F.FormBarcodeProps->CB_DataField;
    const auto Pick = [List](Qt::Key Key) {
        QVERIFY(Enter(List));
        QTest::keyClick(List, Key);
    };
    struct TRow {
        const char* Name;
        std::function<void()> Act;
        const char* Entries;              // of the list, with B selected > the one shown
        std::array<const char*, 3> Shown; // A, B, C
    };
    const char* const A = "400638133393|Pears|No. 001+mark";
    const char* const C = "590123412345||+mark";
    const TRow Rows[] = {
        {"B clicked", [&] { Click(Item("B")); }, "(none)|sku|name|code|# > (none)", {A, "-", C}},
        {"sku picked",
         [&] { Pick(Qt::Key_Down); },
         "(none)|sku|name|code|# > sku",
         {A, "400638133393||+mark", C}},
        {"no source",
         [&] {
             TFormDataSource* D = OpenDataSource(F);
             QVERIFY(D != nullptr);
             Click(D->RB_None);
             Press(*D, QDialogButtonBox::Ok);
         },
         "(none)|#|sku > sku",
         {"-", "-", "-"}},
        {"undone",
         [&] { QTest::keyClick(&F, Qt::Key_Z, Qt::ControlModifier); },
         "(none)|sku|name|code|# > sku",
         {A, "400638133393||+mark", C}},
        {"(none) picked",
         [&] { Pick(Qt::Key_Home); },
         "(none)|sku|name|code|# > (none)",
         {A, "-", C}},
    };
    for (const TRow& Row : Rows) {
        Row.Act();
        QStringList Entries;
        for (int I = 0; I < List->count(); ++I)
            Entries << List->itemText(I);
        QCOMPARE(Entries.join('|') + " > " + List->currentText(), QString::fromLatin1(Row.Entries));
        const QString Dump = QString::fromStdString(DumpDocumentText(WritePageStream(*F.Page())));
        QCOMPARE(Dump.contains("items[1].DataField = \"sku\""), List->currentText() == "sku");
        for (std::size_t I = 0; I < Row.Shown.size(); ++I)
            QCOMPARE(Shown(Item(std::array{"A", "B", "C"}[I])), QString::fromLatin1(Row.Shown[I]));
    }
    QCOMPARE(Item("A")->BarcodeText(), std::string("590123412345"));
    QCOMPARE(W.Prompts->Errors, QStringList());
}

QTEST_MAIN(TestPropertyPanels)
#include "TestPropertyPanels.moc"
