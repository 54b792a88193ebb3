#include "../barcode/Decode.h"
#include "../document/PageTestSupport.h"
#include "SamplePage.h"
#include "Spooler.h"

#include "common/Rounding.h"
#include "common/TException.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"
#include "printing/GraphicExport.h"
#include "printing/TPaintDevicePrintJob.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A job with a printer's resolution and unprintable edges, drawing nowhere.
class TFixedJob : public TCustomPrintJob {
public:
    TFixedJob(int Dpi, long double LeftWaste, long double TopWaste) {
        FXFactor = FYFactor = Dpi / 254.0L;
        FLeftWaste = LeftWaste;
        FTopWaste = TopWaste;
    }
    QPainter& Canvas() override { return FCanvas; }

private:
    QPainter FCanvas;
};

} // namespace

// The printer example: 600 dpi with physical offsets of 100 pixels gives unprintable edges of
// 100 / 600 * 254 = 42.33, rounded to 42; 50 mm from the sheet's edge lands at
// (500 - 42) * 600 / 254 = 1081.9 pixels.
TEST(PrintJob, DevicePixelsFromTheSheetEdge) {
    const TFixedJob Job(600, 42, 42);
    EXPECT_EQ(Job.DeviceX(500), 1082);
    EXPECT_EQ(Job.DeviceY(42), 0);
    EXPECT_EQ(Job.DeviceX(0), -99); // inside the unprintable edge: clipped by the device
    EXPECT_EQ(Job.DeviceWidth(254), 600);
    EXPECT_EQ(Job.DeviceHeight(1e30L), 1 << 28); // absurd lengths stay representable
}

// Each item printed onto a 300 dpi sheet reads back with zbarimg, at the place of its item,
// whatever its angle.
TEST(PrintJob, PrintedItemsDecodeWhereTheyStand) {
    const TFixedSystem System(false);
    TReportPage Page;
    const std::vector<TBarcodeItem*> Items = PlaceSampleItems(Page);
    const QImage Sheet = TPaintDevicePrintJob::RenderImage(Page, 300);
    EXPECT_EQ(Sheet.size(), QSize(2480, 3508)); // A4 at 300 dpi
    for (std::size_t I = 0; I < Items.size(); ++I) {
        const QImage Around = Sheet.copy(SheetRect(*Items[I], 300, 40));
        EXPECT_EQ(DecodeImage(Around), std::vector<std::string>{SampleItems[I].Decoded}) << I;
    }
    // The run put the page's unit back and ended printing.
    EXPECT_EQ(Page.Units(), TPageUnit::MM);
    EXPECT_EQ(Items[0]->Size().Units(), TPageUnit::MM);
    EXPECT_FALSE(Items[0]->Printing());
}

// The item's frame and the page's frame between the margins, at their places on the sheet.
TEST(PrintJob, FramesOfItemsAndPage) {
    const TFixedSystem System(false);
    TReportPage Page;
    TBarcodeItem* Item = PlaceItem(Page, {96, 96, 96, 96}, bcCodeEAN13, "1");
    Item->Frame().SetDrawLeft(true);
    Item->Frame().SetColor(0x0000FF); // red
    Page.Frame().SetDrawTop(true);
    Page.Frame().SetColor(0xFF0000);                                   // blue
    const QImage Sheet = TPaintDevicePrintJob::RenderImage(Page, 254); // one pixel per 0.1 mm
    // The item is at one inch, 254 pixels; a frame of width 1 is 254 / 72 = 3.5 -> 4 pixels.
    for (int X = 252; X < 260; ++X)
        EXPECT_EQ(Sheet.pixelColor(X, 300) == QColor(Qt::red), X >= 254 && X < 258) << X;
    // The page's top margin is 10 mm.
    EXPECT_EQ(Sheet.pixelColor(1000, 99), QColor(Qt::white));
    EXPECT_EQ(Sheet.pixelColor(1000, 100), QColor(Qt::blue));
    EXPECT_EQ(Sheet.pixelColor(99, 101), QColor(Qt::white));
}

// A PDF sheet has the page's paper size, also when it is wider than high.
TEST(PrintJob, PdfSheetHasThePaperSize) {
    const TFixedSystem System(false);
    const QTemporaryDir Dir;
    struct TCase {
        TPrinterOrientation Orientation;
        const char* MediaBox; // in points: 210 x 297 mm
    };
    const TCase Cases[] = {{poPortrait, "0 0 595 842"}, {poLandscape, "0 0 842 595"}};
    for (const TCase& C : Cases) {
        TReportPage Page;
        Page.Page().SetOrientation(C.Orientation);
        PlaceItem(Page, {50, 50, 100, 50}, bcCodeEAN13, "1");
        const QString Path = Dir.filePath(QStringLiteral("page.pdf"));
        TPaintDevicePrintJob::RenderPdf(Page, Path, 300);
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::ReadOnly));
        const QString Content = QString::fromLatin1(File.readAll());
        const QRegularExpressionMatch Box =
            QRegularExpression(QStringLiteral("/MediaBox \\[([0-9 .]+)\\]")).match(Content);
        ASSERT_TRUE(Box.hasMatch());
        QStringList Numbers;
        for (const QString& N : Box.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            Numbers << QString::number(qRound(N.toDouble()));
        EXPECT_EQ(Numbers.join(QLatin1Char(' ')).toStdString(), C.MediaBox);
    }
    TReportPage Page;
    EXPECT_THROW(TPaintDevicePrintJob::RenderPdf(Page, Dir.filePath("no/such.pdf"), 300),
                 TException);
}

// An item's graphic, as PNG, SVG and PDF at 300 dpi: the item's size (the PNG in pixels with
// 300 dpi in the file, the SVG in its view box, the PDF in Qt's whole points), and the barcode
// reads back, set on a white page as a word processor would place it.
TEST(GraphicExport, ItemGraphicsHaveTheItemsSizeAndDecode) {
    const TFixedSystem System(false);
    EnsureGuiApplication();
    const QTemporaryDir Dir;
    TReportPage Page;
    const std::vector<TBarcodeItem*> Items = PlaceSampleItems(Page);
    for (const std::size_t I : {0U, 1U}) { // EAN-13 with a title row, Code 128 at 90 degrees
        const TPrintableSize& S = Items[I]->Size();
        const QSizeF MM(double(S.NativeValue(TPrintableSize::svWidth) / 10),
                        double(S.NativeValue(TPrintableSize::svHeight) / 10));
        const QSize Pixels(RoundToInt(MM.width() / 25.4 * 300),
                           RoundToInt(MM.height() / 25.4 * 300));
        const std::vector<std::string> Decoded{SampleItems[I].Decoded};
        for (const char* Suffix : {"png", "svg", "pdf"}) {
            const QString File = Dir.filePath(QStringLiteral("item.") + Suffix);
            ExportItemGraphic(*Items[I], File, 300);
            QImage Graphic;
            if (Suffix == std::string("png")) {
                Graphic = QImage(File);
                EXPECT_EQ(Graphic.size(), Pixels);
                EXPECT_EQ(Graphic.dotsPerMeterX(), 11811); // 300 / 0.0254
            } else if (Suffix == std::string("svg")) {
                QSvgRenderer Svg(File);
                EXPECT_EQ(Svg.viewBox().size(), Pixels);
                Graphic = QImage(Svg.viewBox().size(), QImage::Format_RGB32);
                Graphic.fill(Qt::white);
                QPainter Painter(&Graphic);
                Svg.render(&Painter);
            } else {
                const std::vector<QSizeF> Sizes = PdfPageSizesMM(File);
                ASSERT_EQ(Sizes.size(), 1U);
                EXPECT_NEAR(Sizes[0].width(), MM.width(), 0.36);
                EXPECT_NEAR(Sizes[0].height(), MM.height(), 0.36);
                Graphic = RasterizePdf(File, 300).at(0);
            }
            EXPECT_EQ(DecodeImage(OnWhitePage(Graphic, 40)), Decoded) << Suffix << " " << I;
        }
    }
    EXPECT_THROW(ExportItemGraphic(*Items[0], Dir.filePath(QStringLiteral("item.gif")), 300),
                 TException);
}
