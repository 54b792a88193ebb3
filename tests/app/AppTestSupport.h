#pragma once

#include "app/TPrompts.h"

#include <QEventLoop>
#include <QStringList>
#include <QTimer>

// Errors are recorded; the unsaved-changes question is answered No, file dialogs are cancelled.
class TRecordingPrompts : public TPrompts {
public:
    QStringList Errors;
    TSaveAnswer AskSaveChanges(QWidget*) override { return saNo; }
    bool GetFileName(QWidget*, QString&, const TFileNamePrompt&) override { return false; }
    void ShowError(QWidget*, const QString& Text) override { Errors << Text; }
    void ShowAbout(QWidget*, const QString&, const QString&) override {}
};

// Lets the window wait for input once, as it does between a person's keystrokes: the commands'
// enabled states are worked out then.
inline void Idle() {
    QEventLoop Loop;
    QTimer::singleShot(20, &Loop, &QEventLoop::quit);
    Loop.exec();
}
