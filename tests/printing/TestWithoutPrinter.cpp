// The program on a machine without printers: the spooler is pointed at a socket that is not there
// before anything asks it, so that no printer is listed and none is the default.

#include "../document/PageTestSupport.h"
#include "SamplePage.h"
#include "Spooler.h"

#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/PrintReport.h"
#include "printing/Printers.h"
#include "printing/TPrintSetupDialog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const bool NoSpooler = setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1) == 0;

class TUnusedPrompt : public TPrintDialogPrompt {
public:
    int Shown = 0;
    bool RunPrintDialog(QWidget*, QPrinter&, const TPrintDialogRequest&) override {
        ++Shown;
        return true;
    }
};

std::string Message(const std::function<void()>& Run) {
    try {
        Run();
    } catch (const TException& E) {
        return E.what();
    }
    return "no error";
}

} // namespace

// Print says that there is no printer, set-up that there is no default one and leaves the page
// as it was; Print to PDF still works.
TEST(WithoutPrinter, PrintRefusesAndPdfPrints) {
    ASSERT_TRUE(NoSpooler);
    const TFixedSystem System(false);
    ASSERT_FALSE(PrintersAvailable());
    TReportPage Page;
    PlaceSampleItems(Page);
    Page.PrinterSettings().Copies = 2;
    EXPECT_EQ(Message([&Page] { PrintReport(Page); }), "No printer is installed");
    TUnusedPrompt Prompt;
    EXPECT_EQ(Message([&] { PrinterSetup(Page, Prompt); }),
              "There is no default printer currently selected");
    EXPECT_EQ(Prompt.Shown, 0);
    EXPECT_EQ(Page.Tag(), 0);
    EXPECT_EQ(Page.PrinterSettings().Copies, 2);
    const QTemporaryDir Dir;
    const QString File = Dir.filePath(QStringLiteral("page.pdf"));
    EXPECT_EQ(PrintReportToPdf(Page, File, false).JobId, 0);
    const std::vector<QImage> Sheets = RasterizePdf(File, 300);
    ASSERT_EQ(Sheets.size(), 1U); // one file holds one copy
    EXPECT_EQ(SampleSheetFaults(Sheets[0], Page, 300).join(QLatin1Char('\n')).toStdString(), "");
}
