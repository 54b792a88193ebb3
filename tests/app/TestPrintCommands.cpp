// Print, Print preview, Print to PDF and Printer setup as a person uses them, through the real
// spooler's cups-pdf queue (tests/printing/cups-setup.sh); each print is read back with zbarimg.

#include "../barcode/Decode.h"
#include "../printing/LabelPrinters.h"
#include "../printing/SamplePage.h"
#include "../printing/Spooler.h"
#include "AppTestSupport.h"

#include "app/TFormMain.h"
#include "app/TPrompts.h"
#include "common/Messages.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/TReportPage.h"
#include "panels/TFormPageProps.h"
#include "panels/TPanelFields.h"
#include "printing/TPrintProgressForm.h"
#include "printing/TPrintSetupDialog.h"

#include <QComboBox>
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

    // The spooler's job id from the status bar's "The page went to Printer as job N".
    std::int32_t SentJob(const QString& Printer = QStringLiteral("TessmiraPDF")) const {
        const QRegularExpression Sent("^The page went to " + Printer + " as job (\\d+)$");
        const QRegularExpressionMatch M = Sent.match(Form.statusBar()->currentMessage());
        return M.hasMatch() ? M.captured(1).toInt() : 0;
    }

    // The document Json describes (as tessmira-cli build takes it) opened as a user opens one.
    void OpenLabels(const char* Json) {
        Prompts->FileAnswer = Dir.filePath(QStringLiteral("labels.TSM"));
        WriteLabels(Prompts->FileAnswer, Json, "sku\n1\n");
        Form.A_Open->trigger();
        Prompts->FileAnswer.clear();
    }
};

// A 4 x 2 in label with one Code 128 symbol.
constexpr const char* LabelJson = R"({"properties": {"Page.PaperSize": "Custom",
    "Page.Values": [0, 508, 0, 1016, 0, 0, 0]}, "items": [{"properties": {"BarcodeType":
    "bcCode128B", "BarcodeText": "Tessmira-42"}, "bounds": [16, 16, 200, 100]}]})";

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
    void LabelPrinterChosenInSetupPrintsThere();
    void SetupChangesShowInThePagePanel();
    void WithoutADefaultTheUserChooses();
    void ThePrinterIsKeptByItsName();
    void AStoppedPrinterIsSaid();
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

// Printer setup chooses the Zebra label printer and, among its driver's options, a darkness of
// 25; Print then sends the label there, drawn at its 203 dpi: the driver's ZPL sets the darkness
// (~SD25), the label is 4 x 2 in of dots (812 x 406) and its symbol reads where it stands.
void TestPrintCommands::LabelPrinterChosenInSetupPrintsThere() {
    TWindow W;
    W.OpenLabels(LabelJson);
    W.Prompts->PrintDialog = [](QPrinter& Printer) {
        Printer.setPrinterName(QStringLiteral("Zebra203"));
        SetPrinterDriverOptions(Printer, {{"Darkness", "25"}});
        return true;
    };
    W.Form.A_PrinterSetup->trigger();
    QCOMPARE(W.Form.Page()->PrinterSettings().PrinterName, std::string("Zebra203"));
    QCOMPARE(W.Form.Page()->Page().PaperSize(), TPaperSize::Custom); // the label's, kept
    QTest::keyClick(&W.Form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(W.Prompts->Errors, QStringList());
    const std::int32_t Job = W.SentJob(QStringLiteral("Zebra203"));
    QVERIFY2(Job > 0, qPrintable(W.Form.statusBar()->currentMessage()));
    const QByteArray Zpl = WaitForPrinterFile(Job, QStringLiteral("Zebra203"));
    QVERIFY(Zpl.startsWith("~SD25"));
    const std::vector<QImage> Labels = ZplLabels(Zpl);
    QCOMPARE(int(Labels.size()), 1);
    QCOMPARE(Labels[0].size(), QSize(812, 406));
    const TPrintable& Item = *W.Form.Page()->findChild<TPrintable*>();
    QCOMPARE(DecodeImage(OnWhitePage(Labels[0].copy(SheetRect(Item, 203, 25)), 50)),
             std::vector<std::string>{"Tessmira-42"});
}

// What Printer setup changed shows in the page panel, so that the panel's next edit keeps it: a
// landscape A4 page is 297 mm wide, and a margin typed in the panel leaves it so.
void TestPrintCommands::SetupChangesShowInThePagePanel() {
    TWindow W;
    W.Prompts->PrintDialog = [](QPrinter& Printer) {
        Printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    W.Form.A_PrinterSetup->trigger();
    TFormPageProps& Panel = *W.Form.FormPageProps;
    QCOMPARE(Panel.CB_Orientation->currentIndex(), int(poLandscape));
    Panel.E_MTop->setFocus();
    Panel.E_MTop->selectAll();
    QTest::keyClicks(Panel.E_MTop, QStringLiteral("12"));
    QTest::keyClick(Panel.E_MTop, Qt::Key_Return);
    QCOMPARE(W.Form.Page()->Page().NativeValue(TPageGeometry::pvTopMargin), 120.0L);
    QCOMPARE(W.Form.Page()->Page().Orientation(), poLandscape);
    QCOMPARE(W.Form.Page()->Page().NativeValue(TPageGeometry::pvWidth), 2970.0L);
}

// With printers but none the default, Print offers them to choose from and prints on the one
// chosen; Printer setup opens on the first of them.
void TestPrintCommands::WithoutADefaultTheUserChooses() {
    const TNoDefaultPrinter NoDefault;
    TWindow W;
    QString Shown;
    W.Prompts->PrintDialog = [&Shown](QPrinter& Printer) {
        Shown = Printer.printerName();
        return false;
    };
    W.Form.A_PrinterSetup->trigger();
    QCOMPARE(Shown, QStringLiteral("Dymo300"));
    W.Form.A_Print->trigger(); // cancelled: nothing chosen
    QCOMPARE(W.Prompts->PrinterChoices, QStringList({"Dymo300", "TessmiraPDF", "Zebra203"}));
    QCOMPARE(W.SentJob(), 0);
    W.Prompts->PrinterAnswer = QStringLiteral("TessmiraPDF");
    W.Form.A_Print->trigger();
    QCOMPARE(W.Prompts->Errors, QStringList());
    QVERIFY(!WaitForPrintedPdf(W.SentJob()).isEmpty());
}

// The printer chosen in Printer setup is kept by its name: a queue that comes first in the list
// since does not take its place, and one that has gone since is said before anything prints.
void TestPrintCommands::ThePrinterIsKeptByItsName() {
    TWindow W;
    AddQueue(QStringLiteral("Leaving"));
    W.Prompts->PrintDialog = [](QPrinter& Printer) {
        Printer.setPrinterName(QStringLiteral("TessmiraPDF"));
        return true;
    };
    W.Form.A_PrinterSetup->trigger();
    AddQueue(QStringLiteral("AComingFirst"));
    W.Form.A_Print->trigger();
    DeleteQueue(QStringLiteral("AComingFirst"));
    QCOMPARE(W.Prompts->Errors, QStringList());
    QVERIFY(!WaitForPrintedPdf(W.SentJob()).isEmpty());
    W.Prompts->PrintDialog = [](QPrinter& Printer) {
        Printer.setPrinterName(QStringLiteral("Leaving"));
        return true;
    };
    W.Form.A_PrinterSetup->trigger();
    DeleteQueue(QStringLiteral("Leaving"));
    const std::size_t Jobs = SpoolerJobCount();
    W.Form.statusBar()->clearMessage();
    W.Form.A_Print->trigger();
    QCOMPARE(W.Prompts->Errors,
             QStringList{"The printer \"Leaving\" chosen in Printer setup is no longer installed"});
    QCOMPARE(SpoolerJobCount(), Jobs);
}

// A job for a stopped printer goes to the spooler, and the status bar says that the printer is
// stopped and why.
void TestPrintCommands::AStoppedPrinterIsSaid() {
    TWindow W;
    QVERIFY(RunCupsCommand(QStringLiteral("cupsdisable"), {QStringLiteral("TessmiraPDF")}));
    W.Form.A_Print->trigger();
    RunCupsCommand(QStringLiteral("cupsenable"), {QStringLiteral("TessmiraPDF")});
    const QRegularExpressionMatch Said =
        QRegularExpression(QStringLiteral("^The page went to TessmiraPDF as job (\\d+), but the "
                                          "printer is stopped \\(paused\\): it prints once the "
                                          "printer is started again$"))
            .match(W.Form.statusBar()->currentMessage());
    QVERIFY2(Said.hasMatch(), qPrintable(W.Form.statusBar()->currentMessage()));
    QVERIFY(!WaitForPrintedPdf(Said.captured(1).toInt()).isEmpty());
}

QTEST_MAIN(TestPrintCommands)
#include "TestPrintCommands.moc"
