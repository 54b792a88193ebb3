// Print, Printer setup, New and Open where the print spooler cannot be asked: a socket that is
// not there (no scheduler running), and a scheduler that takes the connection and never answers.
// New pages ask the spooler for the default printer's paper as the program does.

#include "../printing/Spooler.h"
#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "document/StreamClasses.h"
#include "document/TReportPage.h"
#include "printing/Printers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cups/cups.h>

#include <cstdlib>

namespace {

// Points the spooler's clients, this program's threads among them, at Server.
void UseSpooler(const QString& Server) {
    setenv("CUPS_SERVER", Server.toLocal8Bit().constData(), 1);
    cupsSetServer(nullptr);
}

} // namespace

class TestPrintWithoutPrinter : public QObject {
    Q_OBJECT

    TStreamClassRegistration FBarcodeItems{BarcodeItemClass()};
    TSilentScheduler FSilent;

private slots:
    void initTestCase() { UseSpoolerPaperForNewPages(); }
    void WindowGoesOnWithoutTheSpooler_data();
    void WindowGoesOnWithoutTheSpooler();
};

void TestPrintWithoutPrinter::WindowGoesOnWithoutTheSpooler_data() {
    QTest::addColumn<QString>("Server");
    QTest::addColumn<QString>("Reason");
    QTest::addColumn<bool>("Accept");
    const QString NotRunning =
        QStringLiteral("The print spooler (CUPS) is not running at /nonexistent/cups.sock");
    QTest::newRow("not running, PDF declined")
        << QStringLiteral("/nonexistent/cups.sock") << NotRunning << false;
    QTest::newRow("not running, PDF accepted")
        << QStringLiteral("/nonexistent/cups.sock") << NotRunning << true;
    QTest::newRow("not answering")
        << FSilent.Server()
        << "The print spooler (CUPS) at " + FSilent.Server() + " does not answer" << false;
}

// New and Open complete at once (a new page then is A4, as without printers); Ctrl+P says why
// nothing can print and offers a PDF file, which the same run writes; Printer setup says why and
// leaves the page as it was; each within the few seconds the spooler is given.
void TestPrintWithoutPrinter::WindowGoesOnWithoutTheSpooler() {
    QFETCH(QString, Server);
    QFETCH(QString, Reason);
    QFETCH(bool, Accept);
    UseSpooler(Server);
    auto* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    const QTemporaryDir Dir;
    const QString Document = Dir.filePath(QStringLiteral("page.TSM"));
    QElapsedTimer Took;
    Took.start();
    Form.A_BarcodeItem->trigger();
    Prompts->FileAnswer = Document;
    Form.A_SaveAs->trigger();
    Form.A_New->trigger();
    QCOMPARE(Form.Page()->Page().PaperSize(), TPaperSize::A4);
    Form.A_Open->trigger();
    QVERIFY2(Took.elapsed() < 3000, qPrintable(QString::number(Took.elapsed())));
    QCOMPARE(Prompts->Errors, QStringList());

    Prompts->PdfAnswer = Accept;
    Prompts->FileAnswer = Dir.filePath(QStringLiteral("page.pdf"));
    Took.restart();
    QTest::keyClick(&Form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(Prompts->PdfQuestions, 1);
    QCOMPARE(Prompts->PdfReason, Reason);
    QCOMPARE(Prompts->Errors, QStringList());
    QCOMPARE(QFile::exists(Prompts->FileAnswer), Accept);
    if (Accept) {
        QFile Pdf(Prompts->FileAnswer);
        QVERIFY(Pdf.open(QIODevice::ReadOnly));
        QVERIFY(Pdf.read(5) == "%PDF-");
    }
    QVERIFY(!Form.Modified());
    QVERIFY2(Took.elapsed() < 10000, qPrintable(QString::number(Took.elapsed())));

    Form.Page()->PrinterSettings().Copies = 4;
    const TPagePrinterSettings Before = Form.Page()->PrinterSettings();
    Took.restart();
    Form.A_PrinterSetup->trigger();
    QVERIFY2(Took.elapsed() < 10000, qPrintable(QString::number(Took.elapsed())));
    QCOMPARE(Prompts->Errors, QStringList{Reason});
    QCOMPARE(Prompts->PrintDialogs, 0);
    QVERIFY(Form.Page()->PrinterSettings() == Before);
    QCOMPARE(Form.Page()->Tag(), 0);
}

QTEST_MAIN(TestPrintWithoutPrinter)
#include "TestPrintWithoutPrinter.moc"
