// tessmira-cli print and printers against the real spooler's cups-pdf queue
// (tests/printing/cups-setup.sh): each job's PDF is taken from cups-pdf and read back.

#include "../document/PageTestSupport.h"
#include "../printing/SamplePage.h"
#include "../printing/Spooler.h"
#include "CliRun.h"

#include "document/DocumentStream.h"
#include "document/TReportPage.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

// What cannot print says why on stderr, exits non-zero and gives the spooler nothing.
TEST(PrintCli, FailuresReportTheMessage) {
    const QTemporaryDir Dir;
    const QString Document = SaveSample(Dir, QStringLiteral("sample.TSM"));
    const QString Missing = Dir.filePath(QStringLiteral("missing.TSM"));
    struct TCase {
        QStringList Arguments;
        QProcessEnvironment Environment;
        QString Err;
    };
    const TCase Cases[] = {
        {{"print", "--printer", "Nope", Document}, {}, "There is no printer named \"Nope\"\n"},
        {{"print", "--pages", "2-3", Document},
         {},
         "Nothing was printed: the page range 2 to 3 leaves out the document's one page\n"},
        {{"print", Missing},
         {},
         "Cannot open file \"" + Missing + "\". No such file or directory\n"},
        {{"print", Document}, NoSpooler(), "No printer is installed\n"},
        {{"print", "--sequence", "1:3", Document},
         {},
         "No item uses the data source: give an item a data field or a ${column} in a title\n"},
    };
    for (const TCase& C : Cases) {
        const std::size_t Jobs = SpoolerJobCount();
        const TCliRun Run = RunCli(C.Arguments, {}, C.Environment);
        EXPECT_EQ(Run.ExitCode, 1) << C.Arguments.join(' ').toStdString();
        EXPECT_EQ(Run.Err.section(QLatin1Char('\n'), -2).toStdString(), C.Err.toStdString());
        EXPECT_TRUE(Run.Out.isEmpty()) << Run.Out.toStdString();
        EXPECT_EQ(SpoolerJobCount(), Jobs);
    }
}

// printers lists the spooler's queues with their resolution and marks the default; without a
// spooler it lists none.
TEST(PrintCli, ListsThePrinters) {
    const TCliRun Run = RunCli({"printers"});
    EXPECT_EQ(Run.ExitCode, 0) << Run.Err.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("(^|\n)TessmiraPDF\t\\d+ dpi\tdefault\n"))
                    .match(QString::fromUtf8(Run.Out))
                    .hasMatch())
        << Run.Out.toStdString();
    const TCliRun None = RunCli({"printers"}, {}, NoSpooler());
    EXPECT_EQ(None.ExitCode, 0);
    EXPECT_TRUE(None.Out.isEmpty());
}
