#include "PageTestSupport.h"

#include "common/TException.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QFontMetrics>
#include <QImage>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

// An item as the insert command places it: on the page at 50, 50, 100 x 50 pixels.
TBarcodeItem* NewItem(TReportPage& Page, QSize Size = {100, 50}) {
    auto* Item = new TBarcodeItem(&Page);
    Item->SetBounds(50, 50, Size.width(), Size.height());
    Item->SetParent(&Page);
    return Item;
}

std::optional<std::string> ErrorOf(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const TException& E) {
        return std::string(E.what());
    }
    return std::nullopt;
}

bool IsBlack(const QImage& Image, int X, int Y) {
    return Image.pixelColor(X, Y) == QColor(Qt::black);
}

// Rows from Top down to the first one whose pixel in column X is not black.
int BlackRun(const QImage& Image, int X, int Top) {
    int Y = Top;
    while (Y < Image.height() && IsBlack(Image, X, Y))
        ++Y;
    return Y - Top;
}

} // namespace

class TestBarcodeItem : public QObject {
    Q_OBJECT

private slots:
    void ConstructionDefaults();
    void SettersValidateThroughTheEngine();
    void ReadingAppliesStoredSettingsOnce();
    void NewItemStretchesItsPictureOver97Pixels();
    void ColorFillsTheItemButNotTheSpaces();
    void TitleRowsTakeTheirHeight();
    void TurnedBarcodeTakesTheLowestPixels();
};

void TestBarcodeItem::ConstructionDefaults() {
    const TFixedSystem System(false);
    TReportPage Page;
    TBarcodeItem* Item = NewItem(Page);
    QCOMPARE(Item->Angle(), ba0);
    QCOMPARE(Item->BarcodeType(), bcCodeEAN13);
    QCOMPARE(Item->BarcodeText(), std::string());
    QCOMPARE(Item->Checksum(), true);
    QCOMPARE(Item->CheckSumMethod(), csmModulo10);
    QCOMPARE(Item->Color(), clWhite);
    QVERIFY(Item->ColorIsOwn());
    QCOMPARE(Item->ColorBar(), clBlack);
    QCOMPARE(Item->Modul(), 1);
    QCOMPARE(Item->Ratio(), 2.0);
    QVERIFY(Item->TitleRow1().empty() && Item->TitleRow2().empty());
    QVERIFY(Item->Enabled());
    QVERIFY(Item->Frame().Color() == clBlack && !Item->Frame().AnyLine());
    QCOMPARE(Item->Frame().Width(), 1);
    QCOMPARE(Item->Barcode().Checksum(), true);
    QCOMPARE(Item->Barcode().Angle(), 0.0);

    // The font is the page's until the item gets one of its own.
    QVERIFY(!Item->FontIsOwn());
    QCOMPARE(Item->Font(), Page.Font());
    TFont Courier = Page.Font();
    Courier.Name = QStringLiteral("Courier New");
    Item->SetFont(Courier);
    TFont Times = Page.Font();
    Times.Name = QStringLiteral("Times New Roman");
    Page.SetFont(Times);
    QVERIFY(Item->FontIsOwn());
    QCOMPARE(Item->Font().Name, QStringLiteral("Courier New"));
}

// Each step is one setter; a rejected value keeps the old one in the item and the engine.
void TestBarcodeItem::SettersValidateThroughTheEngine() {
    const TFixedSystem System(false);
    TReportPage Page;
    TBarcodeItem* Item = NewItem(Page);
    struct TStep {
        const char* Label;
        std::function<void(TBarcodeItem&)> Set;
        const char* Error;   // nullptr when accepted
        std::string Text;    // the item's BarcodeText afterwards
        std::string Working; // the engine's Text afterwards
    };
    const TStep Steps[] = {
        // Padded to twelve digits with check digit 6 (3 * 3 + 2 + 1 * 3 = 14, 10 - 4 = 6).
        {"EAN-13 text", [](TBarcodeItem& I) { I.SetBarcodeText("123"); }, nullptr, "123",
         "0000000001236"},
        {"equal text leaves the working text", [](TBarcodeItem& I) { I.SetBarcodeText("123"); },
         nullptr, "123", "0000000001236"},
        {"letters rejected", [](TBarcodeItem& I) { I.SetBarcodeText("12a"); },
         "Barcode must be numeric", "123", "123"},
        {"type clears the text", [](TBarcodeItem& I) { I.SetBarcodeType(bcCode39); }, nullptr, "",
         ""},
        {"Code 93 rejects lower case",
         [](TBarcodeItem& I) {
             I.SetBarcodeType(bcCode93);
             I.SetBarcodeText("ab");
         },
         "TBarcodeEngine:Code93 bad Data <ab>", "", ""},
        {"EAN-128 B letters without check digit",
         [](TBarcodeItem& I) {
             I.SetBarcodeType(bcCodeEAN128B);
             I.SetChecksum(false);
             I.SetBarcodeText("AB12");
         },
         nullptr, "AB12", "AB12"},
        {"EAN-128 B check digit over letters", [](TBarcodeItem& I) { I.SetChecksum(true); },
         "'A' is not a valid integer value", "AB12", "AB12"},
        // The working text already has thirteen digits: turning the check digit on keeps it.
        {"EAN-13 without check digit",
         [](TBarcodeItem& I) {
             I.SetBarcodeType(bcCodeEAN13);
             I.SetBarcodeText("123");
         },
         nullptr, "123", "0000000000123"},
        {"check digit on", [](TBarcodeItem& I) { I.SetChecksum(true); }, nullptr, "123",
         "0000000000123"},
    };
    for (const TStep& S : Steps) {
        const std::optional<std::string> Error = ErrorOf([&] { S.Set(*Item); });
        QVERIFY2(Error == (S.Error ? std::optional<std::string>(S.Error) : std::nullopt),
                 qPrintable(QString::fromStdString(S.Label + std::string(": ") +
                                                   Error.value_or("no error"))));
        QVERIFY2(Item->BarcodeText() == S.Text, S.Label);
        QVERIFY2(Item->Barcode().Text() == S.Working,
                 qPrintable(QString::fromStdString(S.Label + (": " + Item->Barcode().Text()))));
    }
    QCOMPARE(Item->Checksum(), true);
    QVERIFY(Item->Barcode().Checksum());

    // Ratio keeps the value as set; the engine keeps its own copy within 2 to 3.
    const std::pair<double, double> Ratios[] = {{1.5, 2.0}, {3.5, 3.0}, {2.5, 2.5}};
    for (const auto& [Set, Engine] : Ratios) {
        Item->SetRatio(Set);
        QCOMPARE(Item->Ratio(), Set);
        QCOMPARE(Item->Barcode().Ratio(), Engine);
    }
    Item->SetAngle(ba270);
    Item->SetColorBar(0xFF0000);
    QCOMPARE(Item->Barcode().Angle(), 270.0);
    QCOMPARE(Item->Barcode().ColorBar(), 0xFF0000);
}

// A reader creates the item, applies the stored properties in file order and ends reading: the
// engine then starts from the stored settings, so the item draws what it drew when it was saved.
void TestBarcodeItem::ReadingAppliesStoredSettingsOnce() {
    const TFixedSystem System(false);
    using TApply = std::function<void(TBarcodeItem&)>;
    const auto Type = [](TBarcodeType T) { return [T](TBarcodeItem& I) { I.SetBarcodeType(T); }; };
    const auto Text = [](std::string S) { return [S](TBarcodeItem& I) { I.SetBarcodeText(S); }; };
    const TApply ChecksumOff = [](TBarcodeItem& I) { I.SetChecksum(false); };
    struct TCase {
        const char* Label;
        std::vector<TApply> Stored;
        const char* Error;
        std::string Text;
        std::string Working;
    };
    const TCase Cases[] = {
        // Applied one by one with validation the text would become 0000000001236.
        {"EAN-13 without check digit",
         {Type(bcCodeEAN13), Text("123"), ChecksumOff},
         nullptr,
         "123",
         "0000000000123"},
        // With validation at every step the check digit would reject the letters.
        {"EAN-128 B letters",
         {Type(bcCodeEAN128B), Text("AB12"), ChecksumOff},
         nullptr,
         "AB12",
         "AB12"},
        {"text before type is lost", {Text("ABC"), Type(bcCode39)}, nullptr, "", ""},
        {"stored text the engine rejects",
         {Type(bcCodeEAN13), Text("12a")},
         "Barcode must be numeric",
         "12a",
         "12a"},
    };
    for (const TCase& C : Cases) {
        TReportPage Page;
        auto* Item = new TBarcodeItem(&Page);
        Item->BeginReading();
        Item->SetParent(&Page);
        for (const TApply& Apply : C.Stored)
            Apply(*Item);
        const std::optional<std::string> Error = ErrorOf([Item] { Item->AfterReading(); });
        QVERIFY2(Error == (C.Error ? std::optional<std::string>(C.Error) : std::nullopt), C.Label);
        QVERIFY2(Item->BarcodeText() == C.Text, C.Label);
        QVERIFY2(Item->Barcode().Text() == C.Working,
                 qPrintable(QString::fromStdString(C.Label + (": " + Item->Barcode().Text()))));
    }
}

// 100 x 50 pixels: the content rectangle is 1, 1, 99, 49; the 95-unit EAN-13 picture is centred
// at L = (100 - 95) div 2 - 2 = 0 over W + 2 = 97 pixels, 48 high, so it is round(48 * 95 / 97)
// = 47 units high and the bars 47 - 7 = 40 units, 40 * 48 / 47 = 40.85 pixels: rows 1 to 41.
void TestBarcodeItem::NewItemStretchesItsPictureOver97Pixels() {
    const TFixedSystem System(false);
    TReportPage Page;
    TBarcodeItem* Item = NewItem(Page);
    const QImage Image = Item->grab().toImage();
    QCOMPARE(Image.size(), QSize(100, 50));
    // Guard bars at units 0 and 94 end at pixels 1.02 and 97; the spaces next to them are white.
    const std::pair<int, bool> Columns[] = {{0, true},  {1, false},  {95, false},
                                            {96, true}, {97, false}, {98, false}};
    for (const auto& [X, Bar] : Columns)
        QVERIFY2(IsBlack(Image, X, 20) == Bar, qPrintable(QString::number(X)));
    // Column 0 also carries the corner marks in rows 0 to 3 and 46 to 49.
    QCOMPARE(BlackRun(Image, 0, 0), 42);
    QVERIFY(!IsBlack(Image, 0, 42) && !IsBlack(Image, 0, 45));
    QCOMPARE(Item->Barcode().Height(), 40);
    QCOMPARE(Item->Barcode().Text(), std::string(13, '0'));
}

void TestBarcodeItem::ColorFillsTheItemButNotTheSpaces() {
    const TFixedSystem System(false);
    TReportPage Page;
    TBarcodeItem* Item = NewItem(Page);
    Item->SetColor(0x00FFFF); // clYellow
    const QImage Image = Item->grab().toImage();
    QCOMPARE(Image.pixelColor(98, 20), QColor(Qt::yellow));
    QCOMPARE(Image.pixelColor(50, 0), QColor(Qt::yellow)); // the border is the window colour
    QCOMPARE(Image.pixelColor(1, 20), QColor(Qt::white));  // the space after the first bar
    // The boxes behind the digits, units 3 to 44 and 49 to 91 of the text band.
    for (int X = 4; X < 93; X += X == 44 ? 7 : 1)
        QVERIFY2(Image.pixelColor(X, 46) != QColor(Qt::yellow), qPrintable(QString::number(X)));
}

// Each title row takes its text height and one pixel; with both rows using up the item, only
// background and titles are drawn.
void TestBarcodeItem::TitleRowsTakeTheirHeight() {
    const TFixedSystem System(false);
    TReportPage Page;
    const int RowHeight = QFontMetrics(Page.Font().ToQFont()).height() + 1;
    struct TCase {
        const char* Row1;
        const char* Row2;
        int Height;
        int BarTop; // -1: no barcode
    };
    const TCase Cases[] = {{"", "", 50, 1},
                           {"Title", "", 50, 1 + RowHeight},
                           {"", "Title", 50, 1 + RowHeight},
                           {"Title", "Sub", 80, 1 + 2 * RowHeight},
                           {"Title", "Sub", 2 * RowHeight + 1, -1}};
    for (const TCase& C : Cases) {
        TBarcodeItem* Item = NewItem(Page, {100, C.Height});
        Item->SetTitleRow1(C.Row1);
        Item->SetTitleRow2(C.Row2);
        const QImage Image = Item->grab().toImage();
        // Column 0 holds the first guard bar; the corner marks cover rows 0 to 3.
        int Top = 4;
        while (Top < C.Height - 4 && !IsBlack(Image, 0, Top))
            ++Top;
        const int Expected = C.BarTop < 0 ? C.Height - 4 : std::max(C.BarTop, 4);
        QVERIFY2(Top == Expected,
                 qPrintable(QStringLiteral("%1/%2: %3").arg(C.Row1, C.Row2).arg(Top)));
        delete Item;
    }
}

// At 90 degrees the 95 pixels of the barcode stand at the bottom of the item, across its width,
// and read from bottom to top: the first guard bar is the lowest row.
void TestBarcodeItem::TurnedBarcodeTakesTheLowestPixels() {
    const TFixedSystem System(false);
    TReportPage Page;
    TBarcodeItem* Item = NewItem(Page, {100, 150});
    Item->SetAngle(ba90);
    const QImage Image = Item->grab().toImage();
    const auto BlackInRow = [&Image](int Y) {
        for (int X = 1; X < 99; ++X)
            if (IsBlack(Image, X, Y))
                return true;
        return false;
    };
    // Rows 149 - 95 = 54 to 148 carry the barcode, one unit per row.
    QVERIFY(!BlackInRow(53));
    QVERIFY(BlackInRow(54));  // end guard
    QVERIFY(!BlackInRow(55)); // its space
    QVERIFY(!BlackInRow(147));
    QVERIFY(BlackInRow(148)); // start guard
}

QTEST_MAIN(TestBarcodeItem)
#include "TestBarcodeItem.moc"
