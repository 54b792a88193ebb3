#include "app/TPrompts.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "printing/GraphicExport.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

TSaveAnswer TDialogPrompts::AskSaveChanges(QWidget* Parent) {
    QMessageBox Box(QMessageBox::Question, QString::fromUtf8(Msg::ConfirmCaption),
                    QString::fromUtf8(Msg::SaveChangesQuestion), QMessageBox::NoButton, Parent);
    QPushButton* Yes = Box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* No = Box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* Cancel = Box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    Box.setDefaultButton(Yes);
    Box.setEscapeButton(Cancel);
    Box.exec();
    if (Box.clickedButton() == Yes)
        return saYes;
    if (Box.clickedButton() == No)
        return saNo;
    return saCancel;
}

bool TDialogPrompts::GetFileName(QWidget* Parent, QString& FileName,
                                 const TFileNamePrompt& Prompt) {
    QFileDialog Dialog(Parent, Prompt.Title, Prompt.InitialDir, DialogFilter(Prompt.Filter));
    Dialog.setAcceptMode(Prompt.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    Dialog.setFileMode(Prompt.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    Dialog.setDefaultSuffix(DialogSuffix(Prompt.DefaultExt));
    if (!FileName.isEmpty())
        Dialog.selectFile(FileName);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return false;
    FileName = Dialog.selectedFiles().constFirst();
    return true;
}

void TDialogPrompts::ShowError(QWidget* Parent, const QString& Text) {
    QMessageBox::critical(Parent, QApplication::applicationDisplayName(), Text);
}

void TDialogPrompts::ShowAbout(QWidget* Parent, const QString& Title, const QString& Text) {
    QMessageBox::about(Parent, Title, Text);
}

QString DialogFilter(const QString& Filter) {
    const QStringList Parts = Filter.split(QLatin1Char('|'));
    QStringList Filters;
    for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
        QString Patterns = Parts[I + 1];
        Patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString& Description = Parts[I];
        Filters << (Description.contains(QLatin1Char('(')) ? Description
                                                           : Description + " (" + Patterns + ")");
    }
    return Filters.join(QStringLiteral(";;"));
}

QString DialogSuffix(const QString& DefaultExt) {
    QString Suffix = DefaultExt;
    while (Suffix.startsWith(QLatin1Char('*')) || Suffix.startsWith(QLatin1Char('.')))
        Suffix.remove(0, 1);
    return Suffix;
}

bool TDialogPrompts::AskResolution(QWidget* Parent, int& Dpi) {
    bool Ok = false;
    const int Chosen = QInputDialog::getInt(Parent, QString::fromUtf8(Msg::ExportGraphicCaption),
                                            QString::fromUtf8(Msg::ExportResolutionPrompt), Dpi,
                                            MinGraphicDpi, MaxGraphicDpi, 1, &Ok);
    if (Ok)
        Dpi = Chosen;
    return Ok;
}

bool TDialogPrompts::AskPrintToPdf(QWidget* Parent, const QString& Reason) {
    return QMessageBox::question(
               Parent, QApplication::applicationDisplayName(),
               QString::fromStdString(Format(Msg::PrintToPdfQuestion, {Reason.toStdString()})),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool TDialogPrompts::ChoosePrinter(QWidget* Parent, const QStringList& Names, QString& Name) {
    bool Ok = false;
    const QString Chosen =
        QInputDialog::getItem(Parent, QString::fromUtf8(Msg::ChoosePrinterCaption),
                              QString::fromUtf8(Msg::ChoosePrinterPrompt), Names, 0, false, &Ok);
    if (Ok)
        Name = Chosen;
    return Ok && !Chosen.isEmpty();
}

bool TDialogPrompts::RunPrintDialog(QWidget* Owner, QPrinter& Printer,
                                    const TPrintDialogRequest& Request) {
    return ExecPlatformPrintDialog(Owner, Printer, Request);
}
