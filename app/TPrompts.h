#pragma once

#include "printing/TPrintSetupDialog.h"

#include <QString>
#include <QStringList>

class QWidget;

enum TSaveAnswer { saYes, saNo, saCancel };

// What the file-name prompt shows; Filter uses "description|pattern" pairs.
struct TFileNamePrompt {
    QString Filter;
    QString DefaultExt;
    QString Title;
    QString InitialDir;
    bool Save = false;
};

// The questions, messages and dialogs the main window puts to the user; tests answer them.
class TPrompts : public TPrintDialogPrompt {
public:
    virtual ~TPrompts() = default;
    // "Confirm": "Changes are not saved! Save them now?"; closing the box answers saCancel.
    virtual TSaveAnswer AskSaveChanges(QWidget* Parent) = 0;
    // FileName goes in and, when the user confirms, comes back as the chosen full name.
    virtual bool GetFileName(QWidget* Parent, QString& FileName, const TFileNamePrompt& Prompt) = 0;
    virtual void ShowError(QWidget* Parent, const QString& Text) = 0;
    virtual void ShowAbout(QWidget* Parent, const QString& Title, const QString& Text) = 0;
    // Why nothing can print ("No printer is installed", the spooler's state), then "Print the
    // page to a PDF file instead?"; true for Yes.
    virtual bool AskPrintToPdf(QWidget* Parent, const QString& Reason) = 0;
    // "There is no default printer. Print on:" with the printers to choose from; Name comes
    // back as the chosen one when the user confirms.
    virtual bool ChoosePrinter(QWidget* Parent, const QStringList& Names, QString& Name) = 0;
    // The resolution of an exported graphic: Dpi goes in and, when the user confirms, comes back
    // as the chosen one.
    virtual bool AskResolution(QWidget* Parent, int& Dpi) = 0;
};

// The platform's message boxes and file dialogs.
class TDialogPrompts : public TPrompts {
public:
    TSaveAnswer AskSaveChanges(QWidget* Parent) override;
    bool GetFileName(QWidget* Parent, QString& FileName, const TFileNamePrompt& Prompt) override;
    void ShowError(QWidget* Parent, const QString& Text) override;
    void ShowAbout(QWidget* Parent, const QString& Title, const QString& Text) override;
    bool AskPrintToPdf(QWidget* Parent, const QString& Reason) override;
    bool ChoosePrinter(QWidget* Parent, const QStringList& Names, QString& Name) override;
    bool AskResolution(QWidget* Parent, int& Dpi) override;
    bool RunPrintDialog(QWidget* Owner, QPrinter& Printer,
                        const TPrintDialogRequest& Request) override;
};

// "Tessmira (*.TSM)|*.TSM" becomes the dialog filter "Tessmira (*.TSM)".
QString DialogFilter(const QString& Filter);
// "*.TSM" becomes the suffix "TSM" that the dialog adds to a name typed without one.
QString DialogSuffix(const QString& DefaultExt);
