#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "document/TReportPage.h"
#include "panels/TFormPageProps.h"
#include "panels/TPanelFields.h"
#include "tests/panels/PanelTestSupport.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {

// Errors are recorded; the unsaved-changes question is answered No.
class TRecordingPrompts : public TPrompts {
public:
    QStringList Errors;
    TSaveAnswer AskSaveChanges(QWidget*) override { return saNo; }
    bool GetFileName(QWidget*, QString&, const TFileNamePrompt&) override { return false; }
    void ShowError(QWidget*, const QString& Text) override { Errors << Text; }
    void ShowAbout(QWidget*, const QString&, const QString&) override {}
};

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

} // namespace

class TestPropertyPanels : public QObject {
    Q_OBJECT
private slots:
    void PageEditsShowWhatThePageMadeOfThem();
    void TabbingAppliesOnEveryNumberFieldLeft();
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
         "210 x 297, A4 210 x 297 mm, Portrait, 10", "210 x 297", false},
        {"Landscape turns A4", P.CB_Orientation, Type("", Qt::Key_Down),
         "297 x 210, A4 210 x 297 mm, Landscape, 10", "297 x 210", true},
        {"Portrait again", P.CB_Orientation, Type("", Qt::Key_Up),
         "210 x 297, A4 210 x 297 mm, Portrait, 10", "210 x 297", true},
        {"typed width on A4 is not taken", P.E_Width, Type("500", Qt::Key_Return),
         "210 x 297, A4 210 x 297 mm, Portrait, 10", "210 x 297", true},
        {"Default size, then Letter", P.CB_PaperTypes, HomeDown,
         "216 x 279, Letter 8 1/2 x 11 in, Portrait, 10", "215.9 x 279.4", true},
        {"Custom Size keeps whole units", P.CB_PaperTypes, Type("", Qt::Key_End),
         "216 x 279, Custom Size, Portrait, 10", "216 x 279", true},
        {"typed width on Custom is taken", P.E_Width, Type("150", Qt::Key_Tab),
         "150 x 279, Custom Size, Portrait, 10", "150 x 279", true},
        {"Landscape does not turn Custom", P.CB_Orientation, Type("", Qt::Key_Down),
         "150 x 279, Custom Size, Landscape, 10", "150 x 279", true},
        {"Enter in a margin", P.E_MTop, Type("25", Qt::Key_Enter),
         "150 x 279, Custom Size, Landscape, 25", "150 x 279", true},
    };
    // clang-format on
    for (const TRow& Row : Rows) {
        QVERIFY2(Enter(Row.Field), Row.Name);
        Row.Act(Row.Field);
        const QString Shown =
            QStringLiteral("%1 x %2, %3, %4, %5")
                .arg(P.E_Width->text(), P.E_Length->text(), P.CB_PaperTypes->currentText(),
                     P.CB_Orientation->currentText(), P.E_MTop->text());
        QCOMPARE(Shown, QString::fromLatin1(Row.Shown));
        const TPageGeometry& Paper = F.Page()->Page();
        const QString Held =
            QStringLiteral("%1 x %2").arg(double(Paper.Width())).arg(double(Paper.Length()));
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

QTEST_MAIN(TestPropertyPanels)
#include "TestPropertyPanels.moc"
