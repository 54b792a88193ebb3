#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

// tessmira-cli run as a user runs it: its exit code and what it wrote.
struct TCliRun {
    int ExitCode = -1;
    QByteArray Out;
    QString Err;
};

// Runs the built tessmira-cli with Arguments, Input on its standard input, in a metric locale
// (new pages are A4 in millimetres) and the process's environment with Extra over it.
inline TCliRun RunCli(const QStringList& Arguments, const QByteArray& Input = {},
                      const QProcessEnvironment& Extra = {}) {
    QProcess Cli;
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    Environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (const QString& Name : Extra.keys())
        Environment.insert(Name, Extra.value(Name));
    Cli.setProcessEnvironment(Environment);
    Cli.start(QStringLiteral(TESSMIRA_BINARY_DIR "/tools/tessmira-cli"), Arguments);
    if (!Input.isEmpty())
        Cli.write(Input);
    Cli.closeWriteChannel();
    TCliRun Run;
    if (!Cli.waitForFinished(120000) || Cli.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "tessmira-cli did not run: " << Cli.errorString().toStdString();
        return Run;
    }
    Run.ExitCode = Cli.exitCode();
    Run.Out = Cli.readAllStandardOutput();
    Run.Err = QString::fromUtf8(Cli.readAllStandardError());
    return Run;
}
