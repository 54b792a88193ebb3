#include "../barcode/Decode.h"
#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "document/StreamClasses.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// The main window with one inserted item, EAN-13 400638133393 at 80, 60, 120 x 70, clicked so
// that it is the selection.
struct TOneItem {
    TRecordingPrompts* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};
    TBarcodeItem* Item = nullptr;

    TOneItem() {
        Form.show();
        if (!QTest::qWaitForWindowExposed(&Form))
            qWarning("main window not shown");
        Form.A_BarcodeItem->trigger();
        Item = Form.Page()->findChild<TBarcodeItem*>();
        if (Item == nullptr)
            return;
        Item->SetBarcodeText("400638133393");
        Item->SetBounds(80, 60, 120, 70);
        QTest::mouseClick(Item, Qt::LeftButton, {}, QPoint(5, 5));
    }
};

} // namespace

class TestInsertBarcode : public QObject {
    Q_OBJECT

private slots:
    void InsertPlacesNewItemsWithoutSelectingThem();
    void CutCopyAndPasteThroughTheClipboard();
    void ExportWritesTheSelectedItemsGraphic();
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

// With the surface focused and one item selected, Ctrl+C puts the item's stream on the
// clipboard, with a picture and the text for other programs; each Ctrl+V brings a copy back
// with every stored property; Ctrl+X takes the item away and a paste brings it back; Del
// deletes. Every change but the copy marks the document modified.
void TestInsertBarcode::CutCopyAndPasteThroughTheClipboard() {
    const TStreamClassRegistration BarcodeItems(BarcodeItemClass());
    TOneItem W;
    TFormMain& Form = W.Form;
    QVERIFY(W.Item != nullptr);
    W.Item->SetTitleRow1("Oat flakes");
    QVERIFY(Form.DesignPanel1->hasFocus());
    Form.SetModified(false);
    // The commands' enabled states are worked out while the program waits for input.
    const auto Key = [&Form](Qt::Key K) {
        Idle();
        QTest::keyClick(&Form, K, Qt::ControlModifier);
    };
    const auto Items = [&Form] {
        return Form.Page()->findChildren<TBarcodeItem*>(Qt::FindDirectChildrenOnly);
    };

    Key(Qt::Key_C);
    const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(Data != nullptr);
    // Beside the item's stream, for other programs: its picture as it prints, 120 x 70 pixels
    // at 300 dpi (375 x 218.75, to 219), and the text the bars encode, check digit included.
    QCOMPARE(Data->formats().size(), 4);
    const QString Format = Data->formats().front();
    QVERIFY(Format.contains(QLatin1String("Tessmira Component")));
    QCOMPARE(Data->text(), QStringLiteral("4006381333931"));
    const QImage Picture = QImage::fromData(Data->data(QStringLiteral("image/png")), "PNG");
    QCOMPARE(Picture.size(), QSize(375, 219));
    QCOMPARE(Picture.dotsPerMeterX(), 11811);
    QCOMPARE(DecodeImage(OnWhitePage(Picture, 40)), std::vector<std::string>{"4006381333931"});
    QSvgRenderer Drawing(Data->data(QStringLiteral("image/svg+xml")));
    QCOMPARE(Drawing.viewBox().size(), QSize(375, 219));
    // Each copy lands one grid step (8 pixels) right and down of the item it would cover, is
    // selected and marks the document modified.
    Key(Qt::Key_V);
    Key(Qt::Key_V);
    QCOMPARE(Items().size(), 3);
    const QPoint Places[] = {{80, 60}, {88, 68}, {96, 76}};
    for (qsizetype I = 0; I < Items().size(); ++I) {
        const TBarcodeItem* Copy = Items()[I];
        QCOMPARE(Copy->geometry(), QRect(Places[I], QSize(120, 70)));
        QCOMPARE(Copy->BarcodeText(), std::string("400638133393"));
        QCOMPARE(Copy->TitleRow1(), std::string("Oat flakes"));
        QVERIFY(Copy->isVisible());
    }
    QCOMPARE(Form.Designer1->SelectedComponents().Count(), 1);
    QCOMPARE(Form.Designer1->SelectedComponents().Items(0), Items().back());
    QVERIFY(Form.Modified());

    // Cut takes the selected copy; pasting it back puts it where it was, which is free again.
    Form.SetModified(false);
    TBarcodeItem* Last = Items().back();
    Key(Qt::Key_X);
    QCOMPARE(Items().size(), 2);
    QVERIFY(!Items().contains(Last));
    QVERIFY(Form.Modified());
    Key(Qt::Key_V);
    QCOMPARE(Items().size(), 3);
    QCOMPARE(Items().back()->geometry(), QRect(96, 76, 120, 70));

    // Bytes in the item format that are no stream end in the reader's message; the page stays.
    auto* Broken = new QMimeData;
    Broken->setData(Format, QByteArray("TPF0\x0CTQRepBar"));
    QGuiApplication::clipboard()->setMimeData(Broken);
    Key(Qt::Key_V);
    QCOMPARE(W.Prompts->Errors, QStringList{QStringLiteral("Stream read error")});
    QCOMPARE(Items().size(), 3);

    // Del on the surface deletes the selected copy and marks the document, so closing asks to
    // save.
    Form.SetModified(false);
    QTest::keyClick(Form.DesignPanel1, Qt::Key_Delete);
    QCOMPARE(Items().size(), 2);
    QVERIFY(Form.Modified());
    QVERIFY(Form.close());
    QCOMPARE(W.Prompts->SaveQuestions, 1);
}

// Export barcode graphic on the one selected item: the file dialog, then the resolution (300
// offered, 600 chosen); the PNG is the item's 120 x 70 pixels at 600 dpi, 750 x 438 (437.5 to
// even), says 600 dpi (23622 dots a metre) and reads back. Cancelling the resolution writes
// nothing.
void TestInsertBarcode::ExportWritesTheSelectedItemsGraphic() {
    TOneItem W;
    TFormMain& Form = W.Form;
    TRecordingPrompts* Prompts = W.Prompts;
    QVERIFY(W.Item != nullptr);
    Idle();
    QVERIFY(Form.A_GraphExport->isEnabled());
    const QTemporaryDir Dir;
    Prompts->FileAnswer = Dir.filePath(QStringLiteral("item.png"));
    Form.A_GraphExport->trigger();
    QCOMPARE(Prompts->ResolutionAsked, 300);
    QVERIFY(!QFile::exists(Prompts->FileAnswer));
    Prompts->ResolutionAnswer = 600;
    Form.A_GraphExport->trigger();
    QCOMPARE(Prompts->Errors, QStringList());
    const QImage Graphic(Prompts->FileAnswer);
    QCOMPARE(Graphic.size(), QSize(750, 438));
    QCOMPARE(Graphic.dotsPerMeterX(), 23622);
    QCOMPARE(DecodeImage(OnWhitePage(Graphic, 40)), std::vector<std::string>{"4006381333931"});
    QCOMPARE(Form.statusBar()->currentMessage(),
             "The barcode graphic was written to " + Prompts->FileAnswer);
}

QTEST_MAIN(TestInsertBarcode)
#include "TestInsertBarcode.moc"
