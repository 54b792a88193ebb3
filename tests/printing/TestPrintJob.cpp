// The printer job on Qt's printer devices and the printer set-up, against the spooler's cups-pdf
// queue (cups-setup.sh) and PDF files.

#include "../document/PageTestSupport.h"
#include "SamplePage.h"
#include "Spooler.h"

#include "common/Rounding.h"
#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/TReportPage.h"
#include "printing/PagePrint.h"
#include "printing/PrintReport.h"
#include "printing/PrintSpooler.h"
#include "printing/Printers.h"
#include "printing/TPrintJob.h"
#include "printing/TPrintSetupDialog.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// A PDF printer at Dpi whose sheet has unprintable edges of Edge points on every side.
void MakePdfDevice(QPrinter& Pdf, const QString& File, int Dpi, double Edge = 0) {
    Pdf.setOutputFormat(QPrinter::PdfFormat);
    Pdf.setOutputFileName(File);
    Pdf.setResolution(Dpi);
    const QMarginsF Edges(Edge, Edge, Edge, Edge);
    Pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, Edges,
                                  QPageLayout::Point, Edges));
}

// The print dialog answered by a function, as a person would answer it.
class TAnsweringPrompt : public TPrintDialogPrompt {
public:
    std::function<bool(QPrinter&)> Answer;
    TPrintDialogRequest Request;
    int Shown = 0;
    bool RunPrintDialog(QWidget*, QPrinter& Printer, const TPrintDialogRequest& R) override {
        ++Shown;
        Request = R;
        return Answer && Answer(Printer);
    }
};

} // namespace

// The printer example on a real device: 600 dpi with edges of 12 points, 100 pixels, gives
// unprintable edges of 100 / 600 * 254 = 42.33, rounded to 42, and 50 mm from the sheet's edge
// lands at (500 - 42) * 600 / 254 = 1081.9 -> pixel 1082 of the printable area: 1182 from the
// sheet's edge, where the PDF drawn at 600 dpi shows it.
TEST(PrintJob, WasteAndPixelsOnA600DpiDevice) {
    const TFixedSystem System(false);
    const QTemporaryDir Dir;
    const QString File = Dir.filePath(QStringLiteral("edges.pdf"));
    QPrinter Pdf(QPrinter::HighResolution);
    MakePdfDevice(Pdf, File, 600, 12);
    TReportPage Page;
    Page.Page().SetLeftMargin(50);
    Page.Page().SetTopMargin(50);
    Page.Frame().SetDrawLeft(true);
    Page.Frame().SetDrawTop(true);
    {
        TPrintJob Job(Page, Pdf);
        const TPrintRun Run(Page, Job);
        Job.ApplyPageSettings();
        Job.BeginDoc();
        Job.NewPage();
        EXPECT_EQ(Job.LeftWaste(), 42);
        EXPECT_EQ(Job.TopWaste(), 42);
        EXPECT_EQ(Job.DeviceX(500), 1082);
        EXPECT_EQ(Job.DeviceY(500), 1082);
        PrintPageContent(Page, Job);
        Job.EndDoc();
    }
    const std::vector<QImage> Sheets = RasterizePdf(File, 600, {0, 0, 1500, 1500});
    ASSERT_EQ(Sheets.size(), 1U);
    const QRect Ink = InkBounds(Sheets[0], Sheets[0].rect());
    EXPECT_NEAR(Ink.left(), 1182, 1);
    EXPECT_NEAR(Ink.top(), 1182, 1);
}

// Pages outside the range are drawn onto a scratch picture and never reach the device; the sheets
// that do are the pages in the range, in order. Each page marks its number 100 pixels apart.
TEST(PrintJob, PagesOutsideTheRangeAreDrawnButNotSent) {
    const TFixedSystem System(false);
    const QTemporaryDir Dir;
    struct TCase {
        std::int32_t First, Last;
        std::vector<int> Sent; // by page number, of the three pages begun
    };
    const TCase Cases[] = {
        {0, 0, {1, 2, 3}}, {2, 0, {2, 3}}, {2, 2, {2}}, {1, 2, {1, 2}}, {4, 0, {}},
    };
    for (const TCase& C : Cases) {
        const QString File =
            Dir.filePath(QStringLiteral("range%1-%2.pdf").arg(C.First).arg(C.Last));
        QPrinter Pdf(QPrinter::HighResolution);
        MakePdfDevice(Pdf, File, 72);
        TReportPage Page;
        Page.PrinterSettings().FirstPage = C.First;
        Page.PrinterSettings().LastPage = C.Last;
        TPrintJob Job(Page, Pdf);
        Job.ApplyPageSettings();
        Job.BeginDoc();
        for (int Number = 1; Number <= 3; ++Number) {
            Job.NewPage();
            EXPECT_EQ(Job.Canvas().device() == &Pdf, Job.InRange(Number)) << Number;
            Job.Canvas().fillRect(QRect(100 * Number, 100, 50, 50), Qt::black);
        }
        Job.EndDoc();
        EXPECT_EQ(Job.DocumentOpened(), !C.Sent.empty());
        std::vector<int> Printed;
        if (QFile::exists(File))
            for (const QImage& Sheet : RasterizePdf(File, 72))
                Printed.push_back(InkBounds(Sheet, Sheet.rect()).left() / 100);
        EXPECT_EQ(Printed, C.Sent) << C.First << "-" << C.Last;
    }
}

// The Print command's run says so when its range leaves out the one page, and leaves no file.
TEST(PrintJob, NothingInRangeIsAnError) {
    const TFixedSystem System(false);
    const QTemporaryDir Dir;
    TReportPage Page;
    PlaceItem(Page, {50, 50, 120, 70}, bcCodeEAN13, "1");
    Page.PrinterSettings().FirstPage = 2;
    const QString File = Dir.filePath(QStringLiteral("none.pdf"));
    try {
        PrintReportToPdf(Page, File, false);
        ADD_FAILURE() << "printed";
    } catch (const TException& E) {
        EXPECT_STREQ(
            E.what(),
            "Nothing was printed: the page range from 2 leaves out the document's one page");
    }
    EXPECT_FALSE(QFile::exists(File));
}

// Print to PDF puts the page on a sheet of its paper, turned for landscape except a Custom Size,
// which is its width by its length; Qt writes sheets in whole points, 0.18 mm at most. An item
// reaching past the sheet's right edge is there cut off.
TEST(PrintJob, PdfSheetsHaveThePagesPaper) {
    const TFixedSystem System(false);
    const QTemporaryDir Dir;
    struct TCase {
        TPaperSize Paper;
        TPrinterOrientation Orientation;
        QSizeF MM; // the paper table's sizes
    };
    const TCase Cases[] = {
        {TPaperSize::A4, poPortrait, {210, 297}},
        {TPaperSize::A4, poLandscape, {297, 210}},
        {TPaperSize::Letter, poPortrait, {215.9, 279.4}},
        {TPaperSize::Env9, poPortrait, {98.4, 225.4}},
        {TPaperSize::Custom, poLandscape, {100, 150}},
    };
    for (const TCase& C : Cases) {
        TReportPage Page;
        Page.Page().SetPaperSize(C.Paper);
        if (C.Paper == TPaperSize::Custom) {
            Page.Page().SetWidth(100);
            Page.Page().SetLength(150);
        }
        Page.Page().SetOrientation(C.Orientation);
        // Half of the symbol's some 110 pixels on the sheet, at 96 pixels per inch.
        const int Edge = RoundToInt(C.MM.width() / 25.4 * 96);
        PlaceItem(Page, {Edge - 60, 50, 120, 60}, bcCode128B, "CLIPPED");
        const QString File = Dir.filePath(QStringLiteral("paper.pdf"));
        PrintReportToPdf(Page, File, false);
        const std::vector<QSizeF> Sizes = PdfPageSizesMM(File);
        ASSERT_EQ(Sizes.size(), 1U);
        EXPECT_NEAR(Sizes[0].width(), C.MM.width(), 0.18) << int(C.Paper);
        EXPECT_NEAR(Sizes[0].height(), C.MM.height(), 0.18) << int(C.Paper);
        const QImage Sheet = RasterizePdf(File, 100).at(0);
        const QRect Ink = InkBounds(Sheet, Sheet.rect());
        EXPECT_LT(Ink.left(), Sheet.width() - 20) << int(C.Paper);
        EXPECT_GE(Ink.right(), Sheet.width() - 2) << int(C.Paper);
    }
}

// The page's paper on the test scheduler's queues (cups-setup.sh) as a run takes it. From their
// drivers: cups-pdf's default is A4 at 300 dpi, it lists Letter and takes custom sizes, not
// Envelope #9; the Zebra ZPL driver's default is a 4 x 5 in label at 203 dpi, it lists 4 x 2 in
// and takes custom sizes of 36 to 576 by 36 to 3600 points; the DYMO driver at 300 dpi lists only
// its labels, the smallest that holds 20 x 50 mm being 28.58 x 88.9 mm. A custom size goes as
// whole points, which Qt's PDF page has (70 x 40 mm: 198.4 x 113.4 points).
TEST(PrinterSettings, PagesPaperOnTheQueues) {
    const TFixedSystem System(false);
    const std::vector<TPrinterQueue> Queues = SpoolerQueues();
    struct TCase {
        const char* Queue;
        TPaperSize Paper;
        QSizeF MM; // a Custom Size page's
        TPaperSize Applied;
        const char* Media;
        long double Width, Length; // native units
        int Dpi;
    };
    const TCase Cases[] = {
        {"TessmiraPDF", TPaperSize::A4, {}, TPaperSize::A4, "iso_a4_210x297mm", 2100, 2970, 300},
        {"TessmiraPDF",
         TPaperSize::Letter,
         {},
         TPaperSize::Letter,
         "na_letter_8.5x11in",
         2159,
         2794,
         300},
        {"TessmiraPDF", TPaperSize::Env9, {}, TPaperSize::A4, "", 2100, 2970, 300},
        {"TessmiraPDF",
         TPaperSize::Custom,
         {100, 150},
         TPaperSize::Custom,
         "Custom.283x425",
         1000,
         1500,
         300},
        {"Zebra203", TPaperSize::Default, {}, TPaperSize::Default, "", 1016, 1270, 203},
        {"Zebra203",
         TPaperSize::Custom,
         {101.6, 50.8},
         TPaperSize::Custom,
         "custom_4x2in_4x2in",
         1016,
         508,
         203},
        {"Zebra203",
         TPaperSize::Custom,
         {70, 40},
         TPaperSize::Custom,
         "Custom.198x113",
         700,
         400,
         203},
        {"Dymo300",
         TPaperSize::Custom,
         {20, 50},
         TPaperSize::Custom,
         "custom_28.58x88.9mm_28.58x88.9mm",
         286,
         889,
         300},
    };
    for (const TCase& C : Cases) {
        const QString Name = QString::fromLatin1(C.Queue);
        const std::int32_t Index = PrinterIndex(Queues, Name);
        ASSERT_GE(Index, 0) << C.Queue;
        TPrinterSettings Settings;
        Settings.ReadQueue(Queues[std::size_t(Index)]);
        EXPECT_EQ(Settings.DeviceName, Name);
        EXPECT_EQ(Settings.DotsPerInchX, C.Dpi) << C.Queue;
        TReportPage Page;
        Page.Page().SetPaperSize(C.Paper);
        if (C.Paper == TPaperSize::Custom) {
            Page.Page().SetWidth(C.MM.width());
            Page.Page().SetLength(C.MM.height());
        }
        Page.PrinterSettings().Copies = 2;
        Settings.ApplyPage(Page);
        const std::string Row = std::string(C.Queue) + " " + C.Media;
        EXPECT_EQ(Settings.PaperSize, C.Applied) << Row;
        EXPECT_EQ(Settings.Media.toStdString(), C.Media) << Row;
        EXPECT_EQ(Settings.PaperWidth, C.Width) << Row;
        EXPECT_EQ(Settings.PaperLength, C.Length) << Row;
        const std::vector<TSpoolOption> Options = Settings.SpoolOptions();
        // The run draws the copies itself; the spooler is told of none.
        EXPECT_EQ(std::count_if(Options.begin(), Options.end(),
                                [](const TSpoolOption& O) { return O.Name == "copies"; }),
                  0);
        EXPECT_EQ(std::count_if(Options.begin(), Options.end(),
                                [](const TSpoolOption& O) { return O.Name == "media"; }),
                  *C.Media != 0 ? 1 : 0)
            << Row;
    }
    // A label no paper of the printer holds is refused before anything is drawn.
    TPrinterSettings Dymo;
    Dymo.ReadQueue(Queues[std::size_t(PrinterIndex(Queues, QStringLiteral("Dymo300")))]);
    TReportPage Large;
    Large.Page().SetPaperSize(TPaperSize::Custom);
    Large.Page().SetWidth(200);
    Large.Page().SetLength(300);
    try {
        Dymo.ApplyPage(Large);
        ADD_FAILURE() << "applied";
    } catch (const TException& E) {
        EXPECT_STREQ(E.what(), "The printer Dymo300 takes no paper of 200 x 300 mm");
    }
}

// Printer setup shows the dialog preset from the page and takes back what the user chose: copies,
// printer, orientation through the page's rule, the range (to 9999 is to the end), Tag 0; a
// cancelled dialog only sets Tag 1. Each row answers the dialog on the page the rows before left.
TEST(PrinterSetup, WritesBackTheUsersChoice) {
    const TFixedSystem System(false);
    TReportPage Page;
    struct TCase {
        const char* Does;
        std::function<bool(QPrinter&)> Answer;
        std::int32_t Copies, First, Last, Tag;
        QSizeF MM; // width by length
    };
    const auto Range = [](int From, int To) {
        return [From, To](QPrinter& P) {
            P.setPrintRange(QPrinter::PageRange);
            P.setFromTo(From, To);
            return true;
        };
    };
    const TCase Cases[] = {
        {"range 2 to 3", Range(2, 3), 1, 2, 3, 0, {210, 297}},
        {"range kept", [](QPrinter&) { return true; }, 1, 2, 3, 0, {210, 297}},
        {"from 2 to 9999", Range(2, 9999), 1, 2, 0, 0, {210, 297}},
        {"all pages",
         [](QPrinter& P) {
             P.setPrintRange(QPrinter::AllPages);
             return true;
         },
         1,
         0,
         0,
         0,
         {210, 297}},
        {"3 copies",
         [](QPrinter& P) {
             P.setCopyCount(3);
             return true;
         },
         3,
         0,
         0,
         0,
         {210, 297}},
        {"landscape",
         [](QPrinter& P) {
             P.setPageOrientation(QPageLayout::Landscape);
             return true;
         },
         3,
         0,
         0,
         0,
         {297, 210}},
        {"cancelled",
         [](QPrinter& P) {
             P.setCopyCount(7);
             P.setPageOrientation(QPageLayout::Portrait);
             return false;
         },
         3,
         0,
         0,
         1,
         {297, 210}},
    };
    for (const TCase& C : Cases) {
        TAnsweringPrompt Prompt;
        const std::int32_t CopiesBefore = Page.PrinterSettings().Copies;
        const bool LandscapeBefore = Page.Page().Orientation() == poLandscape;
        Prompt.Answer = [&](QPrinter& P) {
            // Preset from the page, as it stood.
            EXPECT_EQ(P.copyCount(), CopiesBefore) << C.Does;
            EXPECT_EQ(P.pageLayout().orientation() == QPageLayout::Landscape, LandscapeBefore);
            EXPECT_EQ(P.printerName().toStdString(), "TessmiraPDF");
            return C.Answer(P);
        };
        PrinterSetup(Page, Prompt);
        EXPECT_EQ(Prompt.Shown, 1);
        EXPECT_EQ(Prompt.Request.MinPage, 0);
        EXPECT_EQ(Prompt.Request.MaxPage, 9999);
        EXPECT_TRUE(Prompt.Request.Options.Contains(poPageNums));
        EXPECT_FALSE(Prompt.Request.Options.Contains(poSelection));
        EXPECT_FALSE(Prompt.Request.Options.Contains(poPrintToFile));
        const TPagePrinterSettings& S = Page.PrinterSettings();
        EXPECT_EQ(S.Copies, C.Copies) << C.Does;
        EXPECT_EQ(S.FirstPage, C.First) << C.Does;
        EXPECT_EQ(S.LastPage, C.Last) << C.Does;
        EXPECT_EQ(Page.Tag(), C.Tag) << C.Does;
        EXPECT_EQ(S.PrinterIndex, PrinterIndex(SpoolerQueues(), QStringLiteral("TessmiraPDF")))
            << C.Does;
        EXPECT_EQ(S.PrinterName, "TessmiraPDF") << C.Does;
        EXPECT_NEAR(double(Page.Page().Width()), C.MM.width(), 0.01) << C.Does;
        EXPECT_NEAR(double(Page.Page().Length()), C.MM.height(), 0.01) << C.Does;
    }
    // Copies and the cancel's Tag go into the document and come back from it.
    TReportPage Read;
    ReadPageStream(WritePageStream(Page), Read);
    EXPECT_EQ(Read.PrinterSettings().Copies, 3);
    EXPECT_EQ(Read.Tag(), 1);
}

// A Custom Size page keeps its width and length when the dialog turns it to landscape.
TEST(PrinterSetup, LandscapeKeepsACustomSize) {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.Page().SetPaperSize(TPaperSize::Custom);
    Page.Page().SetWidth(100);
    Page.Page().SetLength(150);
    TAnsweringPrompt Prompt;
    Prompt.Answer = [](QPrinter& P) {
        P.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    PrinterSetup(Page, Prompt);
    EXPECT_EQ(Page.Page().Orientation(), poLandscape);
    EXPECT_EQ(Page.Page().Width(), 100);
    EXPECT_EQ(Page.Page().Length(), 150);
}
