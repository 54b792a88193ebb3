// Pages and items written to and read from component streams.

#include "PageTestSupport.h"
#include "WorkedExample.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/StreamFormat.h"
#include "document/TBarcodeItem.h"
#include "document/TDataMerge.h"
#include "document/TPageChange.h"
#include "document/TReportPage.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

template <typename F> std::string ErrorOf(F&& Action) {
    try {
        Action();
    } catch (const TException& E) {
        return E.what();
    }
    return {};
}

// An item as the Insert barcode command places it.
TBarcodeItem* Insert(TReportPage& Page) {
    auto* Item = new TBarcodeItem(&Page);
    Item->SetBounds(50, 50, 100, 50);
    Item->SetParent(&Page);
    Item->SetBarcodeType(bcCodeEAN13);
    return Item;
}

std::vector<TBarcodeItem*> Items(const TReportPage& Page) {
    std::vector<TBarcodeItem*> Result;
    for (QObject* Child : Page.children())
        if (auto* Item = qobject_cast<TBarcodeItem*>(Child))
            Result.push_back(Item);
    return Result;
}

// The example's item records with some records inserted before the first one named Before (at
// the end when there is none) and those named in Remove left out.
std::vector<TExampleRecord> ItemRecordsWith(std::vector<TExampleRecord> Extra,
                                            std::string_view Before = {},
                                            std::vector<std::string_view> Remove = {}) {
    std::vector<TExampleRecord> Records;
    bool Inserted = false;
    for (const TExampleRecord& Record : ExampleItemRecords) {
        if (!Inserted && Record.Path == Before) {
            Records.insert(Records.end(), Extra.begin(), Extra.end());
            Inserted = true;
        }
        if (std::find(Remove.begin(), Remove.end(), Record.Path) == Remove.end())
            Records.push_back(Record);
    }
    if (!Inserted)
        Records.insert(Records.end(), Extra.begin(), Extra.end());
    return Records;
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

TEST(DocumentStream, InsertedItemIsWrittenAsTheWorkedExample) {
    const TFixedSystem System(false);
    const TStreamClassRegistration Registration(BarcodeItemClass());
    TReportPage Page;
    Page.SetPrintIfEmpty(true);
    Insert(Page);
    const std::string Bytes = WritePageStream(Page);
    EXPECT_EQ(Bytes.size(), 1424u);
    EXPECT_EQ(Bytes, ExampleStream(ExamplePageRecords, {ExampleItemRecords}));

    TReportPage Copy;
    ReadPageStream(Bytes, Copy);
    EXPECT_EQ(WritePageStream(Copy), Bytes);
    ASSERT_EQ(Items(Copy).size(), 1u);
    EXPECT_EQ(Items(Copy)[0]->geometry(), QRect(50, 50, 100, 50));
    EXPECT_FALSE(Items(Copy)[0]->Reading());

    // A single item travels as its record in a page file, after the signature.
    const std::string One = WriteItemStream(*Items(Copy)[0]);
    EXPECT_EQ(One, "TPF0" + Bytes.substr(Bytes.find("\x0CTQRepBarcode"),
                                         Bytes.size() - 1 - Bytes.find("\x0CTQRepBarcode")));
    TReportPage Other;
    std::unique_ptr<TPrintable> Pasted = ReadItemStream(One, &Other);
    EXPECT_EQ(Pasted->parentWidget(), &Other);
    EXPECT_EQ(Pasted->geometry(), QRect(50, 50, 100, 50));
    EXPECT_EQ(WriteItemStream(*Pasted), One);
}

TEST(DocumentStream, ItemsReadAsTheirRecordsSay) {
    const TFixedSystem System(false);
    const TStreamClassRegistration Registration(BarcodeItemClass());
    const auto Text = [](std::string_view Hex) { return TExampleRecord{"BarcodeText", Hex}; };
    const TExampleRecord Left999{"Left", "03 E7 03"};
    const TExampleRecord Left30{"Left", "02 1E"};
    const TExampleRecord ZeroLeft{"Size.Values",
                                  "01 05 AA AA AA AA AA AA 4A 84 06 40 02 00 05 AA AA AA AA AA "
                                  "AA 4A 84 06 40 05 AA AA AA AA AA AA 4A 84 07 40 00"};
    const TExampleRecord NoCheck{"Checksum", "08"};
    const TExampleRecord Code39{"BarcodeType", "07 08 62 63 43 6F 64 65 33 39"};
    const TExampleRecord Ean128B{"BarcodeType", "07 0D 62 63 43 6F 64 65 45 41 4E 31 32 38 42"};
    const struct {
        const char* What;
        std::vector<TExampleRecord> Records;
        int Left;
        std::string BarcodeText;
    } Cases[] = {
        // From the document format's edge cases: stored lengths win over pixel bounds, which
        // stand in only for a coordinate that the stored lengths make 0.
        {"Size.Values win", ItemRecordsWith({Left999}, "Size.Values", {"Left"}), 50, ""},
        {"pixel fallback", ItemRecordsWith({Left30, ZeroLeft}, "Angle", {"Left", "Size.Values"}),
         30, ""},
        // Setting the type clears the text, so a text stored before it is lost.
        {"text before type",
         ItemRecordsWith({Text("06 03 31 32 33"), Code39}, "Angle", {"BarcodeType"}), 50, ""},
        {"text after type", ItemRecordsWith({Text("06 03 31 32 33")}, "Checksum"), 50, "123"},
        // Stored settings apply together: Checksum off comes after the text, and an EAN-128 B
        // text with letters is valid only without the check digit.
        {"EAN-128 B letters",
         ItemRecordsWith({Ean128B, Text("06 03 41 42 43"), NoCheck}, "CheckSumMethod",
                         {"BarcodeType", "Checksum"}),
         50, "ABC"},
    };
    for (const auto& Case : Cases) {
        TReportPage Page;
        ReadPageStream(ExampleStream(ExamplePageRecords, {Case.Records}), Page);
        ASSERT_EQ(Items(Page).size(), 1u) << Case.What;
        EXPECT_EQ(Items(Page)[0]->x(), Case.Left) << Case.What;
        EXPECT_EQ(Items(Page)[0]->BarcodeText(), Case.BarcodeText) << Case.What;
    }

    // Any number of items may have empty names; they keep the file's order.
    TReportPage Page;
    const std::vector<TExampleRecord> Third = ItemRecordsWith({Text("06 01 37")}, "Checksum");
    ReadPageStream(
        ExampleStream(ExamplePageRecords, {ExampleItemRecords, ExampleItemRecords, Third}), Page);
    ASSERT_EQ(Items(Page).size(), 3u);
    EXPECT_EQ(Items(Page)[2]->BarcodeText(), "7");
}

TEST(DocumentStream, DamagedItemsEndInTheReadersMessage) {
    const TFixedSystem System(false);
    const TStreamClassRegistration Registration(BarcodeItemClass());
    const std::string Page = ExampleStream(ExamplePageRecords, {});
    const std::string Item = ExampleStream(ExamplePageRecords, {ExampleItemRecords});
    // Child records with a name in them, spliced after the page's properties.
    const std::string Header = "\x0CTQRepBarcode";
    const std::string Body = Item.substr(Item.find(Header) + Header.size() + 1);
    const auto Named = [&](std::string_view Name) {
        return Header + static_cast<char>(Name.size()) + std::string(Name) +
               Body.substr(0, Body.size() - 1);
    };
    const std::string PageRecord = Page.substr(0, Page.size() - 1);
    const struct {
        std::string Input;
        std::string Expected;
    } Cases[] = {
        {PageRecord + Named("Label1") + Named("LABEL1") + '\0',
         "A component named LABEL1 already exists"},
        {PageRecord + Named("1st") + '\0', "''1st'' is not a valid component name"},
        {ExampleStream(ExamplePageRecords, {ItemRecordsWith({{"Foo", "02 01"}})}),
         "Error reading TQRepBarcode.Foo: Property Foo does not exist"},
        {PageRecord + Named("Label1").substr(0, Named("Label1").size() - 2) +
             "\x03"
             "Foo\x02\x01" +
             std::string(3, '\0'),
         "Error reading Label1.Foo: Property Foo does not exist"},
        {ExampleStream(ExamplePageRecords,
                       {ItemRecordsWith({{"Size.Values", "01 02 01 02 01 02 01 00"}}, "Angle",
                                        {"Size.Values"})}),
         "Error reading TQRepBarcode.Size.Values: Invalid property value"},
        {ExampleStream(ExamplePageRecords, {ItemRecordsWith({{"Ratio", "07 03 61 62 63"}})}),
         "Error reading TQRepBarcode.Ratio: Invalid property value"},
        {ExampleStream(ExamplePageRecords, {ItemRecordsWith({{"BarcodeType", "07 03 62 63 58"}})}),
         "Error reading TQRepBarcode.BarcodeType: Invalid property value"},
        // The stored settings are validated together once the item's records are read; a
        // rejection names the text when it was stored, else the last setting stored.
        {ExampleStream(ExamplePageRecords, {ItemRecordsWith({{"BarcodeText", "06 03 31 32 61"}})}),
         "Error reading TQRepBarcode.BarcodeText: Barcode must be numeric"},
        // Type bcCode93, text "abc".
        {ExampleStream(ExamplePageRecords,
                       {ItemRecordsWith({{"BarcodeType", "07 08 62 63 43 6F 64 65 39 33"},
                                         {"BarcodeText", "06 03 61 62 63"}},
                                        "Checksum", {"BarcodeType"})}),
         "Error reading TQRepBarcode.BarcodeText: TBarcodeEngine:Code93 bad Data <abc>"},
        // An inherited record without the text names the last setting it stores (Color is none):
        // EAN-8 "123456789" keeps its last seven digits and gains a check digit, but without the
        // check digit it stays nine digits long.
        {PageRecord + Header + "\x06Label1" +
             RecordBytes({{"BarcodeType", "07 0A 62 63 43 6F 64 65 45 41 4E 38"},
                          {"BarcodeText", "06 09 31 32 33 34 35 36 37 38 39"}}) +
             std::string(2, '\0') + "\xF1" + Header + "\x06Label1" +
             RecordBytes({{"Checksum", "08"}, {"Color", "07 07 63 6C 57 68 69 74 65"}}) +
             std::string(3, '\0'),
         "Error reading Label1.Checksum: Invalid Text len (EAN8)"},
        // An inherited record of no class, after the item it names: refused as any unknown class.
        {PageRecord + Named("Label1") + "\xF1" + '\0' + Named("Label1").substr(Header.size()) +
             '\0',
         "Class  not found"},
        // Items hold no components.
        {PageRecord + Named("A").substr(0, Named("A").size() - 1) + Named("B") + "\0\0",
         Msg::InvalidStreamFormat},
    };
    for (const auto& Case : Cases) {
        TReportPage Target;
        EXPECT_EQ(ErrorOf([&] { ReadPageStream(Case.Input, Target); }), Case.Expected);
    }

    // A page of more items than a page holds: the smallest item record is 16 bytes, the item
    // some two kilobytes, so a small file would otherwise take a great deal of memory.
    const std::string Minimal = Header + std::string(3, '\0');
    std::string Crowded = PageRecord;
    for (std::size_t I = 0; I <= MaxItemsPerPage; ++I)
        Crowded += Minimal;
    TReportPage Full;
    EXPECT_EQ(ErrorOf([&] { ReadPageStream(Crowded + '\0', Full); }),
              "A page holds at most 20000 items");

    // A single item of a class the registry lacks, or a damaged one, leaves nothing behind.
    const std::string One = "TPF0" + Named("X") + "";
    TReportPage Target;
    EXPECT_EQ(ErrorOf([&] { ReadItemStream("TPF0\x07TQRMemo\0\0\0", &Target); }),
              "Class TQRMemo not found");
    EXPECT_EQ(ErrorOf([&] { ReadItemStream(One.substr(0, One.size() - 5), &Target); }),
              "Error reading X.Ratio: Stream read error");
    EXPECT_EQ(ErrorOf([&] {
                  ReadItemStream("TPF0" + Header + '\0' +
                                     RecordBytes({{"BarcodeText", "06 03 31 32 61"}}) +
                                     std::string(2, '\0'),
                                 &Target);
              }),
              "Error reading TQRepBarcode.BarcodeText: Barcode must be numeric");
    EXPECT_TRUE(Items(Target).empty());
}

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
    Original.PrinterSettings().BarWidthReduction = 2;
    Original.SetUnits(TPageUnit::Inches);
    Original.SetZoom(150);
    Original.SetShowProgress(false);
    Original.SetPreviewWidth(640);
    Original.SetPrevShowSearch(false);
    Original.SetPrevInitialZoom(qrZoomOther);
    const std::string Bytes = WritePageStream(Original);
    EXPECT_NE(Bytes.find("PrinterSettings.BarWidthReduction"), std::string::npos);

    TReportPage Copy;
    ReadPageStream(Bytes, Copy);
    EXPECT_EQ(WritePageStream(Copy), Bytes);
    EXPECT_EQ(Copy.Page().Width(), Original.Page().Width());
    EXPECT_EQ(Copy.Description(), Original.Description());
    EXPECT_EQ(Copy.Font(), Original.Font());
    EXPECT_EQ(Copy.PrinterSettings(), Original.PrinterSettings());
    EXPECT_EQ(Copy.size(), Original.size());

    // The same head given to a page that holds an item and was edited otherwise: an undo's way.
    TReportPage Edited;
    Insert(Edited);
    Edited.Page().SetTopMargin(40);
    Edited.SetReportTitle(QStringLiteral("other"));
    const TPageRecords Records = WritePageRecords(Original);
    EXPECT_EQ(JoinPageRecords(Records), Bytes);
    ReadPageHead(Records.Head, Edited);
    EXPECT_EQ(WritePageRecords(Edited).Head, Records.Head);
    EXPECT_EQ(Items(Edited).size(), 1u);
}

// A change kept as the records it touched makes the page again, and puts it back, byte for byte.
TEST(DocumentStream, ChangesAreMadeAndTakenBackItemByItem) {
    const TFixedSystem System(false);
    const TStreamClassRegistration Registration(BarcodeItemClass());
    const auto Text = [](std::size_t I) {
        return [I](TReportPage& Page) { Items(Page)[I]->SetBarcodeText("590123412345"); };
    };
    struct TRow {
        const char* Name;
        std::function<void(TReportPage&)> Edit;
        std::vector<std::size_t> Positions; // of the items touched, from the edit
    };
    const TRow Rows[] = {
        {"one item edited", Text(2), {2}},
        {"two items far apart", [&](TReportPage& P) { Text(0)(P), Text(4)(P); }, {0, 4}},
        {"an item added on top", [](TReportPage& P) { Insert(P); }, {5}},
        {"an item taken away", [](TReportPage& P) { delete Items(P)[1]; }, {1}},
        {"the first and last taken away",
         [](TReportPage& P) {
             delete Items(P)[4];
             delete Items(P)[0];
         },
         {0, 1, 2, 3, 4}},
        {"the page's margin", [](TReportPage& P) { P.Page().SetTopMargin(30); }, {}},
        {"margin and an item",
         [&](TReportPage& P) {
             P.Page().SetLeftMargin(5);
             Text(3)(P);
         },
         {3}},
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TReportPage Page;
        for (int I = 0; I < 5; ++I)
            Insert(Page)->SetLeft(10 * I);
        const TPageRecords Before = WritePageRecords(Page);
        Row.Edit(Page);
        const TPageRecords After = WritePageRecords(Page);
        const std::optional<TPageChange> Change = TPageChange::Between(Before, After);
        ASSERT_TRUE(Change.has_value());
        EXPECT_EQ(Change->Positions(), Row.Positions);
        TPageRecords Records = After;
        Change->ApplyTo(Records, false);
        EXPECT_EQ(Records, Before);
        Change->ApplyTo(Page, false);
        EXPECT_EQ(WritePageRecords(Page), Before);
        Change->ApplyTo(Page, true);
        EXPECT_EQ(WritePageRecords(Page), After);
        EXPECT_FALSE(TPageChange::Between(After, After).has_value());
    }
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

    // Found by fuzzing: pixel bounds that disagree with the paper, and an empty font name, would
    // not survive the next save; the page keeps its paper's size and its font name instead.
    TReportPage Odd;
    ReadPageStream(ExampleStream({{"Width", "02 00"}, {"Font.Name", "06 00"}}, {}), Odd);
    EXPECT_EQ(Odd.width(), 794);
    EXPECT_EQ(Odd.Font().Name, QStringLiteral("Arial"));
}

TEST(DocumentStream, NewPageIsWrittenAsTheWorkedExample) {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.SetPrintIfEmpty(true);
    EXPECT_EQ(WritePageStream(Page), ExampleStream(ExamplePageRecords, {}));
}

// What each sheet of a merge puts on the items: the field's value as the barcode text, the
// placeholders of the title rows filled, "#" the record's number unless a column is named so.
TEST(DataMerge, SheetsTakeTheirRecords) {
    const TFixedSystem System(false);
    const struct {
        const char* Name;
        QByteArray Csv;
        TMergeMode Mode;
        const char* Field;
        const char* Title;
        std::vector<std::string> Sheets; // "text|title" of each item, items joined by "+"
    } Cases[] = {
        {"record per page",
         "sku,name\n12,Apples\n34,\"Pears, green\"\n",
         mmRecordPerPage,
         "sku",
         "Item ${#:3} ${name}",
         {"12|Item 001 Apples+12|Item 001 Apples",
          "34|Item 002 Pears, green+34|Item 002 Pears, green"}},
        {"record per item, the last place left",
         "sku\n1\n2\n3\n",
         mmRecordPerItem,
         "#",
         "${sku}${",
         {"1|1${+2|2${", "3|3${"}},
        {"a column named #",
         "#,x\n7,\n",
         mmRecordPerPage,
         "#",
         "no data here",
         {"7|no data here+7|no data here"}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TReportPage Page;
        Page.SetMergeMode(Case.Mode);
        for (int I = 0; I < 2; ++I) {
            TBarcodeItem* Item = Insert(Page);
            Item->SetBarcodeType(bcCode128B);
            Item->SetDataField(QString::fromLatin1(Case.Field));
            Item->SetTitleRow1(Case.Title);
        }
        QTemporaryDir Dir;
        QFile File(Dir.filePath(QStringLiteral("data.csv")));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Case.Csv);
        File.close();
        const std::unique_ptr<TDataSource> Source = OpenDataFile(File.fileName());
        TMergeRun Merge(Page, *Source);
        Merge.Check();
        EXPECT_EQ(Merge.Sheets(), std::int64_t(Case.Sheets.size()));
        std::vector<std::string> Sheets;
        while (Merge.NextSheet()) {
            std::string Sheet;
            for (const TBarcodeItem* Item : Items(Page))
                Sheet += (Sheet.empty() ? "" : "+") + Item->BarcodeText() + "|" + Item->TitleRow1();
            Sheets.push_back(Sheet);
        }
        EXPECT_EQ(Sheets, Case.Sheets);
    }
}
