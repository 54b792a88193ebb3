// tessmira-cli print and printers against the real spooler's cups-pdf queue
// (tests/printing/cups-setup.sh): each job's PDF is taken from cups-pdf and read back.

#include "../barcode/Decode.h"
#include "../document/PageTestSupport.h"
#include "../printing/LabelPrinters.h"
#include "../printing/SamplePage.h"
#include "../printing/Spooler.h"
#include "CliRun.h"

#include "document/DocumentStream.h"
#include "document/TReportPage.h"
#include "printing/TPaintDevicePrintJob.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

// The sample page with the paper Shape gives it, saved as a document file.
QString SaveSample(const QTemporaryDir& Dir, const QString& Name,
                   const std::function<void(TReportPage&)>& Shape = {}) {
    const TFixedSystem System(false);
    TReportPage Page;
    PlaceSampleItems(Page);
    if (Shape)
        Shape(Page);
    const QString Path = Dir.filePath(Name);
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) ||
        File.write(QByteArray::fromStdString(WritePageStream(Page))) < 0)
        ADD_FAILURE() << "cannot write " << Path.toStdString();
    return Path;
}

QProcessEnvironment NoSpooler() {
    QProcessEnvironment Environment;
    Environment.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/cups.sock"));
    return Environment;
}

} // namespace

// print hands the page to the spooler and prints the job's id; the PDF that cups-pdf writes has
// a sheet of the paper the printer takes for the page's, one a copy, with every item readable at
// its place. cups-pdf's driver lists no Envelope #9, so that page goes on the driver's A4.
TEST(PrintCli, PrintsOnTheSpooler) {
    const QTemporaryDir Dir;
    const TFixedSystem System(false);
    struct TCase {
        const char* Name;
        std::function<void(TReportPage&)> Shape;
        QStringList Options;
        QSizeF MM;
        int Sheets;
        bool ReadBack; // the sample page as it is, on A4
    };
    const TCase Cases[] = {
        {"a4", {}, {}, {210, 297}, 1, true},
        {"copies", {}, {"--copies", "2"}, {210, 297}, 2, true},
        {"env9",
         [](TReportPage& P) { P.Page().SetPaperSize(TPaperSize::Env9); },
         {},
         {210, 297},
         1,
         false},
        {"custom",
         [](TReportPage& P) {
             P.Page().SetPaperSize(TPaperSize::Custom);
             P.Page().SetWidth(160);
             P.Page().SetLength(150);
         },
         {"--printer", "TessmiraPDF"},
         {160, 150},
         1,
         false},
        // Five numbers into the Code 128 item make five sheets, of which the range takes three.
        {"sequence",
         [](TReportPage& P) { P.findChildren<TBarcodeItem*>().at(1)->SetDataField("#"); },
         {"--sequence", "1:5", "--pages", "2-4"},
         {210, 297},
         3,
         false},
    };
    for (const TCase& C : Cases) {
        const QString Document = SaveSample(Dir, QString::fromLatin1(C.Name) + ".TSM", C.Shape);
        const TCliRun Run = RunCli(QStringList{"print"} + C.Options + QStringList{Document});
        EXPECT_EQ(Run.ExitCode, 0) << C.Name << ": " << Run.Err.toStdString();
        const QRegularExpressionMatch Id =
            QRegularExpression(QStringLiteral("^(\\d+)\n$")).match(QString::fromUtf8(Run.Out));
        ASSERT_TRUE(Id.hasMatch()) << C.Name << ": " << Run.Out.toStdString();
        const QString Pdf = WaitForPrintedPdf(Id.captured(1).toInt());
        ASSERT_FALSE(Pdf.isEmpty()) << C.Name;
        const std::vector<QSizeF> Sizes = PdfPageSizesMM(Pdf);
        ASSERT_EQ(Sizes.size(), std::size_t(C.Sheets)) << C.Name;
        for (const QSizeF& Size : Sizes) {
            EXPECT_NEAR(Size.width(), C.MM.width(), 0.5) << C.Name;
            EXPECT_NEAR(Size.height(), C.MM.height(), 0.5) << C.Name;
        }
        if (C.ReadBack) {
            TReportPage Page;
            PlaceSampleItems(Page);
            for (const QImage& Sheet : RasterizePdf(Pdf, 300))
                EXPECT_EQ(SampleSheetFaults(Sheet, Page, 300).join('\n').toStdString(), "")
                    << C.Name;
        }
    }
}

// What cannot print says why on stderr, exits non-zero and gives the spooler nothing; a scheduler
// that is not there, or takes the connection and never answers, is said to be so within the few
// seconds the spooler is given (far less than the 10 s asked for), and a printer is named when
// there is no default to take.
TEST(PrintCli, FailuresReportTheMessage) {
    const QTemporaryDir Dir;
    const QString Document = SaveSample(Dir, QStringLiteral("sample.TSM"));
    const QString Missing = Dir.filePath(QStringLiteral("missing.TSM"));
    const TSilentScheduler Silent;
    QProcessEnvironment Hangs;
    Hangs.insert(QStringLiteral("CUPS_SERVER"), Silent.Server());
    const QString NoAnswer =
        "The print spooler (CUPS) at " + Silent.Server() + " does not answer\n";
    const QString NotRunning =
        QStringLiteral("The print spooler (CUPS) is not running at /nonexistent/cups.sock\n");
    struct TCase {
        QStringList Arguments;
        QProcessEnvironment Environment;
        QString Err;
        bool NoDefault = false;
    };
    const TCase Cases[] = {
        {{"print", "--printer", "Nope", Document}, {}, "There is no printer named \"Nope\"\n"},
        {{"print", "--pages", "2-3", Document},
         {},
         "Nothing was printed: the page range 2 to 3 leaves out the document's one page\n"},
        {{"print", Missing},
         {},
         "Cannot open file \"" + Missing + "\". No such file or directory\n"},
        {{"print", Document}, NoSpooler(), NotRunning},
        {{"printers"}, NoSpooler(), NotRunning},
        {{"print", Document}, Hangs, NoAnswer},
        {{"printers"}, Hangs, NoAnswer},
        {{"print", "--calibration"}, Hangs, NoAnswer},
        {{"print", "--sequence", "1:3", Document},
         {},
         "No item uses the data source: give an item a data field or a ${column} in a title\n"},
        {{"print", Document},
         {},
         "There is no default printer; choose one of: Dymo300, TessmiraPDF, Zebra203\n",
         true},
    };
    for (const TCase& C : Cases) {
        const std::optional<TNoDefaultPrinter> NoDefault =
            C.NoDefault ? std::make_optional<TNoDefaultPrinter>() : std::nullopt;
        const std::size_t Jobs = SpoolerJobCount();
        QElapsedTimer Took;
        Took.start();
        const TCliRun Run = RunCli(C.Arguments, {}, C.Environment);
        EXPECT_LT(Took.elapsed(), 10000) << C.Arguments.join(' ').toStdString();
        EXPECT_EQ(Run.ExitCode, 1) << C.Arguments.join(' ').toStdString();
        EXPECT_EQ(Run.Err.section(QLatin1Char('\n'), -2).toStdString(), C.Err.toStdString());
        EXPECT_TRUE(Run.Out.isEmpty()) << Run.Out.toStdString();
        EXPECT_EQ(SpoolerJobCount(), Jobs);
    }
}

// printers lists the spooler's queues with the resolution a run draws at (their drivers'
// defaults: cups-pdf 300, the Zebra sample 203, the DYMO sample 300 dpi), marks the default,
// and says which printer is stopped and why (cupsdisable: "paused"); print on a stopped printer
// hands the job over and says so.
TEST(PrintCli, ListsThePrintersAndTheirState) {
    const TCliRun Run = RunCli({"printers"});
    EXPECT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
    EXPECT_EQ(Run.Out.toStdString(),
              "Dymo300\t300 dpi\nTessmiraPDF\t300 dpi\tdefault\nZebra203\t203 dpi\n");
    ASSERT_TRUE(RunCupsCommand(QStringLiteral("cupsdisable"), {QStringLiteral("Zebra203")}));
    const TCliRun Paused = RunCli({"printers"});
    const QTemporaryDir Dir;
    const TCliRun Print =
        RunCli({"print", "--printer", "Zebra203", SaveSample(Dir, QStringLiteral("a.TSM"))});
    RunCupsCommand(QStringLiteral("cupsenable"), {QStringLiteral("Zebra203")});
    EXPECT_TRUE(Paused.Out.endsWith("Zebra203\t203 dpi\tstopped: paused\n"))
        << Paused.Out.toStdString();
    EXPECT_EQ(Print.ExitCode, 0) << Print.Err.toStdString();
    const QString Job = QString::fromUtf8(Print.Out.trimmed());
    EXPECT_EQ(Print.Err.toStdString(), "The page went to Zebra203 as job " + Job.toStdString() +
                                           ", but the printer is stopped (paused): it prints "
                                           "once the printer is started again\n");
    // Started again, it prints the job.
    EXPECT_FALSE(WaitForPrinterFile(Job.toInt(), QStringLiteral("Zebra203")).isEmpty());
}

// Copies of a run of two sheets come in the order the page's Collate asks for, read back from
// the cups-pdf output: each sheet twice in a row (1, 1, 2, 2), or sets (1, 2, 1, 2).
TEST(PrintCli, CopiesComeInTheirOrder) {
    const QTemporaryDir Dir;
    const TFixedSystem System(false);
    for (const int Collate : {0, 1}) {
        const QString Document = SaveSample(Dir, QStringLiteral("copies.TSM"), [&](TReportPage& P) {
            P.findChildren<TBarcodeItem*>().at(1)->SetDataField("#");
            P.PrinterSettings().Collate = Collate;
        });
        const TCliRun Run = RunCli({"print", "--copies", "2", "--sequence", "41:42", Document});
        ASSERT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
        const QString Pdf = WaitForPrintedPdf(Run.Out.trimmed().toInt());
        std::vector<std::string> Order;
        TReportPage Page;
        const QRect Item = SheetRect(*PlaceSampleItems(Page).at(1), 150, 20);
        for (const QImage& Sheet : RasterizePdf(Pdf, 150)) {
            const std::vector<std::string> Read = DecodeImage(Sheet.copy(Item));
            Order.push_back(Read.empty() ? "nothing" : Read.front());
        }
        EXPECT_EQ(Order, (Collate != 0 ? std::vector<std::string>{"41", "42", "41", "42"}
                                       : std::vector<std::string>{"41", "41", "42", "42"}))
            << "Collate " << Collate;
    }
}

// A label on each of the label printers (cups-setup.sh), printed by print and read back from what
// the driver wrote: the label is the page's size in the printer's dots (101.6 x 50.8 mm at 203
// dpi: 812 x 406; 57.15 x 101.6 mm at 300 dpi: 675 x 1200, of which the DYMO driver sends its
// printable area, 8 and 62 dots in: 2 and 14.9 points by its ImageableArea for w162h288),
// every item reads with zbarimg and
// ZXingReader where it stands, and along the middle row of the upright symbol each bar and space
// is as many dots as the page drawn at the printer's resolution gives, a whole multiple of at
// least 2 dots a module.
TEST(PrintCli, LabelPrintersPrintWholeDots) {
    const QTemporaryDir Dir;
    struct TItem {
        QRect Pixels;
        TBarcodeType Type;
        const char* Text;
        TBarcodeAngle Angle;
        const char* Decoded;
    };
    struct TCase {
        const char* Queue;
        int Dpi;
        QSizeF MM;
        std::vector<TItem> Items; // the first is upright
        QSize Dots;
        QPoint Printable; // where the DYMO driver's raster starts
    };
    const TCase Cases[] = {
        {"Zebra203",
         203,
         {101.6, 50.8},
         {{{16, 16, 200, 100}, bcCode128B, "Tessmira-42", ba0, "Tessmira-42"},
          {{240, 10, 110, 170}, bcCodeEAN13, "590123412345", ba90, "5901234123457"}},
         {812, 406},
         {}},
        {"Dymo300",
         300,
         {57.15, 101.6},
         {{{20, 20, 170, 90}, bcCode39, "LABEL 7", ba0, "LABEL 7-"},
          {{30, 160, 150, 180}, bcCodeEAN13, "590123412345", ba270, "5901234123457"}},
         {675, 1200},
         {8, 62}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Queue);
        const TFixedSystem System(false);
        TReportPage Page;
        Page.Page().SetPaperSize(TPaperSize::Custom);
        Page.Page().SetWidth(C.MM.width());
        Page.Page().SetLength(C.MM.height());
        std::vector<TBarcodeItem*> Items;
        for (const TItem& I : C.Items)
            Items.push_back(PlaceItem(Page, I.Pixels, I.Type, I.Text, I.Angle));
        const QString Document = Dir.filePath(QString::fromLatin1(C.Queue) + ".TSM");
        QFile File(Document);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(QByteArray::fromStdString(WritePageStream(Page)));
        File.close();
        const TCliRun Run = RunCli({"print", "--printer", C.Queue, Document});
        ASSERT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
        const QByteArray Output = WaitForPrinterFile(Run.Out.trimmed().toInt(), C.Queue);
        const std::vector<QImage> Labels = QByteArray(C.Queue).startsWith("Zebra")
                                               ? ZplLabels(Output)
                                               : DymoLabels(Output, C.Printable, C.Dots);
        ASSERT_EQ(Labels.size(), 1U);
        const QImage& Label = Labels[0];
        EXPECT_EQ(Label.size(), C.Dots);
        EXPECT_EQ(QByteArray(C.Queue).startsWith("Zebra") ? ZplPrintWidths(Output).at(0)
                                                          : C.Dots.width(),
                  C.Dots.width());
        const QImage Reference = TPaintDevicePrintJob::RenderImage(Page, C.Dpi);
        for (std::size_t I = 0; I < C.Items.size(); ++I) {
            const QRect Around = SheetRect(*Items[I], C.Dpi, C.Dpi / 8);
            const QImage Place = OnWhitePage(Label.copy(Around), C.Dpi / 4);
            EXPECT_EQ(DecodeImage(Place), std::vector<std::string>{C.Items[I].Decoded}) << I;
            EXPECT_EQ(DecodeImageZXing(Place), std::vector<std::string>{C.Items[I].Decoded}) << I;
        }
        const QRect Upright = SheetRect(*Items[0], C.Dpi, 0);
        const int Row = Upright.top() + Upright.height() * 2 / 3;
        const std::vector<int> Runs = RunLengths(Label, Row, Upright.left(), Upright.right());
        EXPECT_EQ(Runs, RunLengths(Reference, Row, Upright.left(), Upright.right()));
        ASSERT_GT(Runs.size(), 20U);
        // Inside the symbol, from its first bar to its last.
        const std::vector<int> Inside(Runs.begin() + 1, Runs.end() - 1);
        const int Module = *std::min_element(Inside.begin(), Inside.end());
        EXPECT_GE(Module, 2);
        for (const int Length : Inside)
            EXPECT_EQ(Length % Module, 0) << Length << " dots, module " << Module;
    }
}
