#include "SamplePage.h"

#include "../barcode/Decode.h"
#include "Spooler.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"
#include "printing/TPaintDevicePrintJob.h"

#include <gtest/gtest.h>

namespace {

int Pixels(long double Native, int Dpi) {
    return RoundToInt(Native / 254 * Dpi);
}

// The first dark pixel from Start stepping by Step; -1 when the line has none.
int FirstInk(const QImage& Sheet, QPoint Start, QPoint Step) {
    for (QPoint P = Start; Sheet.rect().contains(P); P += Step)
        if (qGray(Sheet.pixel(P)) < 128)
            return Step.x() != 0 ? P.x() : P.y();
    return -1;
}

} // namespace

TBarcodeItem* PlaceItem(TReportPage& Page, QRect Pixels, TBarcodeType Type, const char* Text,
                        TBarcodeAngle Angle) {
    auto* Item = new TBarcodeItem(&Page);
    Item->SetBounds(Pixels.x(), Pixels.y(), Pixels.width(), Pixels.height());
    Item->SetParent(&Page);
    Item->SetBarcodeType(Type);
    Item->SetBarcodeText(Text);
    Item->SetAngle(Angle);
    return Item;
}

std::vector<TBarcodeItem*> PlaceSampleItems(TReportPage& Page) {
    std::vector<TBarcodeItem*> Items;
    for (const TSampleItem& S : SampleItems) {
        Items.push_back(PlaceItem(Page, S.Pixels, S.Type, S.Text, S.Angle));
        Items.back()->SetTitleRow1(S.Title);
    }
    TPrintFrame& Frame = Page.Frame();
    Frame.SetDrawLeft(true);
    Frame.SetDrawTop(true);
    Frame.SetDrawRight(true);
    Frame.SetDrawBottom(true);
    return Items;
}

QRect SheetRect(const TPrintable& Item, int Dpi, int Margin) {
    const TPrintableSize& S = Item.Size();
    return QRect(Pixels(S.NativeValue(TPrintableSize::svLeft), Dpi),
                 Pixels(S.NativeValue(TPrintableSize::svTop), Dpi),
                 Pixels(S.NativeValue(TPrintableSize::svWidth), Dpi),
                 Pixels(S.NativeValue(TPrintableSize::svHeight), Dpi))
        .adjusted(-Margin, -Margin, Margin, Margin);
}

void ExpectSampleSheet(const QImage& Sheet, TReportPage& Page, int Dpi) {
    const int HalfMM = Dpi * 5 / 254;
    const QImage Reference = TPaintDevicePrintJob::RenderImage(Page, Dpi);
    // pdftoppm rounds the sheet up to whole pixels, the render job to the nearest.
    ASSERT_NEAR(Sheet.width(), Reference.width(), 1);
    ASSERT_NEAR(Sheet.height(), Reference.height(), 1);
    const QList<TBarcodeItem*> Items = Page.findChildren<TBarcodeItem*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(std::size_t(Items.size()), SampleItems.size());
    for (std::size_t I = 0; I < SampleItems.size(); ++I) {
        const TBarcodeItem* Item = Items[qsizetype(I)];
        const QRect Around = SheetRect(*Item, Dpi, Dpi / 8);
        EXPECT_EQ(DecodeImage(Sheet.copy(Around)), std::vector<std::string>{SampleItems[I].Decoded})
            << SampleItems[I].Text;
        const QRect Printed = InkBounds(Sheet, Around);
        const QRect Expected = InkBounds(Reference, Around);
        EXPECT_NEAR(Printed.left(), Expected.left(), HalfMM) << SampleItems[I].Text;
        EXPECT_NEAR(Printed.top(), Expected.top(), HalfMM) << SampleItems[I].Text;
        EXPECT_NEAR(Printed.right(), Expected.right(), HalfMM) << SampleItems[I].Text;
        EXPECT_NEAR(Printed.bottom(), Expected.bottom(), HalfMM) << SampleItems[I].Text;
    }
    // The frame's lines lie on the margins; a line of width 1 is 1/72 inch wide, so its inner edge
    // is where the margin's pixel rounds to, or one short of it.
    const TPageGeometry& G = Page.Page();
    const QPoint Middle(Sheet.width() / 2, Sheet.height() / 2);
    const int Left = Pixels(G.NativeValue(TPageGeometry::pvLeftMargin), Dpi);
    const int Top = Pixels(G.NativeValue(TPageGeometry::pvTopMargin), Dpi);
    EXPECT_NEAR(FirstInk(Sheet, {0, Middle.y()}, {1, 0}), Left, HalfMM);
    EXPECT_NEAR(FirstInk(Sheet, {Middle.x(), 0}, {0, 1}), Top, HalfMM);
    const int Right = Sheet.width() - Pixels(G.NativeValue(TPageGeometry::pvRightMargin), Dpi) - 1;
    EXPECT_NEAR(FirstInk(Sheet, {Sheet.width() - 1, Middle.y()}, {-1, 0}), Right, HalfMM);
}
