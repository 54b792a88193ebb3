// Open, Save and Save as with real files, and what a failure part-way leaves behind.

#include "AppTestSupport.h"
#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "app/TRecentFiles.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "designer/TDesignPanel.h"
#include "docops/DocumentFile.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <deque>
#include <optional>
#include <sys/resource.h>

namespace {

struct TWindow {
    TRecordingPrompts* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};

    void Run(const char* Command) {
        QAction* Action = Form.findChild<QAction*>(QString::fromLatin1(Command));
        QVERIFY2(Action != nullptr, Command);
        Action->setEnabled(true);
        Action->trigger();
    }
};

QByteArray Contents(const QString& Path) {
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

void WriteFile(const QString& Path, const QByteArray& Bytes) {
    QFile File(Path);
    QVERIFY(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
}

// Lets no file of this process grow beyond Limit bytes while it lives: writes past it fail as
// on a full disk.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Limit) {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Lower = FOld;
        Lower.rlim_cur = Limit;
        setrlimit(RLIMIT_FSIZE, &Lower);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};

} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT

    TStreamClassRegistration FBarcodeItems{BarcodeItemClass()};

private slots:
    void SaveAndOpenRoundTrip() {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("page.TSM"));
        TWindow W;
        W.Form.Page()->SetTag(7);
        auto* Item = new TBarcodeItem(W.Form.Page());
        Item->SetParent(W.Form.Page());
        Item->SetBounds(20, 30, 150, 60);
        Item->SetBarcodeText("590123412345");
        W.Form.SetModified(true);
        W.Prompts->FileAnswers = {Path};
        W.Run("A_Save");
        QCOMPARE(W.Prompts->Errors, QStringList());
        QCOMPARE(W.Form.FileName(), Path);
        QVERIFY(!W.Form.Modified());
        QCOMPARE(W.Form.windowTitle(), QStringLiteral("Tessmira [") + Path + "]");
        const QByteArray Saved = Contents(Path);
        QCOMPARE(Saved.toStdString(), WritePageStream(*W.Form.Page()));

        // Scrolling the design surface moves the page widget, not the page: it stays at 0, 0.
        W.Form.resize(300, 300);
        W.Form.show();
        W.Form.DesignPanel1->horizontalScrollBar()->setValue(120);
        W.Form.DesignPanel1->verticalScrollBar()->setValue(200);
        QVERIFY(W.Form.Page()->y() != 0);
        W.Run("A_Save");
        QCOMPARE(Contents(Path), Saved);

        W.Run("A_New");
        QCOMPARE(W.Form.Page()->Tag(), 0);
        W.Prompts->FileAnswers = {Path};
        W.Run("A_Open");
        QCOMPARE(W.Prompts->Errors, QStringList());
        QCOMPARE(W.Form.Page()->Tag(), 7);
        const auto Items = W.Form.Page()->findChildren<TBarcodeItem*>();
        QCOMPARE(Items.size(), 1);
        QCOMPARE(Items[0]->geometry(), QRect(20, 30, 150, 60));
        QCOMPARE(Items[0]->BarcodeText(), std::string("590123412345"));
        QCOMPARE(W.Form.FileName(), Path);
        QCOMPARE(W.Form.windowTitle(), QStringLiteral("Tessmira [") + Path + "]");
        QCOMPARE(WritePageStream(*W.Form.Page()), Saved.toStdString());
    }

    // A file that fails part-way through reading leaves the current page, its file name, the
    // caption and the modified state exactly as they were, and says why.
    void FailedOpenChangesNothing() {
        QTemporaryDir Dir;
        const QString Good = Dir.filePath(QStringLiteral("good.TSM"));
        const QString Damaged = Dir.filePath(QStringLiteral("damaged.TSM"));
        TWindow W;
        W.Prompts->FileAnswers = {Good};
        W.Run("A_SaveAs");
        const QByteArray Saved = Contents(Good);
        WriteFile(Damaged, Saved.left(Saved.indexOf("Page.Values") + 40));

        W.Form.Page()->SetTag(3);
        W.Form.SetModified(true);
        TReportPage* Before = W.Form.Page();
        const QString Caption = W.Form.windowTitle();
        const struct {
            QString Path;
            QString Error;
        } Cases[] = {
            {Damaged, QStringLiteral("Error reading TQuickRep.Page.Values: Stream read error")},
            {Dir.filePath(QStringLiteral("missing.TSM")),
             QStringLiteral("Cannot open file \"") + Dir.filePath(QStringLiteral("missing.TSM")) +
                 "\". No such file or directory"},
        };
        for (const auto& Case : Cases) {
            W.Prompts->Errors.clear();
            W.Prompts->FileAnswers = {Case.Path};
            W.Run("A_Open");
            QCOMPARE(W.Prompts->Errors, QStringList{Case.Error});
            QCOMPARE(W.Form.Page(), Before);
            QCOMPARE(W.Form.Page()->Tag(), 3);
            QCOMPARE(W.Form.FileName(), Good);
            QCOMPARE(W.Form.windowTitle(), Caption);
            QVERIFY(W.Form.Modified());
        }
        // And the next Save still writes the page being edited over the good file.
        W.Run("A_Save");
        QVERIFY(Contents(Good) != Saved);
        QCOMPARE(Contents(Good).toStdString(), WritePageStream(*Before));
    }

    // "tessmira FILE": the window opens the file, kept by its whole path; a file it cannot open
    // is named in the message and leaves a new page.
    void StartupFileIsOpenedOrNamed() {
        QTemporaryDir Dir;
        const QString Good = Dir.filePath(QStringLiteral("good.TSM"));
        const QString Damaged = Dir.filePath(QStringLiteral("damaged.TSM"));
        const QString Missing = Dir.filePath(QStringLiteral("missing.TSM"));
        WriteFile(Good, QByteArray::fromStdString(WritePageStream(*NewDocumentPage())));
        WriteFile(Damaged, Contents(Good).left(Contents(Good).indexOf("Page.Values") + 40));
        const QString Cwd = QDir::currentPath();
        QDir::setCurrent(Dir.path());
        const struct {
            QString File;
            QString FileName;
            QStringList Errors;
        } Cases[] = {
            {Good, Good, {}},
            {QStringLiteral("good.TSM"), Good, {}},
            // The reader's message, as File > Open shows it, after the name.
            {QStringLiteral("damaged.TSM"),
             QString(),
             {QStringLiteral("Cannot open damaged.TSM: Error reading TQuickRep.Page.Values: "
                             "Stream read error")}},
            // Names the file already.
            {QStringLiteral("missing.TSM"),
             QString(),
             {QStringLiteral("Cannot open file \"") + Missing + "\". No such file or directory"}},
        };
        for (const auto& Case : Cases) {
            TWindow W;
            W.Form.OpenStartupFile(Case.File);
            QCOMPARE(W.Prompts->Errors, Case.Errors);
            QCOMPARE(W.Form.FileName(), Case.FileName);
            QVERIFY(!W.Form.Modified());
        }
        QDir::setCurrent(Cwd);
    }

    // A save that the file system refuses part-way leaves the previous file byte for byte as it
    // was, leaves no temporary file behind, and keeps the document modified.
    void FailedSaveKeepsTheOldFile() {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("page.TSM"));
        TWindow W;
        W.Prompts->FileAnswers = {Path};
        W.Run("A_SaveAs");
        const QByteArray Saved = Contents(Path);
        QVERIFY(Saved.size() > 1000);

        W.Form.Page()->Description() = TStrings(200, std::string(100, 'x'));
        W.Form.SetModified(true);
        {
            const TFileSizeLimit Limit(512);
            W.Run("A_Save");
        }
        QCOMPARE(W.Prompts->Errors, QStringList{QString::fromLatin1(Msg::StreamWriteError)});
        QCOMPARE(Contents(Path), Saved);
        QCOMPARE(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.TSM")});
        QVERIFY(W.Form.Modified());

        // A file that cannot be created at all names the file and the system's reason.
        W.Prompts->Errors.clear();
        const QString Nowhere = Dir.filePath(QStringLiteral("no/such/dir/page.TSM"));
        W.Prompts->FileAnswers = {Nowhere};
        W.Run("A_SaveAs");
        QCOMPARE(W.Prompts->Errors.size(), 1);
        QVERIFY2(W.Prompts->Errors[0].startsWith(QStringLiteral("Cannot create file \"") + Nowhere +
                                                 "\". "),
                 qPrintable(W.Prompts->Errors[0]));
        QCOMPARE(W.Form.FileName(), Path);
    }

    void OpenRecentListsWhatWasOpenedAndSaved();
};

// Save as and Open put their documents at the top of File > Open Recent, newest first and each
// once; choosing one opens it; one that is gone leaves the list with a message; Clear list
// empties it. The list is the settings' and outlives the window.
void TestDocumentCommands::OpenRecentListsWhatWasOpenedAndSaved() {
    TRecentFiles().Clear();
    QTemporaryDir Dir;
    const QString A = Dir.filePath(QStringLiteral("a.TSM"));
    const QString B = Dir.filePath(QStringLiteral("b.TSM"));
    const QString C = Dir.filePath(QStringLiteral("c.TSM"));
    {
        TWindow W;
        for (const QString& Name : {A, B, C}) {
            W.Prompts->FileAnswers.push_back(Name);
            W.Run("A_SaveAs");
        }
        W.Prompts->FileAnswers.push_back(A);
        W.Run("A_Open");
    }
    TWindow W;
    const auto Entries = [&W] {
        QStringList Names;
        for (const QAction* Entry : W.Form.M_Recent->actions())
            if (Entry->data().isValid())
                Names << Entry->data().toString();
        return Names;
    };
    const auto Choose = [&W](const QString& Name) {
        for (QAction* Entry : W.Form.M_Recent->actions())
            if (Entry->data().toString() == Name) {
                Entry->trigger();
                return;
            }
    };
    QCOMPARE(Entries(), QStringList({A, C, B}));
    QVERIFY(QFile::remove(C));
    Choose(C);
    QCOMPARE(
        W.Prompts->Errors,
        QStringList{"The file \"" + C + "\" is no longer there; it has been taken off the list"});
    QCOMPARE(Entries(), QStringList({A, B}));
    Choose(B);
    QCOMPARE(W.Form.FileName(), B);
    QCOMPARE(Entries(), QStringList({B, A}));
    for (QAction* Entry : W.Form.M_Recent->actions())
        if (Entry->text() == QStringLiteral("Clear list")) {
            Entry->trigger();
            break;
        }
    QCOMPARE(Entries(), QStringList());
    QCOMPARE(TRecentFiles().Files(), QStringList());
}

QTEST_MAIN(TestDocumentCommands)
#include "TestDocumentCommands.moc"
