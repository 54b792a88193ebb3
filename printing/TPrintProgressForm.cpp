#include "printing/TPrintProgressForm.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "printing/TPrintJob.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <string>

TPrintProgressForm::TPrintProgressForm(TPrintJob& Job, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::CustomizeWindowHint),
      FJob(Job) {
    setWindowTitle(QString::fromUtf8(Msg::PrintProgressCaption));
    setFixedSize(149, 97);
    setWindowModality(Qt::ApplicationModal);
    Gauge = new QProgressBar(this);
    Gauge->setGeometry(8, 8, 133, 17);
    Gauge->setRange(0, 100);
    Gauge->setTextVisible(false);
    Info = new QLabel(this);
    Info->setGeometry(8, 32, 133, 17);
    Info->setAlignment(Qt::AlignCenter);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setGeometry(37, 60, 75, 25);
    connect(CancelButton, &QPushButton::clicked, this, [this] { FJob.Cancel(); });
    SetProgress(0);
    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->geometry().center() - rect().center());
}

void TPrintProgressForm::SetProgress(std::int32_t Percent) {
    const std::int32_t Step = Percent - Percent % 5;
    if (Step == FShown)
        return;
    FShown = Step;
    Gauge->setValue(Step);
    Info->setText(QString::fromStdString(Format(Msg::PrintProgressInfo, {std::to_string(Step)})));
}

void TPrintProgressForm::reject() {
    FJob.Cancel();
}
