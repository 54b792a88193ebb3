#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QAction>
#include <QToolBar>
#include <QtTest>

namespace {

// Errors are recorded; nothing in this test asks a question.
class TRecordingPrompts : public TPrompts {
public:
    QStringList Errors;
    TSaveAnswer AskSaveChanges(QWidget*) override { return saNo; }
    bool GetFileName(QWidget*, QString&, const TFileNamePrompt&) override { return false; }
    void ShowError(QWidget*, const QString& Text) override { Errors << Text; }
    void ShowAbout(QWidget*, const QString&, const QString&) override {}
};

} // namespace

class TestInsertBarcode : public QObject {
    Q_OBJECT

private slots:
    void InsertPlacesNewItemsWithoutSelectingThem();
};

// Two clicks on the tool bar's Insert barcode: two EAN-13 items at the same place, the document
// modified, the selection as it was.
void TestInsertBarcode::InsertPlacesNewItemsWithoutSelectingThem() {
    auto* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    const int Selected = Form.Designer1->SelectedComponents().Count();
    QWidget* Button = Form.ToolBar1->widgetForAction(Form.A_BarcodeItem);
    QVERIFY(Button != nullptr);
    QTest::mouseClick(Button, Qt::LeftButton);
    QTest::mouseClick(Button, Qt::LeftButton);
    QCOMPARE(Prompts->Errors, QStringList());

    const QList<TBarcodeItem*> Items =
        Form.Page()->findChildren<TBarcodeItem*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(Items.size(), 2);
    for (const TBarcodeItem* Item : Items) {
        QCOMPARE(Item->geometry(), QRect(50, 50, 100, 50));
        QCOMPARE(Item->parentWidget(), static_cast<QWidget*>(Form.Page()));
        QCOMPARE(Item->ReportPage(), Form.Page());
        QCOMPARE(Item->BarcodeType(), bcCodeEAN13);
        QVERIFY(Item->BarcodeText().empty());
        QVERIFY(Item->Enabled());
        QVERIFY(Item->isVisible());
    }
    QVERIFY(Form.Modified());
    QCOMPARE(Form.Designer1->SelectedComponents().Count(), Selected);
    for (int I = 0; I < Selected; ++I)
        QVERIFY(!Items.contains(Form.Designer1->SelectedComponents().Items(I)));
}

QTEST_MAIN(TestInsertBarcode)
#include "TestInsertBarcode.moc"
