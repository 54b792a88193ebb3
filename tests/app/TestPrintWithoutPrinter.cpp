// Print and Printer setup on a machine without printers: the spooler is pointed at a socket that
// is not there before anything asks it, so that no printer is listed and none is the default.

#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "document/StreamClasses.h"
#include "document/TReportPage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace {
const bool NoSpooler = setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1) == 0;
}

class TestPrintWithoutPrinter : public QObject {
    Q_OBJECT

    TStreamClassRegistration FBarcodeItems{BarcodeItemClass()};

private slots:
    void PrintOffersPdf_data();
    void PrintOffersPdf();
    void PrinterSetupSaysThereIsNoDefault();
};

void TestPrintWithoutPrinter::PrintOffersPdf_data() {
    QTest::addColumn<bool>("Accept");
    QTest::newRow("declined") << false;
    QTest::newRow("accepted") << true;
}

// Ctrl+P says that no printer is installed and offers a PDF file, which the same run writes.
void TestPrintWithoutPrinter::PrintOffersPdf() {
    QFETCH(bool, Accept);
    QVERIFY(NoSpooler);
    auto* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};
    Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form));
    Form.A_BarcodeItem->trigger();
    Form.SetModified(false);
    const QTemporaryDir Dir;
    Prompts->PdfAnswer = Accept;
    Prompts->FileAnswer = Dir.filePath(QStringLiteral("page.pdf"));
    QTest::keyClick(&Form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(Prompts->PdfQuestions, 1);
    QCOMPARE(Prompts->Errors, QStringList());
    QCOMPARE(QFile::exists(Prompts->FileAnswer), Accept);
    if (Accept) {
        QFile Pdf(Prompts->FileAnswer);
        QVERIFY(Pdf.open(QIODevice::ReadOnly));
        QVERIFY(Pdf.read(5) == "%PDF-");
    }
    QVERIFY(!Form.Modified());
}

// Printer setup on the default printer, when there is none: the message, and the page as it was.
void TestPrintWithoutPrinter::PrinterSetupSaysThereIsNoDefault() {
    auto* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};
    Form.Page()->PrinterSettings().Copies = 4;
    const TPagePrinterSettings Before = Form.Page()->PrinterSettings();
    Form.A_PrinterSetup->trigger();
    QCOMPARE(Prompts->Errors, QStringList{"There is no default printer currently selected"});
    QCOMPARE(Prompts->PrintDialogs, 0);
    QVERIFY(Form.Page()->PrinterSettings() == Before);
    QCOMPARE(Form.Page()->Tag(), 0);
}

QTEST_MAIN(TestPrintWithoutPrinter)
#include "TestPrintWithoutPrinter.moc"
