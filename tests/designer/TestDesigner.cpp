#include "designer/TDesignManager.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"

#include "common/TException.h"

#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {

QString ErrorOf(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const TException& Error) {
        return QString::fromStdString(Error.what());
    }
    return {};
}

} // namespace

class TestDesigner : public QObject {
    Q_OBJECT
private slots:
    void ActivationNeedsControlAndPanel();
    void ActivationSelectsAndHostsThePage();
    void DestroyedComponentsLeaveTheSelection();
    void ManagerFollowsTheActiveDesigner();
};

// Messages and their order as the designer's activation checks give them.
void TestDesigner::ActivationNeedsControlAndPanel() {
    TDesignPanel Panel;
    QWidget Parent;
    auto* Child = new QWidget(&Parent);
    QWidget Page;
    struct TRow {
        QWidget* Control;
        TDesignPanel* Panel;
        const char* Error;
    };
    const TRow Rows[] = {
        {nullptr, &Panel, "Design control not specified"},
        {nullptr, nullptr, "Design control not specified"},
        {Child, &Panel, "Design control parent must be nil"},
        {&Page, nullptr, "Design panel not specified"},
    };
    for (const TRow& Row : Rows) {
        TDesigner Designer;
        Designer.SetDesignControl(Row.Control);
        Designer.SetDesignPanel(Row.Panel);
        QCOMPARE(ErrorOf([&] { Designer.SetActive(true); }), QString::fromLatin1(Row.Error));
        QVERIFY(!Designer.Active());
        QCOMPARE(Panel.Hosted(), nullptr);
    }
}

void TestDesigner::ActivationSelectsAndHostsThePage() {
    TDesignPanel Panel;
    QWidget Page;
    TDesigner Designer;
    QSignalSpy Selections(&Designer, &TDesigner::OnChangeSelection);
    Designer.SetDesignPanel(&Panel);
    Designer.SetDesignControl(&Page);
    QCOMPARE(Designer.SelectedComponents().Count(), 0);
    QCOMPARE(ErrorOf([&] { Designer.SelectAll(); }), QStringLiteral("Designer must be active"));

    Designer.SetActive(true);
    QCOMPARE(Selections.count(), 1);
    QCOMPARE(Panel.Hosted(), &Page);
    QCOMPARE(Designer.SelectedComponents().Count(), 1);
    QCOMPARE(Designer.SelectedComponents().Items(0), &Page);
    QCOMPARE(ErrorOf([&] { Designer.SelectedComponents().Items(1); }),
             QStringLiteral("List index out of bounds (1)"));
    QCOMPARE(ErrorOf([&] { Designer.SetDesignControl(nullptr); }),
             QStringLiteral("Designer must be inactive"));
    // Nothing printable on the page: selecting all adds nothing and reports nothing.
    Designer.SelectAll();
    QCOMPARE(Selections.count(), 1);

    Designer.SetActive(false);
    QCOMPARE(Selections.count(), 2);
    QCOMPARE(Designer.SelectedComponents().Count(), 0);
    QCOMPARE(Page.parentWidget(), nullptr);
    QCOMPARE(Panel.Hosted(), nullptr);
    QCOMPARE(ErrorOf([&] { Designer.SelectedComponents().Items(0); }),
             QStringLiteral("List index out of bounds (0)"));
}

// Whoever destroys the designed page, the designer lets go of it and deactivates.
void TestDesigner::DestroyedComponentsLeaveTheSelection() {
    TDesignPanel Panel;
    auto* Page = new QWidget;
    TDesigner Designer;
    Designer.SetDesignPanel(&Panel);
    Designer.SetDesignControl(Page);
    Designer.SetActive(true);
    QSignalSpy Selections(&Designer, &TDesigner::OnChangeSelection);
    delete Page;
    QCOMPARE(Selections.count(), 1);
    QVERIFY(!Designer.Active());
    QCOMPARE(Designer.DesignControl(), nullptr);
    QCOMPARE(Designer.SelectedComponents().Count(), 0);
    QCOMPARE(Panel.Hosted(), nullptr);
    auto* Next = new QWidget;
    Designer.SetDesignControl(Next);
    Designer.SetActive(true);
    QCOMPARE(Panel.Hosted(), Next);
    delete Next;
}

// The manager's current designer must be active, keeps a copy of its selection and is let go
// when it deactivates; a designer is held once.
void TestDesigner::ManagerFollowsTheActiveDesigner() {
    TDesignPanel Panel;
    QWidget Page;
    TDesigner Designer;
    Designer.setObjectName(QStringLiteral("Designer1"));
    Designer.SetDesignPanel(&Panel);
    Designer.SetDesignControl(&Page);
    TDesignManager Manager;
    Manager.AddDesigner(&Designer);
    QCOMPARE(ErrorOf([&] { Manager.AddDesigner(&Designer); }),
             QStringLiteral("Duplicate designer: Designer1"));
    QCOMPARE(ErrorOf([&] { Manager.SetCurrentDesigner(&Designer); }),
             QStringLiteral("Current designer must be active"));
    QCOMPARE(Manager.CurrentDesigner(), nullptr);
    Designer.SetActive(true);
    QSignalSpy Selections(&Manager, &TDesignManager::OnChangeSelection);
    Manager.SetCurrentDesigner(Manager.Designers(0));
    QCOMPARE(Manager.Selection(), std::vector<QObject*>{&Page});
    Manager.SetExcludeDesignControl(true);
    Manager.SetCurrentDesigner(&Designer);
    QCOMPARE(Manager.Selection(), std::vector<QObject*>{});
    QCOMPARE(Selections.count(), 0);
    Designer.SetActive(false);
    QCOMPARE(Selections.count(), 1);
    QCOMPARE(Manager.CurrentDesigner(), nullptr);
}

QTEST_MAIN(TestDesigner)
#include "TestDesigner.moc"
