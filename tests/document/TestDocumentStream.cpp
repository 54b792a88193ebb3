// Pages and items written to and read from component streams.

#include "PageTestSupport.h"
#include "WorkedExample.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/StreamFormat.h"
#include "document/TReportPage.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

template <typename F> std::string ErrorOf(F&& Action) {
    try {
        Action();
    } catch (const TException& E) {
        return E.what();
    }
    return {};
}

// The example's page records with one record replaced, inserted or removed.
std::vector<TExampleRecord> PageRecordsWith(std::string_view Path, std::string_view Hex,
                                            bool Insert = false) {
    std::vector<TExampleRecord> Records = ExamplePageRecords;
    for (auto It = Records.begin(); It != Records.end(); ++It) {
        if (It->Path == Path) {
            if (Insert)
                Records.insert(It + 1, {Path, Hex});
            else if (Hex.empty())
                Records.erase(It);
            else
                It->Hex = Hex;
            return Records;
        }
    }
    Records.push_back({Path, Hex});
    return Records;
}

} // namespace

TEST(DocumentStream, PageReadsBackToTheSameBytes) {
    const TFixedSystem System(false);
    // A page that differs from a new one wherever a stored property can.
    TReportPage Original;
    Original.SetPrintIfEmpty(true);
    Original.Page().SetOrientation(poLandscape);
    Original.Page().SetPaperSize(TPaperSize::Custom);
    Original.Page().SetWidth(123.4L);
    Original.Page().SetColumns(3);
    Original.Page().SetRuler(false);
    Original.Frame().SetDrawLeft(true);
    Original.Frame().SetWidth(-1);
    Original.Frame().SetStyle(psDot);
    Original.Frame().SetColor(SysColor(15));
    Original.SetTag(1);
    Original.SetCursor(-21);
    Original.SetHint(QString::fromUtf8("Etikett f\xC3\xBCr Regal"));
    Original.SetHelpType(htKeyword);
    Original.SetHelpContext(40000);
    Original.SetReportTitle(QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"));
    Original.Description() = {"first line", "caf\xE9"};
    Original.Functions().Add("EXTRA", "1+1");
    TFont Font = Original.Font();
    Font.Style = {fsBold, fsUnderline};
    Font.Pitch = fpFixed;
    Font.Color = 0x123456;
    Original.SetFont(Font);
    Original.PrinterSettings().Copies = 3;
    Original.PrinterSettings().OutputBin = TPaperBin::Manual;
    Original.PrinterSettings().MemoryLimit = 7;
    Original.PrinterSettings().PrintQuality = 300;
    Original.SetUnits(TPageUnit::Inches);
    Original.SetZoom(150);
    Original.SetShowProgress(false);
    Original.SetPreviewWidth(640);
    Original.SetPrevShowSearch(false);
    Original.SetPrevInitialZoom(qrZoomOther);
    const std::string Bytes = WritePageStream(Original);

    TReportPage Copy;
    ReadPageStream(Bytes, Copy);
    EXPECT_EQ(WritePageStream(Copy), Bytes);
    EXPECT_EQ(Copy.Page().Width(), Original.Page().Width());
    EXPECT_EQ(Copy.Description(), Original.Description());
    EXPECT_EQ(Copy.Font(), Original.Font());
    EXPECT_EQ(Copy.PrinterSettings(), Original.PrinterSettings());
    EXPECT_EQ(Copy.size(), Original.size());
}

TEST(DocumentStream, DamagedPagesEndInTheReadersMessage) {
    const TFixedSystem System(false);
    const std::string Example = ExampleStream(ExamplePageRecords, {});
    const std::string EndsInValues =
        Example.substr(0, Example.find("Page.Values") + 11 + 30); // inside the third value
    const struct {
        std::string Input;
        std::string Expected;
    } Cases[] = {
        // From the document format's edge cases.
        {"", Msg::StreamReadError},
        {"TPF1" + Example.substr(4), Msg::InvalidStreamFormat},
        {EndsInValues, "Error reading TQuickRep.Page.Values: Stream read error"},
        {ExampleStream(
             PageRecordsWith("Page.Values",
                             "01 05 00 00 00 00 00 00 00 C8 05 40 05 00 00 "
                             "00 00 00 00 A0 B9 0A 40 05 00 00 00 00 00 00 00 C8 05 40 05 "
                             "00 00 00 00 00 00 40 83 0A 40 05 00 00 00 00 00 00 00 C8 05 "
                             "40 05 00 00 00 00 00 00 00 C8 05 40 00"),
             {}),
         "Error reading TQuickRep.Page.Values: Invalid property value"},
        {ExampleStream(PageRecordsWith("Page.Values",
                                       "01 02 01 02 01 02 01 02 01 02 01 02 01 02 01 "
                                       "02 01 00"),
                       {}),
         "Error reading TQuickRep.Page.Values: Invalid property value"},
        {ExampleStream(
             PageRecordsWith("Functions.DATA", "01 06 01 30 06 01 30 06 02 27 27 06 00 00"), {}),
         "Error reading TQuickRep.Functions.DATA: List index out of bounds (3)"},
        // Values that would break the page: not finite, or beyond any pixel coordinate.
        {ExampleStream(PageRecordsWith("Page.Values",
                                       "01 02 01 02 01 02 01 05 00 00 00 00 00 00 00 "
                                       "80 FF 7F 02 01 02 01 02 01 00"),
                       {}),
         "Error reading TQuickRep.Page.Values: Invalid property value"},
        {ExampleStream(PageRecordsWith("Page.Values",
                                       "01 02 01 02 01 02 01 05 00 00 00 00 00 00 00 "
                                       "80 40 40 02 01 02 01 02 01 00"),
                       {}),
         "Error reading TQuickRep.Page.Values: Invalid property value"},
        {ExampleStream(PageRecordsWith("Width", "04 FF FF FF 7F"), {}),
         "Error reading TQuickRep.Width: Invalid property value"},
        {ExampleStream(PageRecordsWith("Font.Height", "04 00 00 01 00"), {}),
         "Error reading TQuickRep.Font.Height: Invalid property value"},
        // Unknown names, paths through values, and values of the wrong kind.
        {ExampleStream(PageRecordsWith("Foo", "02 01"), {}),
         "Error reading TQuickRep.Foo: Property Foo does not exist"},
        {ExampleStream(PageRecordsWith("Frame.Foo", "02 01"), {}),
         "Error reading TQuickRep.Frame.Foo: Property Foo does not exist"},
        {ExampleStream(PageRecordsWith("Zoom.Foo", "02 01"), {}),
         "Error reading TQuickRep.Zoom.Foo: Invalid property path"},
        {ExampleStream(PageRecordsWith("Units", "07 05 4D 65 74 65 72"), {}),
         "Error reading TQuickRep.Units: Invalid property value"},
        {ExampleStream(PageRecordsWith("Frame.Color", "07 05 63 6C 46 6F 6F"), {}),
         "Error reading TQuickRep.Frame.Color: Invalid property value"},
        {ExampleStream(PageRecordsWith("Options", "0B 03 46 6F 6F 00"), {}),
         "Error reading TQuickRep.Options: Invalid property value"},
        {ExampleStream(PageRecordsWith("AfterPrint", "07 03 46 6F 6F"), {}),
         "Error reading TQuickRep.AfterPrint: Invalid property value"},
        {Example.substr(0, Example.size() - 1), Msg::StreamReadError},
        {ExampleStream(ExamplePageRecords, {{}}), "Class TQRepBarcode not found"},
    };
    for (const auto& Case : Cases) {
        TReportPage Page;
        EXPECT_EQ(ErrorOf([&] { ReadPageStream(Case.Input, Page); }), Case.Expected);
    }
}

TEST(DocumentStream, ReadingFollowsTheFileNotTheDefaults) {
    const TFixedSystem System(false);
    // Names compare without regard to case, integers may stand for named values, trailing bytes
    // are never read, and Functions.DATA may hold fewer expressions than there are functions.
    auto Records = PageRecordsWith("Frame.Color", "04 FF 00 00 00");
    Records = PageRecordsWith("Functions.DATA", "01 06 01 37 00");
    Records[4] = {"frame.color", "04 FF 00 00 00"};
    const std::string Input = ExampleStream(Records, {}) + "trailing bytes";
    TReportPage Page;
    ReadPageStream(Input, Page);
    EXPECT_EQ(Page.Frame().Color(), 0xFF);
    ASSERT_EQ(Page.Functions().Count(), 3u);
    EXPECT_EQ(Page.Functions().Item(0).Expression, "7");
    EXPECT_EQ(Page.Functions().Item(2).Expression, "");
    EXPECT_FALSE(Page.Loading());
}

TEST(DocumentStream, NewPageIsWrittenAsTheWorkedExample) {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.SetPrintIfEmpty(true);
    EXPECT_EQ(WritePageStream(Page), ExampleStream(ExamplePageRecords, {}));
}

int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
