// tessmira-cli dump, build and render, run as the user runs them: documents made from JSON, shown
// again as JSON and rebuilt byte for byte, and pages drawn and read back with a real decoder.

#include "../barcode/Decode.h"
#include "../document/WorkedExample.h"
#include "CliRun.h"

#include "common/Rounding.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

QByteArray Contents(const QString& Path) {
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// Builds a document from JSON and fails the test when the tool refuses it.
QByteArray Build(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Json) {
    const QString Path = Dir.filePath(Name);
    const TCliRun Run = RunCli({QStringLiteral("build"), QStringLiteral("-"), Path}, Json);
    EXPECT_EQ(Run.ExitCode, 0) << Name.toStdString() << ": " << Run.Err.toStdString();
    return Contents(Path);
}

QByteArray Compact(const QJsonObject& Object) {
    return QJsonDocument(Object).toJson(QJsonDocument::Compact);
}

// One item per symbology that zbar reads, with the text zbar and ZXing give back for it: retail
// codes with their check digit, UPC-A and UPC-E as zbar's 13 digits (from the engine's decode
// tests) and as ZXing's 12 and 8; Code 128 C and interleaved 2 of 5 with the leading 0 the engine
// pads to an even count; Codabar with the start and stop characters A and B the engine adds,
// which zbar reports and ZXing drops. 40156 in Codabar is the symbol that did not scan when
// its modules were stretched to fractions of a dot.
struct TDecodable {
    const char* Type;
    const char* Text;
    bool Checksum;
    const char* Decoded;
    const char* ZXing;
};
const TDecodable Decodables[] = {
    {"bcCodeEAN13", "400638133393", true, "4006381333931", "4006381333931"},
    {"bcCodeEAN8", "1234567", true, "12345670", "12345670"},
    {"bcCodeUPC_A", "03600029145", true, "0036000291452", "036000291452"},
    {"bcCodeUPC_E0", "9876540", true, "0098760000057", "09876547"},
    {"bcCode128A", "HELLO_123 !", false, "HELLO_123 !", "HELLO_123 !"},
    {"bcCode128B", "Tessmira 128b~", false, "Tessmira 128b~", "Tessmira 128b~"},
    {"bcCode128C", "12345", false, "012345", "012345"},
    {"bcCode39", "CODE39-TEST", false, "CODE39-TEST", "CODE39-TEST"},
    {"bcCode39Extended", "TCU-000014", false, "TCU-000014", "TCU-000014"},
    {"bcCode93", "TEST", false, "TEST", "TEST"},
    {"bcCode93Extended", "Hello, World-2.0!", false, "Hello, World-2.0!", "Hello, World-2.0!"},
    {"bcCode_2_5_interleaved", "12345", false, "012345", "012345"},
    {"bcCodeCodabar", "123-45$6", false, "A123-45$6B", "123-45$6"},
    {"bcCodeCodabar", "40156", false, "A40156B", "40156"},
};

} // namespace

// The worked example from JSON: a new page with one item inserted as the command inserts it.
TEST(DocumentCli, BuildMakesTheWorkedExample) {
    QTemporaryDir Dir;
    const QByteArray Example =
        Build(Dir, QStringLiteral("example.TSM"), R"({"items": [{"class": "TQRepBarcode"}]})");
    EXPECT_EQ(Example.size(), 1424);
    EXPECT_EQ(Example.toStdString(), ExampleStream(ExamplePageRecords, {ExampleItemRecords}));

    const TCliRun Text =
        RunCli({QStringLiteral("dump"), Dir.filePath(QStringLiteral("example.TSM"))});
    EXPECT_EQ(Text.ExitCode, 0);
    const QList<QByteArray> Lines = Text.Out.split('\n');
    ASSERT_GT(Lines.size(), 60);
    EXPECT_EQ(Lines[0], "class = TQuickRep");
    EXPECT_EQ(Lines[1], "Left = 0");
    EXPECT_TRUE(Lines.contains("Page.Values = (100, 2970, 100, 2100, 100, 100, 0)"));
    EXPECT_TRUE(Lines.contains("items[0].class = TQRepBarcode"));
    EXPECT_TRUE(Lines.contains("items[0].BarcodeType = bcCodeEAN13"));
    // 50 and 100 pixels at 96 per inch in tenths of a millimetre, with every digit they need.
    const auto Sizes = std::find_if(Lines.begin(), Lines.end(), [](const QByteArray& Line) {
        return Line.startsWith("items[0].Size.Values = ");
    });
    ASSERT_NE(Sizes, Lines.end());
    EXPECT_TRUE(QRegularExpression(R"(^items\[0\]\.Size\.Values = \((132\.291666666666666\d*, ){3})"
                                   R"(264\.583333333333333\d*\)$)")
                    .match(QString::fromLatin1(*Sizes))
                    .hasMatch())
        << Sizes->toStdString();
}

// dump --json then build gives back every document this program writes, byte for byte.
TEST(DocumentCli, DumpJsonThenBuildReproducesTheDocument) {
    QTemporaryDir Dir;
    std::vector<std::pair<QString, QByteArray>> Pages;
    Pages.emplace_back(QStringLiteral("example"), R"({"items": [{"class": "TQRepBarcode"}]})");

    // All 23 symbologies with the four angles in turn, titles and own fonts, in a grid.
    QJsonArray Items;
    const char* Types[] = {"bcCode_2_5_interleaved",
                           "bcCode_2_5_industrial",
                           "bcCode_2_5_matrix",
                           "bcCode39",
                           "bcCode39Extended",
                           "bcCode128A",
                           "bcCode128B",
                           "bcCode128C",
                           "bcCode93",
                           "bcCode93Extended",
                           "bcCodeMSI",
                           "bcCodePostNet",
                           "bcCodeCodabar",
                           "bcCodeEAN8",
                           "bcCodeEAN13",
                           "bcCodeUPC_A",
                           "bcCodeUPC_E0",
                           "bcCodeUPC_E1",
                           "bcCodeUPC_Supp2",
                           "bcCodeUPC_Supp5",
                           "bcCodeEAN128A",
                           "bcCodeEAN128B",
                           "bcCodeEAN128C"};
    const char* Angles[] = {"ba0", "ba90", "ba180", "ba270"};
    for (int I = 0; I < 23; ++I) {
        QJsonObject Properties{{"BarcodeType", Types[I]},
                               {"Angle", Angles[I % 4]},
                               {"TitleRow1", QStringLiteral("Fach %1 \u00E9t\u00E9").arg(I)},
                               {"Checksum", I % 2 == 0}};
        if (I % 3 == 0) {
            Properties.insert("TitleRow2", "\u20AC 4,99");
            Properties.insert("Font.Name", "DejaVu Sans");
            Properties.insert("Font.Height", -16);
            Properties.insert("Font.Style", QJsonArray{"fsBold", "fsItalic"});
        }
        if (I % 4 == 1) {
            Properties.insert("Color", "clYellow");
            Properties.insert("ColorBar", "clNavy");
            Properties.insert("Modul", 2);
            Properties.insert("Ratio", 2.5);
        }
        if (I % 5 == 2) {
            Properties.insert("Frame.DrawTop", true);
            Properties.insert("Frame.DrawLeft", true);
            Properties.insert("Frame.Width", 2);
            Properties.insert("Frame.Color", "clRed");
        }
        Items.append(
            QJsonObject{{"class", "TQRepBarcode"},
                        {"properties", Properties},
                        {"bounds", QJsonArray{10 + 190 * (I % 4), 10 + 130 * (I / 4), 180, 120}}});
    }
    Pages.emplace_back(QStringLiteral("symbologies"), Compact(QJsonObject{{"items", Items}}));

    // A Letter landscape page in inches with a frame, a Custom page, named items and a title.
    Pages.emplace_back(
        QStringLiteral("letter"),
        Compact(QJsonObject{
            {"properties", QJsonObject{{"Page.PaperSize", "Letter"},
                                       {"Page.Orientation", "poLandscape"},
                                       {"Units", "Inches"},
                                       {"Frame.DrawBottom", true},
                                       {"Frame.Style", "psDash"},
                                       {"ReportTitle", "Regal 7"},
                                       {"Description.Strings", QJsonArray{"eins", "zwei"}}}},
            {"items", QJsonArray{QJsonObject{
                          {"name", "Price1"},
                          {"properties", QJsonObject{{"BarcodeText", "123"}, {"Checksum", false}}},
                          {"bounds", QJsonArray{300, 200, 250, 90}}}}}}));
    Pages.emplace_back(
        QStringLiteral("custom"),
        Compact(QJsonObject{
            {"properties", QJsonObject{{"Page.PaperSize", "Custom"},
                                       {"Page.Values", QJsonArray{50, 600, 50, 1000, 50, 50, 0}}}},
            {"items", QJsonArray{QJsonObject{{"bounds", QJsonArray{5, 5, 120, 40}}},
                                 QJsonObject{{"properties", QJsonObject{{"Tag", 4}}}}}}}));

    // A data merge: the page's mode and source, an item's field and a title's placeholder.
    Pages.emplace_back(
        QStringLiteral("merge"),
        Compact(QJsonObject{
            {"properties", QJsonObject{{"MergeMode", "mmRecordPerItem"},
                                       {"DataSource", "data/shelf labels.csv"}}},
            {"items", QJsonArray{QJsonObject{
                          {"properties", QJsonObject{{"DataField", "sku"},
                                                     {"TitleRow1", "${name} ${#:6}"}}}}}}}));

    for (const auto& [Name, Json] : Pages) {
        const QByteArray Original = Build(Dir, Name + ".TSM", Json);
        ASSERT_FALSE(Original.isEmpty()) << Name.toStdString();
        const TCliRun Dump =
            RunCli({QStringLiteral("dump"), QStringLiteral("--json"), Dir.filePath(Name + ".TSM")});
        ASSERT_EQ(Dump.ExitCode, 0) << Dump.Err.toStdString();
        EXPECT_FALSE(QJsonDocument::fromJson(Dump.Out).isNull()) << Name.toStdString();
        const QByteArray Again = Build(Dir, Name + "-again.TSM", Dump.Out);
        EXPECT_EQ(Again, Original) << Name.toStdString();
    }
}

// Unreadable files and descriptions end in the reader's messages, on stderr only.
TEST(DocumentCli, FailuresPrintOnlyTheReadersMessage) {
    QTemporaryDir Dir;
    const QString Damaged = Dir.filePath(QStringLiteral("damaged.TSM"));
    {
        QFile File(Damaged);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write("TPF1");
    }
    const TCliRun Dump = RunCli({QStringLiteral("dump"), QStringLiteral("--json"), Damaged});
    EXPECT_EQ(Dump.ExitCode, 1);
    EXPECT_TRUE(Dump.Out.isEmpty());
    EXPECT_TRUE(Dump.Err.endsWith(QStringLiteral("Invalid stream format\n")))
        << Dump.Err.toStdString();

    const struct {
        QByteArray Json;
        const char* Error;
    } Cases[] = {
        {R"({"items": [{}, {"class": "TQRMemo"}]})", "items[1]: Class TQRMemo not found\n"},
        {R"({"items": [{"properties": {"Foo": 1}}]})",
         "items[0]: Error reading TQRepBarcode.Foo: Property Foo does not exist\n"},
        {R"({"items": [{"properties": {"BarcodeText": "12a"}}]})",
         "items[0]: Error reading TQRepBarcode.BarcodeText: Barcode must be numeric\n"},
        {R"({"properties": {"Page.Values": [1, 2, 3, 4, 5, 6]}})",
         "Error reading TQuickRep.Page.Values: Invalid property value\n"},
        {R"({"properties": {"Units": "Furlongs"}})",
         "Error reading TQuickRep.Units: Invalid property value\n"},
        {R"({"items": [)", "Invalid page description: unexpected end at offset 11\n"},
    };
    for (const auto& Case : Cases) {
        const QString Out = Dir.filePath(QStringLiteral("never.TSM"));
        const TCliRun Run = RunCli({QStringLiteral("build"), QStringLiteral("-"), Out}, Case.Json);
        EXPECT_EQ(Run.ExitCode, 1) << Case.Json.toStdString();
        EXPECT_TRUE(Run.Err.endsWith(QString::fromUtf8(Case.Error))) << Run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Out));
    }
}

// A page with one item of each symbology that zbar reads, at Modul 1 in items of 360 by 60
// pixels, drawn at a label printer's 203 dpi, 300 and 600 dpi: every barcode is read by zbar and
// ZXing where its item stands on the sheet, and nothing is found between the items.
TEST(DocumentCli, RenderedPageDecodesItemByItem) {
    QTemporaryDir Dir;
    // Written by hand: the type must come before the text, which setting the type clears, and
    // QJsonObject would sort the names.
    QByteArray Items;
    const int Count = static_cast<int>(std::size(Decodables));
    for (int I = 0; I < Count; ++I) {
        const TDecodable& D = Decodables[I];
        Items += QStringLiteral(R"(%1{"properties": {"BarcodeType": "%2", "BarcodeText": "%3", )"
                                R"("Checksum": %4}, "bounds": [40, %5, 360, 60]})")
                     .arg(I == 0 ? "" : ", ", D.Type, D.Text, D.Checksum ? "true" : "false")
                     .arg(20 + 82 * I)
                     .toUtf8();
    }
    Build(Dir, QStringLiteral("decodable.TSM"), "{\"items\": [" + Items + "]}");
    QImageReader::setAllocationLimit(512); // megabytes: A4 at 600 dpi is 139
    for (const int Dpi : {203, 300, 600}) {
        const QString Png = Dir.filePath(QStringLiteral("decodable.png"));
        const TCliRun Render =
            RunCli({QStringLiteral("render"), QStringLiteral("--dpi"), QString::number(Dpi),
                    Dir.filePath(QStringLiteral("decodable.TSM")), Png});
        ASSERT_EQ(Render.ExitCode, 0) << Render.Err.toStdString();
        const QImage Sheet(Png);
        // A4: 210 by 297 mm.
        ASSERT_EQ(Sheet.size(), QSize(RoundToInt(210 / 25.4 * Dpi), RoundToInt(297 / 25.4 * Dpi)));
        // Screen pixels (96 per inch) to sheet pixels.
        const auto Device = [Dpi](int Pixels) { return Pixels * Dpi / 96; };
        for (int I = 0; I < Count; ++I) {
            const QRect Item(Device(40) - Dpi / 10, Device(20 + 82 * I) - Dpi / 15,
                             Device(360) + Dpi / 5, Device(60) + Dpi / 7);
            const QImage Around = Sheet.copy(Item);
            EXPECT_EQ(DecodeImage(Around), std::vector<std::string>{Decodables[I].Decoded})
                << Decodables[I].Type << " " << Decodables[I].Text << " at " << Dpi;
            EXPECT_EQ(DecodeImageZXing(Around), std::vector<std::string>{Decodables[I].ZXing})
                << Decodables[I].Type << " " << Decodables[I].Text << " at " << Dpi;
        }
        // The gaps between the items hold nothing.
        EXPECT_TRUE(
            DecodeImage(Sheet.copy(0, Device(20 + 82 * Count), Sheet.width(), Dpi)).empty());
    }
}

namespace {

// A4 with 30 places of 140 by 90 pixels, 5 across and 6 down, each a Code 128 B item bound to
// Field; Mode the page's merge mode.
QByteArray LabelSheet(const char* Mode, const char* Field, int Places) {
    QByteArray Items;
    for (int I = 0; I < Places; ++I)
        Items += QStringLiteral(R"(%1{"properties": {"BarcodeType": "bcCode128B", )"
                                R"("DataField": "%2"}, "bounds": [%3, %4, 140, 90]})")
                     .arg(I == 0 ? "" : ", ", Field)
                     .arg(20 + 150 * (I % 5))
                     .arg(20 + 180 * (I / 5))
                     .toUtf8();
    return QStringLiteral(R"({"properties": {"MergeMode": "%1"}, "items": [)").arg(Mode).toUtf8() +
           Items + "]}";
}

QByteArray Lines(const QByteArray& Header, int Count, const char* Format) {
    QByteArray Csv = Header + "\n";
    for (int I = 1; I <= Count; ++I)
        Csv += QString::asprintf(Format, I).toUtf8() + "\n";
    return Csv;
}

} // namespace

// Records into sheets: record per page gives a PDF page a record, record per item a PNG a sheet
// of 30 labels with the last sheet's unused places empty, a sequence numbers the labels. Every
// label is read back by zbar at its place, in record order.
TEST(DocumentCli, MergedSheetsDecodeRecordByRecord) {
    QTemporaryDir Dir;
    const struct {
        const char* Name;
        QByteArray Page;
        QStringList Source; // the render's options; "CSV" is replaced by the file of Data
        QByteArray Data;
        int Sheets;
        int Places;
        std::function<QString(int)> Label; // the text of the Nth label, 1-based
    } Cases[] = {
        {"7 records, one a page",
         LabelSheet("mmRecordPerPage", "sku", 1),
         {"--data", "CSV"},
         Lines("sku,name", 7, "SKU-%d,x"),
         7,
         1,
         [](int N) { return QStringLiteral("SKU-%1").arg(N); }},
        {"65 records on 30 places, from standard input",
         LabelSheet("mmRecordPerItem", "sku", 30),
         {"--data", "-"},
         Lines("sku", 65, "R%02d"),
         3,
         30,
         [](int N) {
             return N <= 65 ? QStringLiteral("R%1").arg(N, 2, 10, QLatin1Char('0')) : QString();
         }},
        {"a sequence 1 to 100",
         LabelSheet("mmRecordPerItem", "#", 30),
         {"--sequence", "1:100"},
         {},
         4,
         30,
         [](int N) { return N <= 100 ? QString::number(N) : QString(); }},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Build(Dir, QStringLiteral("labels.TSM"), Case.Page);
        const QString Csv = Dir.filePath(QStringLiteral("records.csv"));
        QFile(Csv).remove();
        if (!Case.Data.isEmpty() && Case.Source.at(1) == QLatin1String("CSV")) {
            QFile File(Csv);
            ASSERT_TRUE(File.open(QIODevice::WriteOnly));
            File.write(Case.Data);
        }
        QStringList Source = Case.Source;
        Source.replaceInStrings(QStringLiteral("CSV"), Csv);
        // One PDF for the pages of the first case, PNG files for the sheets of the others.
        const bool Pdf = Case.Places == 1;
        const QString Out =
            Dir.filePath(Pdf ? QStringLiteral("out.pdf") : QStringLiteral("out.png"));
        const TCliRun Render = RunCli(
            QStringList{QStringLiteral("render"), QStringLiteral("--dpi"), QStringLiteral("150"),
                        Dir.filePath(QStringLiteral("labels.TSM")), Out} +
                Source,
            Source.at(1) == QLatin1String("-") ? Case.Data : QByteArray());
        ASSERT_EQ(Render.ExitCode, 0) << Render.Err.toStdString();
        EXPECT_TRUE(Render.Err.isEmpty() || !Render.Err.contains(QLatin1String("Record")));
        if (Pdf) {
            QProcess Pages;
            Pages.start(QStringLiteral("pdftoppm"),
                        {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"), Out,
                         Dir.filePath(QStringLiteral("out"))});
            ASSERT_TRUE(Pages.waitForFinished(60000));
        }
        for (int Sheet = 1; Sheet <= Case.Sheets + 1; ++Sheet) {
            const QString Name = Dir.filePath(QStringLiteral("out-%1.png").arg(Sheet));
            // As many sheets as the records need, and not one more.
            ASSERT_EQ(QFile::exists(Name), Sheet <= Case.Sheets) << Sheet;
            if (Sheet > Case.Sheets)
                break;
            const QImage Image(Name);
            for (int Place = 0; Place < Case.Places; ++Place) {
                const auto At = [](int Pixels) { return Pixels * 150 / 96; };
                const QImage Label = Image.copy(At(10 + 150 * (Place % 5)),
                                                At(10 + 180 * (Place / 5)), At(160), At(110));
                const QString Text = Case.Label((Sheet - 1) * Case.Places + Place + 1);
                EXPECT_EQ(DecodeImage(Label), Text.isEmpty()
                                                  ? std::vector<std::string>{}
                                                  : std::vector<std::string>{Text.toStdString()})
                    << "sheet " << Sheet << " place " << Place;
            }
            QFile::remove(Name);
        }
    }
}

// Bad data prints nothing: the first failure's message alone, exit status 1, and the output
// file as it was before.
TEST(DocumentCli, BadRecordsWriteNothing) {
    QTemporaryDir Dir;
    Build(Dir, QStringLiteral("ean.TSM"),
          R"({"items": [{"properties": {"BarcodeType": "bcCodeEAN13", "DataField": "ean", )"
          R"("TitleRow1": "${name}"}}]})");
    const struct {
        QByteArray Data;
        const char* Error;
    } Cases[] = {
        // EAN-13 takes digits only (the engine's message, as build reports it above).
        {"ean,name\n400638133393,a\n40063813339X,b\n",
         "Record 2 (line 3), column \"ean\": Barcode must be numeric\n"},
        // The quoted field's line break moves the next record down a line.
        {"ean,name\n400638133393,\"a\nb\"\n12,c\n1x,d\n",
         "Record 3 (line 5), column \"ean\": Barcode must be numeric\n"},
        {"ean\n400638133393\n", "Line 1: the data source has no column \"name\", which the "
                                "document uses\n"},
        {"ean,name\n\"400638133393,a\n", "Line 2: a quoted field is not closed\n"},
        {"", "The data source is empty: it has no header line\n"},
        {"ean,name\n", "The data source has no records\n"},
        {"ean,name\n400638133393\n", "Record 1 (line 2) has 1 fields where the header has 2\n"},
    };
    const QString Out = Dir.filePath(QStringLiteral("labels.pdf"));
    for (const auto& Case : Cases) {
        {
            QFile Old(Out);
            ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
            Old.write("old");
        }
        const TCliRun Run =
            RunCli({QStringLiteral("render"), Dir.filePath(QStringLiteral("ean.TSM")), Out,
                    QStringLiteral("--data"), QStringLiteral("-")},
                   Case.Data);
        EXPECT_EQ(Run.ExitCode, 1) << Case.Error;
        EXPECT_TRUE(Run.Err.endsWith(QString::fromUtf8(Case.Error))) << Run.Err.toStdString();
        EXPECT_EQ(Contents(Out), "old") << Case.Error;
    }
    const TCliRun Sequence =
        RunCli({QStringLiteral("render"), Dir.filePath(QStringLiteral("ean.TSM")), Out,
                QStringLiteral("--sequence"), QStringLiteral("5:1")});
    EXPECT_EQ(Sequence.ExitCode, 1);
    EXPECT_TRUE(Sequence.Err.endsWith(QStringLiteral(
        "\"5:1\" is not a number sequence: give FROM:TO or FROM:TO:STEP, with a step that "
        "reaches TO\n")))
        << Sequence.Err.toStdString();
}
