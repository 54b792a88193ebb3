// Print, Print preview, Print to PDF and Printer setup as a person uses them, through the real
// spooler's cups-pdf queue (tests/printing/cups-setup.sh); each print is read back with zbarimg.

#include "../barcode/Decode.h"
#include "../printing/SamplePage.h"
#include "../printing/Spooler.h"
#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "common/Messages.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/TReportPage.h"
#include "printing/TPrintProgressForm.h"
#include "printing/TPrintSetupDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

namespace {

// The main window with the sample page opened from a document file, as a user opens one.
struct TWindow {
    TRecordingPrompts* Prompts = new TRecordingPrompts;
    TFormMain Form{std::unique_ptr<TPrompts>(Prompts)};
    QTemporaryDir Dir;

    TWindow() {
        TReportPage Sample;
        PlaceSampleItems(Sample);
        const QString Document = Dir.filePath(QStringLiteral("sample.TSM"));
        QFile File(Document);
        if (!File.open(QIODevice::WriteOnly) ||
            File.write(QByteArray::fromStdString(WritePageStream(Sample))) < 0)
            qWarning("cannot write %s", qPrintable(Document));
        File.close();
        Form.show();
        if (!QTest::qWaitForWindowExposed(&Form))
            qWarning("main window not shown");
        Prompts->FileAnswer = Document;
        Form.A_Open->trigger();
        Prompts->FileAnswer.clear();
    }

    // The spooler's job id from the status bar's "The page went to ... as job N".
    std::int32_t SentJob() const {
        static const QRegularExpression Sent(
            QStringLiteral("^The page went to TessmiraPDF as job (\\d+)$"));
        const QRegularExpressionMatch M = Sent.match(Form.statusBar()->currentMessage());
        return M.hasMatch() ? M.captured(1).toInt() : 0;
    }
};

// Print preview as a person opens and closes it; the pages it showed.
int PreviewPages(TFormMain& Form) {
    int Pages = -1;
    QTimer::singleShot(0, [&Pages] {
        auto* Preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (Preview == nullptr)
            return;
        if (auto* Shown = Preview->findChild<QPrintPreviewWidget*>())
            Pages = Shown->pageCount();
        Preview->reject();
    });
    Form.A_PrintPreview->trigger();
    return Pages;
}

// What zbarimg reads on each page of a PDF drawn at 200 dots per inch, symbols joined by "+".
QStringList DecodedSheets(const QString& Pdf) {
    QStringList Sheets;
    for (const QImage& Sheet : RasterizePdf(Pdf, 200)) {
        QStringList Symbols;
        for (const std::string& Symbol : DecodeImage(Sheet))
            Symbols << QString::fromStdString(Symbol);
        Sheets << Symbols.join('+');
    }
    return Sheets;
}

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT

    TStreamClassRegistration FBarcodeItems{BarcodeItemClass()};

private slots:
    void PrintSendsEveryCopyToTheSpooler_data();
    void PrintSendsEveryCopyToTheSpooler();
    void CancelInTheProgressWindowLeavesNoOutput();
    void PreviewAndPdfLeaveTheDocumentAlone();
    void SetupShowsQtsDialogPlacedAndPreset();
    void EveryPrintMakesASheetARecord_data();
    void EveryPrintMakesASheetARecord();
};

void TestPrintCommands::PrintSendsEveryCopyToTheSpooler_data() {
    QTest::addColumn<int>("Copies");
    QTest::newRow("one copy") << 1;
    QTest::newRow("two copies") << 2;
}

// Copies are chosen in Printer setup, then Ctrl+P prints; the spooler's PDF has one A4 sheet a
// copy, each with every item readable where it stands.
void TestPrintCommands::PrintSendsEveryCopyToTheSpooler() {
    QFETCH(int, Copies);
    TWindow W;
    W.Prompts->PrintDialog = [Copies](QPrinter& Printer) {
        Printer.setCopyCount(Copies);
        return true;
    };
    W.Form.A_PrinterSetup->trigger();
    QCOMPARE(W.Prompts->PrintDialogs, 1);
    QCOMPARE(W.Form.Page()->PrinterSettings().Copies, Copies);
    W.Form.SetModified(false);

    QTest::keyClick(&W.Form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(W.Prompts->Errors, QStringList());
    QVERIFY(!W.Form.Modified());
    const std::int32_t Job = W.SentJob();
    QVERIFY2(Job > 0, qPrintable(W.Form.statusBar()->currentMessage()));
    const QString Pdf = WaitForPrintedPdf(Job);
    QVERIFY(!Pdf.isEmpty());
    const std::vector<QSizeF> Sizes = PdfPageSizesMM(Pdf);
    QCOMPARE(int(Sizes.size()), Copies);
    for (const QSizeF& Size : Sizes) {
        QVERIFY(qAbs(Size.width() - 210) < 0.5);
        QVERIFY(qAbs(Size.height() - 297) < 0.5);
    }
    for (const QImage& Sheet : RasterizePdf(Pdf, 300))
        QCOMPARE(SampleSheetFaults(Sheet, *W.Form.Page(), 300), QStringList());
}

// Cancel in the progress window, pressed as soon as the window shows, abandons the document: the
// spooler gets no job and cups-pdf writes no file.
void TestPrintCommands::CancelInTheProgressWindowLeavesNoOutput() {
    TWindow W;
    const std::size_t Jobs = SpoolerJobCount();
    const QStringList Files = QDir(CupsPdfOutput()).entryList(QDir::Files);
    QString Caption;
    QSize Size;
    QString Info;
    QTimer Watch;
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        for (QWidget* Top : QApplication::topLevelWidgets())
            if (auto* Progress = qobject_cast<TPrintProgressForm*>(Top);
                Progress != nullptr && Progress->isVisible() && Caption.isEmpty()) {
                Caption = Progress->windowTitle();
                Size = Progress->size();
                Info = Progress->Info->text();
                QTest::mouseClick(Progress->CancelButton, Qt::LeftButton);
            }
    });
    Watch.start(0);
    QTest::keyClick(&W.Form, Qt::Key_P, Qt::ControlModifier);
    Watch.stop();
    QCOMPARE(Caption, QStringLiteral("Printing progress"));
    QCOMPARE(Size, QSize(149, 97));
    QCOMPARE(Info, QStringLiteral("0%  Completed"));
    QCOMPARE(W.Prompts->Errors, QStringList());
    QCOMPARE(W.SentJob(), 0);
    QCOMPARE(SpoolerJobCount(), Jobs);
    QTest::qWait(500); // what a job would have written by now
    QCOMPARE(QDir(CupsPdfOutput()).entryList(QDir::Files), Files);
}

// The preview shows the page's one sheet; Print to PDF writes it to the chosen file. Neither
// changes the document.
void TestPrintCommands::PreviewAndPdfLeaveTheDocumentAlone() {
    TWindow W;
    QCOMPARE(PreviewPages(W.Form), 1);

    const QString Pdf = W.Dir.filePath(QStringLiteral("copy.pdf"));
    W.Prompts->FileAnswer = Pdf;
    W.Form.A_PrintPdf->trigger();
    QCOMPARE(W.Prompts->Errors, QStringList());
    QCOMPARE(W.Form.statusBar()->currentMessage(), "The page was printed to " + Pdf);
    const std::vector<QImage> Sheets = RasterizePdf(Pdf, 300);
    QCOMPARE(int(Sheets.size()), 1);
    QCOMPARE(SampleSheetFaults(Sheets[0], *W.Form.Page(), 300), QStringList());
    QVERIFY(!W.Form.Modified());
}

// Printer setup through the window's own prompts shows Qt's print dialog: centred across the
// screen with a third of the height it leaves free above it, offering page numbers but neither a
// selection nor a file, preset with the page's copies and orientation, and cancelled here.
void TestPrintCommands::SetupShowsQtsDialogPlacedAndPreset() {
    TWindow W;
    W.Form.Page()->PrinterSettings().Copies = 3;
    W.Form.Page()->Page().SetOrientation(poLandscape);
    TDialogPrompts Platform;
    QRect Placed;
    QRect Screen;
    QString Title;
    QString Confirm;
    QAbstractPrintDialog::PrintDialogOptions Offered;
    int Copies = 0;
    bool Landscape = false;
    QTimer::singleShot(0, [&] {
        auto* Dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (Dialog == nullptr)
            return;
        Placed = Dialog->frameGeometry();
        Screen = Dialog->screen()->geometry();
        Title = Dialog->windowTitle();
        if (auto* Buttons = Dialog->findChild<QDialogButtonBox*>())
            Confirm = Buttons->button(QDialogButtonBox::Ok)->text();
        Offered = Dialog->options();
        Copies = Dialog->printer()->copyCount();
        Landscape = Dialog->printer()->pageLayout().orientation() == QPageLayout::Landscape;
        Dialog->reject();
    });
    PrinterSetup(*W.Form.Page(), Platform, &W.Form);
    QVERIFY(!Placed.isEmpty());
    QCOMPARE(Placed.left(), Screen.left() + (Screen.width() - Placed.width()) / 2);
    QCOMPARE(Placed.top(), Screen.top() + (Screen.height() - Placed.height()) / 3);
    QCOMPARE(Title, QStringLiteral("Printer setup"));
    QCOMPARE(Confirm, QStringLiteral("OK"));
    QVERIFY(Offered.testFlag(QAbstractPrintDialog::PrintPageRange));
    QVERIFY(!Offered.testFlag(QAbstractPrintDialog::PrintSelection));
    QVERIFY(!Offered.testFlag(QAbstractPrintDialog::PrintToFile));
    QCOMPARE(Copies, 3);
    QVERIFY(Landscape);
    QCOMPARE(W.Form.Page()->Tag(), 1);
}

void TestPrintCommands::EveryPrintMakesASheetARecord_data() {
    QTest::addColumn<QByteArray>("Csv");
    // Each sheet's EAN-13: the record's value and its check digit.
    QTest::addColumn<QStringList>("Decoded");
    QTest::addColumn<QString>("Error");
    QTest::newRow("three records")
        << QByteArray("sku\n590123412345\n400638133393\n978014300723\n")
        << QStringList{"5901234123457", "4006381333931", "9780143007234"} << QString();
    QTest::newRow("a letter in the second record")
        << QByteArray("sku\n590123412345\n59012341234A\n400638133393\n") << QStringList()
        << QStringLiteral("Record 2 (line 3), column \"sku\": ") + Msg::BarcodeMustBeNumeric;
}

// A page whose one EAN-13 item takes its text from the column sku of labels.csv, one record a
// sheet: Print preview, Print to PDF and Print each make one sheet a record, in order, or, with a
// record the symbology refuses, say why and print nothing. None of them changes the document.
void TestPrintCommands::EveryPrintMakesASheetARecord() {
    QFETCH(QByteArray, Csv);
    QFETCH(QStringList, Decoded);
    QFETCH(QString, Error);
    TWindow W;
    W.Prompts->FileAnswer = W.Dir.filePath(QStringLiteral("labels.TSM"));
    WriteLabels(W.Prompts->FileAnswer, R"({"properties": {"DataSource": "labels.csv"}, "items": [
        {"properties": {"BarcodeText": "123456789012", "DataField": "sku"},
         "bounds": [100, 100, 300, 150]}]})",
                Csv.constData());
    W.Form.A_Open->trigger();
    QCOMPARE(PreviewPages(W.Form), int(Decoded.size()));
    const QString Pdf = W.Dir.filePath(QStringLiteral("labels.pdf"));
    W.Prompts->FileAnswer = Pdf;
    W.Form.A_PrintPdf->trigger();
    QCOMPARE(QFile::exists(Pdf) ? int(PdfPageSizesMM(Pdf).size()) : 0, int(Decoded.size()));
    QCOMPARE(QFile::exists(Pdf) ? DecodedSheets(Pdf) : QStringList(), Decoded);
    W.Form.A_Print->trigger();
    QCOMPARE(W.SentJob() > 0 ? DecodedSheets(WaitForPrintedPdf(W.SentJob())) : QStringList(),
             Decoded);
    QCOMPARE(W.Prompts->Errors, Error.isEmpty() ? QStringList() : QStringList(3, Error));
    QVERIFY(!W.Form.Modified());
    QCOMPARE(W.Form.UndoStack()->count(), 0);
}

QTEST_MAIN(TestPrintCommands)
#include "TestPrintCommands.moc"
