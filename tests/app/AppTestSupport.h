#pragma once

#include "app/TPrompts.h"

#include <QEventLoop>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include <functional>

// The window's settings (recent files, its place) go to Qt's test locations, never the user's.
inline const bool SettingsInTestMode = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

// Errors are recorded; the unsaved-changes question is counted and answered No, file dialogs are
// cancelled unless FileAnswer is set, and the print dialog is answered by PrintDialog, cancelled
// without.
class TRecordingPrompts : public TPrompts {
public:
    QStringList Errors;
    QString FileAnswer;
    int PdfQuestions = 0;
    bool PdfAnswer = false;
    int PrintDialogs = 0;
    TPrintDialogRequest LastRequest;
    std::function<bool(QPrinter&)> PrintDialog;
    int ResolutionAnswer = 0; // 0: the resolution prompt is cancelled
    int ResolutionAsked = 0;  // the resolution the prompt offered

    int SaveQuestions = 0;

    TSaveAnswer AskSaveChanges(QWidget*) override {
        ++SaveQuestions;
        return saNo;
    }
    bool GetFileName(QWidget*, QString& Name, const TFileNamePrompt&) override {
        if (FileAnswer.isEmpty())
            return false;
        Name = FileAnswer;
        return true;
    }
    void ShowError(QWidget*, const QString& Text) override { Errors << Text; }
    void ShowAbout(QWidget*, const QString&, const QString&) override {}
    bool AskPrintToPdf(QWidget*) override {
        ++PdfQuestions;
        return PdfAnswer;
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
