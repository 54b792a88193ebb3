#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "designer/TDesignManager.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"
#include "panels/TFormBarcodeProps.h"
#include "panels/TFormPageProps.h"
#include "panels/TPanelFields.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>
#include <deque>
#include <functional>
#include <optional>

namespace {

// Lets the event loop wait once, which is when the commands' enabled states are brought up to date.
struct TWindow {
    TRecordingPrompts* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};

    TWindow() {
        // An unscripted unsaved-changes question is cancelled.
        Prompts->SaveDefault = saCancel;
        Form.show();
        QApplication::setActiveWindow(&Form);
        if (!QTest::qWaitForWindowActive(&Form))
            qWarning("main window did not become active");
        Idle();
    }
};

// What a menu shows: captions with their shortcuts, "-" for a separator.
QStringList MenuEntries(const QList<QAction*>& Actions) {
    QStringList Entries;
    for (const QAction* Action : Actions) {
        if (Action->isSeparator())
            Entries << QStringLiteral("-");
        else if (Action->shortcut().isEmpty())
            Entries << Action->text();
        else
            Entries << Action->text() + " [" + Action->shortcut().toString() + "]";
    }
    return Entries;
}

} // namespace

class TestFormMain : public QObject {
    Q_OBJECT
private slots:
    void MenusToolBarAndContextMenuInOrder();
    void StartUpDocksAndLoadsPanels();
    void SaveOnlyWhileModified();
    void SaveFailureLeavesStateAlone();
    void QuerySaveOnNew_data();
    void QuerySaveOnNew();
    void QuerySaveOnClose_data();
    void QuerySaveOnClose();
    void OpenFailuresKeepThePage();
    void EditCommandsOnTextFields();
    void EditCommandsEnableRules();
    void ViewTogglesPanels();
    void StatusBarIndicators();
    void ConfirmBoxButtons();
    void DialogFilterAndSuffix();
    void ZoomIsAViewChange();
};

// Expected entries come from the command table and menu layout of the window's design; Print
// preview and Print to PDF follow Print, Data source follows Printer setup.
void TestFormMain::MenusToolBarAndContextMenuInOrder() {
    TWindow W;
    const QList<std::pair<QString, QStringList>> Expected = {
        {"&File",
         {"New [Ctrl+N]", "-", "Open [Ctrl+O]", "Open Recent", "-", "Save [Ctrl+S]", "Save as...",
          "Export barcode graphic...", "-", "Print [Ctrl+P]", "Print preview...", "Print to PDF...",
          "Printer setup...", "Printer calibration...", "Data source...", "-", "Exit"}},
        {"&Edit",
         {"Undo [Ctrl+Z]", "Redo [Ctrl+Y]", "-", "C&ut [Ctrl+X]", "&Copy [Ctrl+C]",
          "&Paste [Ctrl+V]", "-", "Select &all [Ctrl+A]"}},
        {"&View",
         {"Barcode properties", "Page properties", "-", "Zoom in [Ctrl++]", "Zoom out [Ctrl+-]",
          "Actual size [Ctrl+0]", "Fit page"}},
        {"&Help", {"About..."}},
        {"POP_DesignerPanel",
         {"Insert barcode [Ins]", "Delete [Del]", "-", "Export barcode graphic...", "-",
          "C&ut [Ctrl+X]", "&Copy [Ctrl+C]", "&Paste [Ctrl+V]", "-", "Select &all [Ctrl+A]"}},
        {"ToolBar1",
         {"New [Ctrl+N]", "Open [Ctrl+O]", "Save [Ctrl+S]", "Export barcode graphic...",
          "Print [Ctrl+P]", "-", "Insert barcode", "Delete", "-", "Undo [Ctrl+Z]",
          "Redo [Ctrl+Y]"}},
    };
    QList<std::pair<QString, QList<QAction*>>> Actual;
    for (QAction* Menu : W.Form.menuBar()->actions())
        Actual << std::pair{Menu->text(), Menu->menu()->actions()};
    Actual << std::pair{QStringLiteral("POP_DesignerPanel"), W.Form.POP_DesignerPanel->actions()};
    Actual << std::pair{QStringLiteral("ToolBar1"), W.Form.ToolBar1->actions()};
    QCOMPARE(Actual.size(), Expected.size());
    for (qsizetype I = 0; I < Expected.size(); ++I) {
        QCOMPARE(Actual[I].first, Expected[I].first);
        QCOMPARE(MenuEntries(Actual[I].second), Expected[I].second);
    }
    for (QAction* Action : W.Form.ToolBar1->actions())
        QVERIFY(Action->isSeparator() || !Action->icon().isNull());
}

void TestFormMain::StartUpDocksAndLoadsPanels() {
    TWindow W;
    TFormMain& F = W.Form;
    QCOMPARE(F.windowTitle(), QStringLiteral("Tessmira"));
    QCOMPARE(F.size(), QSize(720, 550));
    QCOMPARE(F.dockWidgetArea(F.FormBarcodeProps), Qt::LeftDockWidgetArea);
    QCOMPARE(F.dockWidgetArea(F.FormPageProps), Qt::RightDockWidgetArea);
    QVERIFY(F.FormBarcodeProps->isVisible() && F.FormPageProps->isVisible());
    QVERIFY(!F.FormBarcodeProps->E_Barcode->isEnabled());
    QVERIFY(F.FormPageProps->CB_PaperTypes->isEnabled());
    QVERIFY(F.Designer1->Active());
    QCOMPARE(F.Designer1->DesignControl(), static_cast<QWidget*>(F.Page()));
    QCOMPARE(F.DesignPanel1->Hosted(), static_cast<QWidget*>(F.Page()));
    // Activation selects the page itself, which is no item: nothing to export or delete.
    QCOMPARE(F.Designer1->SelectedComponents().Count(), 1);
    QVERIFY(F.Page()->PrintIfEmpty());
    QVERIFY(!F.A_GraphExport->isEnabled());
    QVERIFY(!F.A_DeleteItem->isEnabled());
    QVERIFY(F.A_ShowBarcodeProps->isChecked() && F.A_ShowPageProps->isChecked());
    QVERIFY(!F.Modified());
    QCOMPARE(F.DesignManager1->CurrentDesigner(), F.Designer1);
    // The right button's release on the page opens the surface's menu.
    QTest::mouseClick(F.Page(), Qt::RightButton, {}, QPoint(100, 100));
    QTRY_VERIFY(F.POP_DesignerPanel->isVisible());
    F.POP_DesignerPanel->hide();
    // A new page is designed at once, by the manager's current designer.
    QTest::keyClick(&F, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(F.Designer1->DesignControl(), static_cast<QWidget*>(F.Page()));
    QCOMPARE(F.DesignManager1->CurrentDesigner(), F.Designer1);
}

void TestFormMain::SaveOnlyWhileModified() {
    TWindow W;
    TFormMain& F = W.Form;
    QVERIFY(!F.A_Save->isEnabled());
    QVERIFY(F.A_SaveAs->isEnabled());
    QCOMPARE(F.findChild<QLabel*>("L_Modified")->text(), QString());
    QTest::keyClick(&F, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(W.Prompts->FilePrompts.size(), 0);

    F.SetModified(true);
    Idle();
    QVERIFY(F.A_Save->isEnabled());
    QVERIFY(F.A_SaveAs->isEnabled());
    QCOMPARE(F.L_Modified->text(), QStringLiteral("Modified"));
    W.Prompts->FileAnswers = {std::nullopt};
    QTest::keyClick(&F, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(W.Prompts->FilePrompts.size(), 1);
    const TFileNamePrompt& Asked = W.Prompts->FilePrompts[0];
    QVERIFY(Asked.Save);
    QCOMPARE(Asked.Title, QStringLiteral("Save as"));
    QCOMPARE(Asked.Filter, QStringLiteral("Tessmira (*.TSM)|*.TSM"));
    QCOMPARE(Asked.DefaultExt, QStringLiteral("*.TSM"));
    QCOMPARE(Asked.InitialDir, QDir::currentPath());
    QCOMPARE(W.Prompts->StartNames[0], QString());
    QVERIFY(F.Modified());
    QCOMPARE(F.windowTitle(), QStringLiteral("Tessmira"));
}

// A file that cannot be created is neither created nor remembered.
void TestFormMain::SaveFailureLeavesStateAlone() {
    TWindow W;
    TFormMain& F = W.Form;
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("no-such-folder/labels.TSM");
    F.SetModified(true);
    W.Prompts->FileAnswers = {Path};
    F.A_SaveAs->trigger();
    QCOMPARE(W.Prompts->Errors.size(), 1);
    QVERIFY(W.Prompts->Errors[0].startsWith("Cannot create file \"" + Path + "\". "));
    QVERIFY(!QFile::exists(Path));
    QVERIFY(F.Modified());
    QCOMPARE(F.FileName(), QString());
    QCOMPARE(F.windowTitle(), QStringLiteral("Tessmira"));
}

void TestFormMain::QuerySaveOnNew_data() {
    QTest::addColumn<bool>("Modified");
    QTest::addColumn<int>("Answer");
    QTest::addColumn<bool>("DialogCancelled");
    QTest::addColumn<int>("Questions");
    QTest::addColumn<int>("SaveDialogs");
    QTest::addColumn<bool>("Replaced");
    QTest::addRow("unmodified: no question") << false << int(saCancel) << false << 0 << 0 << true;
    QTest::addRow("No drops the changes") << true << int(saNo) << false << 1 << 0 << true;
    QTest::addRow("Cancel keeps the page") << true << int(saCancel) << false << 1 << 0 << false;
    QTest::addRow("Yes, save dialog cancelled, goes on")
        << true << int(saYes) << true << 1 << 1 << true;
    // A save that fails ends the command with its error, before anything is dropped.
    QTest::addRow("Yes, save fails, stops") << true << int(saYes) << false << 1 << 1 << false;
}

void TestFormMain::QuerySaveOnNew() {
    QFETCH(bool, Modified);
    QFETCH(int, Answer);
    QFETCH(bool, DialogCancelled);
    QFETCH(int, Questions);
    QFETCH(int, SaveDialogs);
    QFETCH(bool, Replaced);
    TWindow W;
    TFormMain& F = W.Form;
    QTemporaryDir Dir;
    F.SetModified(Modified);
    Idle();
    W.Prompts->SaveAnswers = {TSaveAnswer(Answer)};
    // The chosen file lies in a folder that does not exist, so a save fails.
    W.Prompts->FileAnswers = {DialogCancelled ? std::nullopt
                                              : std::optional(Dir.filePath("none/a.TSM"))};
    const QPointer<TReportPage> OldPage = F.Page();
    QTest::keyClick(&F, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(W.Prompts->SaveQuestions, Questions);
    QCOMPARE(W.Prompts->FilePrompts.size(), SaveDialogs);
    QCOMPARE(OldPage.isNull(), Replaced);
    QCOMPARE(F.Modified(), Modified && !Replaced);
    QCOMPARE(F.windowTitle(), QStringLiteral("Tessmira"));
    QVERIFY(F.Page() != nullptr && F.Page()->PrintIfEmpty());
    QCOMPARE(F.Designer1->DesignControl(), static_cast<QWidget*>(F.Page()));
    QVERIFY(F.Designer1->Active());
    QVERIFY(F.FormPageProps->CB_PaperTypes->isEnabled());
    Idle();
    QCOMPARE(F.L_Modified->text(), F.Modified() ? QStringLiteral("Modified") : QString());
}

void TestFormMain::QuerySaveOnClose_data() {
    QTest::addColumn<bool>("Modified");
    QTest::addColumn<int>("Answer");
    QTest::addColumn<int>("Questions");
    QTest::addColumn<bool>("Closed");
    QTest::addRow("unmodified") << false << int(saCancel) << 0 << true;
    QTest::addRow("No") << true << int(saNo) << 1 << true;
    QTest::addRow("Cancel") << true << int(saCancel) << 1 << false;
    QTest::addRow("Yes, dialog cancelled") << true << int(saYes) << 1 << true;
}

void TestFormMain::QuerySaveOnClose() {
    QFETCH(bool, Modified);
    QFETCH(int, Answer);
    QFETCH(int, Questions);
    QFETCH(bool, Closed);
    TWindow W;
    W.Form.SetModified(Modified);
    W.Prompts->SaveAnswers = {TSaveAnswer(Answer)};
    W.Form.MI_Exit->trigger();
    QCOMPARE(W.Prompts->SaveQuestions, Questions);
    QCOMPARE(W.Form.isVisible(), !Closed);
    QCOMPARE(W.Prompts->FilePrompts.size(), Answer == saYes ? 1 : 0);
}

void TestFormMain::OpenFailuresKeepThePage() {
    TWindow W;
    TFormMain& F = W.Form;
    QTemporaryDir Dir;
    const QString Missing = Dir.filePath("missing.TSM");
    const QString Present = Dir.filePath("present.TSM");
    QFile File(Present);
    QVERIFY(File.open(QIODevice::WriteOnly));
    File.write("TPF0");
    File.close();
    F.SetModified(true);
    const QPointer<TReportPage> Page = F.Page();
    W.Prompts->SaveAnswers = {saNo, saNo, saNo};
    W.Prompts->FileAnswers = {std::nullopt, Missing, Present};
    for (int I = 0; I < 3; ++I)
        QTest::keyClick(&F, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(W.Prompts->FilePrompts.size(), 3);
    QCOMPARE(W.Prompts->FilePrompts[0].Title, QStringLiteral("Open"));
    QVERIFY(!W.Prompts->FilePrompts[0].Save);
    QCOMPARE(W.Prompts->Errors,
             QStringList({"Cannot open file \"" + Missing + "\". No such file or directory",
                          "Stream read error"}));
    QCOMPARE(F.Page(), Page.data());
    QVERIFY(F.Modified());
    QCOMPARE(F.FileName(), QString());
    QCOMPARE(F.windowTitle(), QStringLiteral("Tessmira"));
    QVERIFY(F.Designer1->Active());
    QVERIFY(F.FormPageProps->CB_PaperTypes->isEnabled());
}

// The Edit commands act on the focused field's text, chosen from the Edit menu or by shortcut.
void TestFormMain::EditCommandsOnTextFields() {
    TWindow W;
    TFormMain& F = W.Form;
    QSpinBox* Field = F.FormPageProps->E_MTop;
    auto* Edit = Field->findChild<QLineEdit*>();
    Field->setFocus();
    QTRY_VERIFY(Field->hasFocus());
    // The field selects the page's 10 mm on entry, so typing replaces it.
    QTRY_COMPARE(Edit->selectedText(), QStringLiteral("10"));
    QTest::keyClicks(Field, "123");
    Idle();
    F.A_EditSelectAll->trigger();
    QCOMPARE(Edit->selectedText(), QStringLiteral("123"));
    QGuiApplication::clipboard()->clear();
    F.A_EditCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("123"));
    F.A_EditCut->trigger();
    QCOMPARE(Edit->text(), QString());
    Idle();
    F.A_Paste->trigger();
    QCOMPARE(Edit->text(), QStringLiteral("123"));
    QTest::keyClick(Field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Edit->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("123"));
    QVERIFY(!F.Modified());
}

void TestFormMain::EditCommandsEnableRules() {
    TWindow W;
    TFormMain& F = W.Form;
    QLineEdit Elsewhere;
    Elsewhere.show();
    QVERIFY(QTest::qWaitForWindowActive(&Elsewhere));
    struct TRow {
        const char* Name;
        QWidget* Focus;
        bool ClipboardText;
        bool CutCopy, Paste, SelectAll;
    };
    // The page alone is selected, so the design panel has nothing to cut or copy.
    const TRow Rows[] = {
        {"design panel", F.DesignPanel1, true, false, false, true},
        {"number field, text on clipboard", F.FormPageProps->E_Width, true, true, true, true},
        {"number field, empty clipboard", F.FormPageProps->E_Width, false, true, false, true},
        {"drop-down list", F.FormPageProps->CB_PaperTypes, true, true, true, true},
        {"another window's field", &Elsewhere, true, false, false, false},
    };
    for (const TRow& Row : Rows) {
        if (Row.ClipboardText)
            QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        else
            QGuiApplication::clipboard()->clear();
        Row.Focus->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Row.Focus->window()));
        Row.Focus->setFocus();
        QTRY_VERIFY2(Row.Focus->hasFocus(), Row.Name);
        Idle();
        QVERIFY2(F.A_EditCut->isEnabled() == Row.CutCopy, Row.Name);
        QVERIFY2(F.A_EditCopy->isEnabled() == Row.CutCopy, Row.Name);
        QVERIFY2(F.A_Paste->isEnabled() == Row.Paste, Row.Name);
        QVERIFY2(F.A_EditSelectAll->isEnabled() == Row.SelectAll, Row.Name);
    }
    // The font boxes are not text fields for the Edit commands.
    F.FormBarcodeProps->EnableControls(true);
    F.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&F));
    F.FormBarcodeProps->E_FontName->setFocus();
    QTRY_VERIFY(F.FormBarcodeProps->E_FontName->hasFocus());
    Idle();
    QVERIFY(!F.A_EditCopy->isEnabled());
    QVERIFY(!F.A_EditSelectAll->isEnabled());
    F.FormBarcodeProps->E_Barcode->setFocus();
    QTRY_VERIFY(F.FormBarcodeProps->E_Barcode->hasFocus());
    Idle();
    QVERIFY(F.A_EditCopy->isEnabled());
}

void TestFormMain::ViewTogglesPanels() {
    TWindow W;
    TFormMain& F = W.Form;
    F.A_ShowBarcodeProps->trigger();
    QVERIFY(F.FormBarcodeProps->isHidden());
    Idle();
    QVERIFY(!F.A_ShowBarcodeProps->isChecked());
    F.A_ShowBarcodeProps->trigger();
    QVERIFY(!F.FormBarcodeProps->isHidden());
    // Closing a panel by its own close button clears the mark at the next idle moment.
    F.FormPageProps->close();
    QVERIFY(F.A_ShowPageProps->isChecked());
    Idle();
    QVERIFY(!F.A_ShowPageProps->isChecked());
    QVERIFY(!F.Modified());
}

void TestFormMain::StatusBarIndicators() {
    TWindow W;
    TFormMain& F = W.Form;
    QVERIFY(QRegularExpression(R"(^\d\d/\d\d/\d\d \d\d:\d\d:\d\d$)")
                .match(F.L_Clock->text())
                .hasMatch());
    QCOMPARE(F.L_CapsLock->text(), QStringLiteral("Caps: Off"));
    QCOMPARE(F.L_NumLock->text(), QStringLiteral("Num: Off"));
    if (QGuiApplication::platformName() == QStringLiteral("xcb"))
        QSKIP("the lock keys come from the X server's indicators here");
    // Without an X server the lock keys are followed from their presses.
    const QString Expected[] = {"Caps: On", "Caps: Off"};
    for (const QString& Text : Expected) {
        QTest::keyClick(F.windowHandle(), Qt::Key_CapsLock);
        Idle();
        QCOMPARE(F.L_CapsLock->text(), Text);
    }
    QTest::keyClick(F.windowHandle(), Qt::Key_NumLock);
    Idle();
    QCOMPARE(F.L_NumLock->text(), QStringLiteral("Num: On"));
}

// The real confirmation box: caption, text, buttons, Yes by Enter, Cancel by Esc.
void TestFormMain::ConfirmBoxButtons() {
    const std::pair<Qt::Key, TSaveAnswer> Rows[] = {{Qt::Key_Return, saYes},
                                                    {Qt::Key_Escape, saCancel}};
    for (const auto& [Key, Answer] : Rows) {
        QStringList Seen;
        QTimer::singleShot(0, [&Seen, Key = Key] {
            auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(Box != nullptr);
            QStringList Buttons;
            for (QAbstractButton* Button : Box->buttons())
                Buttons << Button->text();
            Buttons.sort();
            Seen << Box->windowTitle() << Box->text() << Buttons;
            QTest::keyClick(Box, Key);
        });
        TDialogPrompts Prompts;
        QCOMPARE(Prompts.AskSaveChanges(nullptr), Answer);
        QCOMPARE(Seen, QStringList({"Confirm", "Changes are not saved! Save them now?", "&No",
                                    "&Yes", "Cancel"}));
    }
}

void TestFormMain::DialogFilterAndSuffix() {
    QCOMPARE(DialogFilter("Tessmira (*.TSM)|*.TSM"), QStringLiteral("Tessmira (*.TSM)"));
    QCOMPARE(DialogFilter("Pictures|*.png;*.bmp|All|*"),
             QStringLiteral("Pictures (*.png *.bmp);;All (*)"));
    QCOMPARE(DialogSuffix("*.TSM"), QStringLiteral("TSM"));
}

// Zoom in and out step through the levels (100 -> 125 -> 150), Actual size goes back to 100,
// Ctrl and the wheel over the page step too, and Fit page shows the whole page. Items and the
// page follow on the surface; their stored bounds and the modified state do not change, and the
// status bar shows the zoom.
void TestFormMain::ZoomIsAViewChange() {
    TWindow W;
    TFormMain& F = W.Form;
    F.A_BarcodeItem->trigger();
    auto* Item = F.Page()->findChild<TBarcodeItem*>();
    QVERIFY(Item != nullptr);
    F.SetModified(false);
    const auto Stored = [Item] {
        const TPrintableSize& S = Item->Size();
        return QStringLiteral("%1 %2 %3 %4")
            .arg(double(S.NativeValue(TPrintableSize::svLeft)))
            .arg(double(S.NativeValue(TPrintableSize::svTop)))
            .arg(double(S.NativeValue(TPrintableSize::svWidth)))
            .arg(double(S.NativeValue(TPrintableSize::svHeight)));
    };
    const QString Before = Stored();
    const auto Key = [&F](Qt::Key K) {
        return [&F, K] { QTest::keyClick(&F, K, Qt::ControlModifier); };
    };
    const auto Wheel = [Item](int Delta) {
        return [Item, Delta] {
            const QPointF At(5, 5);
            QWheelEvent Event(At, Item->mapToGlobal(At), QPoint(), QPoint(0, Delta), Qt::NoButton,
                              Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(Item, &Event);
        };
    };
    struct TRow {
        const char* Name;
        std::function<void()> Act;
        int Zoom; // 0: whatever fits
    };
    const TRow Rows[] = {
        {"Ctrl++", Key(Qt::Key_Plus), 125},
        {"Ctrl++ again", Key(Qt::Key_Plus), 150},
        {"Ctrl+-", Key(Qt::Key_Minus), 125},
        {"Ctrl+0", Key(Qt::Key_0), 100},
        {"Ctrl and the wheel up", Wheel(120), 125},
        {"Ctrl and the wheel down", Wheel(-120), 100},
        {"Fit page", [&F] { F.A_ZoomFit->trigger(); }, 0},
    };
    for (const TRow& Row : Rows) {
        Idle();
        Row.Act();
        Idle();
        const int Zoom = F.Page()->Zoom();
        if (Row.Zoom != 0) {
            QCOMPARE(Zoom, Row.Zoom);
            // The inserted item is 100 x 50 pixels at 100 %.
            QCOMPARE(Item->width(), 100 * Zoom / 100);
        } else {
            const QSize Room = F.DesignPanel1->viewport()->size();
            QVERIFY2(F.Page()->width() <= Room.width() && F.Page()->height() <= Room.height(),
                     Row.Name);
        }
        QCOMPARE(F.L_Zoom->text(), QStringLiteral("%1%").arg(Zoom));
        QCOMPARE(Stored(), Before);
        QVERIFY2(!F.Modified(), Row.Name);
    }
}

QTEST_MAIN(TestFormMain)
#include "TestFormMain.moc"
