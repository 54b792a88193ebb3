#pragma once

#include "app/TPrompts.h"
#include "docops/DocumentFile.h"
#include "docops/PageDescription.h"
#include "document/TReportPage.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <string>

// The window's settings (recent files, its place) go to Qt's test locations, never the user's.
inline const bool SettingsInTestMode = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

// Errors are recorded; the unsaved-changes question is counted and answered from SaveAnswers, then
// SaveDefault; file dialogs take the names of FileAnswers in turn (nullopt: the user cancels),
// then FileAnswer, cancelled when that is empty; the print dialog is answered by PrintDialog,
// cancelled without; the printer to choose is PrinterAnswer, cancelled when that is empty.
class TRecordingPrompts : public TPrompts {
public:
    QStringList Errors;
    std::deque<TSaveAnswer> SaveAnswers;
    TSaveAnswer SaveDefault = saNo;
    std::deque<std::optional<QString>> FileAnswers;
    QString FileAnswer;
    QList<TFileNamePrompt> FilePrompts; // every file dialog asked for
    QStringList StartNames;             // the name each file dialog started with
    int PdfQuestions = 0;
    QString PdfReason; // why the last question offered a PDF file
    bool PdfAnswer = false;
    QStringList PrinterChoices; // what the last printer choice offered
    QString PrinterAnswer;
    int PrintDialogs = 0;
    TPrintDialogRequest LastRequest;
    std::function<bool(QPrinter&)> PrintDialog;
    int ResolutionAnswer = 0; // 0: the resolution prompt is cancelled
    int ResolutionAsked = 0;  // the resolution the prompt offered

    int SaveQuestions = 0;

    TSaveAnswer AskSaveChanges(QWidget*) override {
        ++SaveQuestions;
        if (SaveAnswers.empty())
            return SaveDefault;
        const TSaveAnswer Answer = SaveAnswers.front();
        SaveAnswers.pop_front();
        return Answer;
    }
    bool GetFileName(QWidget*, QString& Name, const TFileNamePrompt& Prompt) override {
        FilePrompts << Prompt;
        StartNames << Name;
        std::optional<QString> Answer =
            FileAnswer.isEmpty() ? std::nullopt : std::optional(FileAnswer);
        if (!FileAnswers.empty()) {
            Answer = FileAnswers.front();
            FileAnswers.pop_front();
        }
        if (!Answer)
            return false;
        Name = *Answer;
        return true;
    }
    void ShowError(QWidget*, const QString& Text) override { Errors << Text; }
    void ShowAbout(QWidget*, const QString&, const QString&) override {}
    bool AskPrintToPdf(QWidget*, const QString& Reason) override {
        ++PdfQuestions;
        PdfReason = Reason;
        return PdfAnswer;
    }
    bool ChoosePrinter(QWidget*, const QStringList& Names, QString& Name) override {
        PrinterChoices = Names;
        Name = PrinterAnswer;
        return !PrinterAnswer.isEmpty();
    }
    bool AskResolution(QWidget*, int& Dpi) override {
        ResolutionAsked = Dpi;
        if (ResolutionAnswer == 0)
            return false;
        Dpi = ResolutionAnswer;
        return true;
    }
    bool RunPrintDialog(QWidget*, QPrinter& Printer, const TPrintDialogRequest& Request) override {
        ++PrintDialogs;
        LastRequest = Request;
        return PrintDialog && PrintDialog(Printer);
    }
};

// Lets the window wait for input once, as it does between a person's keystrokes: the commands'
// enabled states are worked out then.
inline void Idle() {
    QEventLoop Loop;
    QTimer::singleShot(20, &Loop, &QEventLoop::quit);
    Loop.exec();
}

// Writes the page Json describes (as tessmira-cli build takes it) to Path as Save does, and Csv as
// labels.csv beside it; the document's bytes.
inline std::string WriteLabels(const QString& Path, const char* Json, const char* Csv) {
    QFile Data(QFileInfo(Path).dir().filePath(QStringLiteral("labels.csv")));
    if (!Data.open(QIODevice::WriteOnly) || Data.write(Csv) < 0)
        qWarning("cannot write %s", qPrintable(Data.fileName()));
    Data.close();
    WriteDocument(*BuildDocumentPage(Json), Path);
    const QByteArray Bytes = ReadDocumentFile(Path);
    return Bytes.toStdString();
}
