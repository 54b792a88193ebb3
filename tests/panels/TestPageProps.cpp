#include "PanelTestSupport.h"

#include "document/TReportPage.h"
#include "panels/TFormPageProps.h"
#include "panels/TPanelFields.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

class TestPageProps : public QObject {
    Q_OBJECT
private slots:
    void ListsFilledFieldsEmptyAtCreation();
    void LoadShowsWholeUnitsAndNeverApplies();
    void UserEventsThatApply();
    void NumberFieldsSelectAllOnEntry();
    void EnableControlsLeavesLabelsAlone();
};

// Names and order from the paper type table; the orientation values are the ordinals.
void TestPageProps::ListsFilledFieldsEmptyAtCreation() {
    TFormPageProps Panel;
    QCOMPARE(Panel.CB_PaperTypes->count(), 70);
    const std::pair<int, const char*> Papers[] = {{0, "Default size"},
                                                  {1, "Letter 8 1/2 x 11 in"},
                                                  {9, "A4 210 x 297 mm"},
                                                  {69, "Custom Size"}};
    for (const auto& [Index, Name] : Papers)
        QCOMPARE(Panel.CB_PaperTypes->itemText(Index), QString::fromLatin1(Name));
    QCOMPARE(Panel.CB_Orientation->count(), 2);
    QCOMPARE(Panel.CB_Orientation->itemText(1), QStringLiteral("Landscape"));
    QCOMPARE(Panel.CB_Orientation->itemData(1).toInt(), 1);
    QCOMPARE(Panel.CB_PaperTypes->currentText(), QString());
    QCOMPARE(Panel.CB_Orientation->currentText(), QString());
    for (TNumberField* Field : {Panel.E_Width, Panel.E_Length, Panel.E_MTop, Panel.E_MLeft,
                                Panel.E_MBottom, Panel.E_MRight})
        QCOMPARE(Field->text(), QString());
}

// A new metric page is A4 portrait with 10 mm margins; halves of a unit go to the even neighbour.
void TestPageProps::LoadShowsWholeUnitsAndNeverApplies() {
    const TMetricSystem Metric;
    TReportPage Page;
    TPageGeometry& Paper = Page.Page();
    Paper.SetTopMargin(12.5L);
    Paper.SetLeftMargin(13.5L);
    Paper.SetBottomMargin(12.49L);
    Paper.SetRightMargin(12.51L);
    TFormPageProps Panel;
    QSignalSpy Applied(&Panel, &TFormPageProps::ApplyRequested);
    const QList<QWidget*> Fields = {Panel.E_Width,        Panel.E_Length, Panel.CB_PaperTypes,
                                    Panel.CB_Orientation, Panel.E_MTop,   Panel.E_MLeft,
                                    Panel.E_MBottom,      Panel.E_MRight};
    const auto Shown = [&Fields] {
        QStringList Texts;
        for (QWidget* Field : Fields)
            Texts << (qobject_cast<QComboBox*>(Field) != nullptr
                          ? qobject_cast<QComboBox*>(Field)->currentText()
                          : qobject_cast<QSpinBox*>(Field)->text());
        return Texts;
    };
    const QStringList Loaded = {"210", "297", "A4 210 x 297 mm", "Portrait", "12", "14",
                                "12",  "13"};
    const QStringList Cleared(Fields.size(), QString());
    // Loading again after clearing must bring back values equal to the ones shown before.
    const std::pair<const TReportPage*, QStringList> Rows[] = {
        {&Page, Loaded}, {nullptr, Cleared}, {&Page, Loaded}};
    for (const auto& [From, Expected] : Rows) {
        Panel.LoadPage(From);
        QCOMPARE(Shown(), Expected);
    }
    QCOMPARE(Applied.count(), 0);
    QVERIFY(!Panel.Updating());
}

// Leaving a number field applies whether or not it was changed; Enter applies and stops there;
// every spin and every pick in a list applies at once.
void TestPageProps::UserEventsThatApply() {
    const TMetricSystem Metric;
    TReportPage Page;
    TFormPageProps Panel;
    Panel.LoadPage(&Page);
    QVERIFY(ShowActive(Panel));
    QSignalSpy Applied(&Panel, &TFormPageProps::ApplyRequested);
    QSignalSpy Finished(Panel.E_MTop, &QAbstractSpinBox::editingFinished);
    QWidget Other;
    struct TRow {
        const char* Name;
        QWidget* Field;
        std::function<void(QWidget*)> Act;
        int Applies;
    };
    const TRow Rows[] = {
        {"Tab out untouched", Panel.E_Width, [](QWidget* F) { QTest::keyClick(F, Qt::Key_Tab); },
         1},
        {"typing alone", Panel.E_Length, [](QWidget* F) { QTest::keyClicks(F, "25"); }, 0},
        {"typing and Enter", Panel.E_MTop,
         [&Finished](QWidget* F) {
             QTest::keyClicks(F, "25");
             QTest::keyClick(F, Qt::Key_Return);
             // The field finishes its editing on Enter, or when it loses the focus.
             QCOMPARE(Finished.count(), 0);
             QCOMPARE(qobject_cast<QSpinBox*>(F)->text(), QStringLiteral("25"));
         },
         1},
        {"Up arrow", Panel.E_MLeft, [](QWidget* F) { QTest::keyClick(F, Qt::Key_Up); }, 1},
        {"up button", Panel.E_MBottom,
         [](QWidget* F) {
             QTest::mouseClick(F, Qt::LeftButton, {}, UpButton(qobject_cast<QSpinBox*>(F)));
         },
         1},
        {"pick in a list", Panel.CB_Orientation,
         [](QWidget* F) { QTest::keyClick(F, Qt::Key_Down); }, 1},
        {"another window and back", Panel.E_MRight,
         [&Other, &Panel](QWidget*) {
             Other.show();
             Other.activateWindow();
             QVERIFY(QTest::qWaitForWindowActive(&Other));
             Panel.activateWindow();
             QVERIFY(QTest::qWaitForWindowActive(&Panel));
         },
         0},
        {"disabled while focused", Panel.E_Width,
         [&Panel](QWidget*) { Panel.EnableControls(false); }, 0},
    };
    for (const TRow& Row : Rows) {
        QVERIFY2(Enter(Row.Field), Row.Name);
        Applied.clear();
        Row.Act(Row.Field);
        QVERIFY2(Applied.count() == Row.Applies, Row.Name);
    }
}

void TestPageProps::NumberFieldsSelectAllOnEntry() {
    const TMetricSystem Metric;
    TReportPage Page;
    TFormPageProps Panel;
    Panel.LoadPage(&Page);
    QVERIFY(ShowActive(Panel));
    QVERIFY(Enter(Panel.CB_PaperTypes));
    QTest::keyClick(Panel.CB_PaperTypes, Qt::Key_Tab);
    QTRY_COMPARE(Panel.E_Width->Editor()->selectedText(), QStringLiteral("210"));
    QTest::mouseClick(Panel.E_MRight->Editor(), Qt::LeftButton, {},
                      Panel.E_MRight->Editor()->rect().center());
    QTRY_COMPARE(Panel.E_MRight->Editor()->selectedText(), QStringLiteral("10"));
}

// The panel's own layout lists the eight fields; labels and group boxes are not among them.
void TestPageProps::EnableControlsLeavesLabelsAlone() {
    TFormPageProps Panel;
    const QList<QWidget*> Fields = {Panel.CB_PaperTypes, Panel.CB_Orientation, Panel.E_Width,
                                    Panel.E_Length,      Panel.E_MTop,         Panel.E_MLeft,
                                    Panel.E_MBottom,     Panel.E_MRight};
    for (const bool Enabled : {false, true}) {
        Panel.EnableControls(Enabled);
        for (QWidget* Field : Fields)
            QCOMPARE(Field->isEnabled(), Enabled);
        for (const QLabel* Label : Panel.findChildren<QLabel*>())
            QVERIFY(Label->isEnabled());
    }
}

QTEST_MAIN(TestPageProps)
#include "TestPageProps.moc"
