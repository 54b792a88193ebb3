#include "SamplePage.h"

#include "../barcode/Decode.h"
#include "Spooler.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"
#include "printing/TPaintDevicePrintJob.h"

#include <cstdlib>

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

QStringList SampleSheetFaults(const QImage& Sheet, TReportPage& Page, int Dpi) {
    QStringList Faults;
    const auto Near = [&Faults, Tolerance = Dpi * 5 / 254](const QString& What, int Actual,
                                                           int Expected) {
        if (std::abs(Actual - Expected) > Tolerance)
            Faults << QStringLiteral("%1 at %2, not %3").arg(What).arg(Actual).arg(Expected);
    };
    const QImage Reference = TPaintDevicePrintJob::RenderImage(Page, Dpi);
    // pdftoppm rounds the sheet up to whole pixels, the render job to the nearest.
    Near(QStringLiteral("sheet's width"), Sheet.width(), Reference.width());
    Near(QStringLiteral("sheet's height"), Sheet.height(), Reference.height());
    const QList<TBarcodeItem*> Items = Page.findChildren<TBarcodeItem*>(Qt::FindDirectChildrenOnly);
    if (std::size_t(Items.size()) != SampleItems.size())
        return Faults << QStringLiteral("%1 items on the page").arg(Items.size());
    for (std::size_t I = 0; I < SampleItems.size(); ++I) {
        const QString Name = QString::fromLatin1(SampleItems[I].Text);
        const QRect Around = SheetRect(*Items[qsizetype(I)], Dpi, Dpi / 8);
        const std::vector<std::string> Read = DecodeImage(Sheet.copy(Around));
        if (Read != std::vector<std::string>{SampleItems[I].Decoded})
            Faults << QStringLiteral("%1 read as %2 of %3 symbols")
                          .arg(Name,
                               QString::fromStdString(Read.empty() ? "nothing" : Read.front()))
                          .arg(Read.size());
        const QRect Printed = InkBounds(Sheet, Around);
        const QRect Expected = InkBounds(Reference, Around);
        Near(Name + QStringLiteral(" left"), Printed.left(), Expected.left());
        Near(Name + QStringLiteral(" top"), Printed.top(), Expected.top());
        Near(Name + QStringLiteral(" right"), Printed.right(), Expected.right());
        Near(Name + QStringLiteral(" bottom"), Printed.bottom(), Expected.bottom());
    }
    // The frame's lines lie on the margins, measured from the sheet's edges.
    const TPageGeometry& G = Page.Page();
    const QPoint Middle(Sheet.width() / 2, Sheet.height() / 2);
    Near(QStringLiteral("frame's left line"), FirstInk(Sheet, {0, Middle.y()}, {1, 0}),
         Pixels(G.NativeValue(TPageGeometry::pvLeftMargin), Dpi));
    Near(QStringLiteral("frame's top line"), FirstInk(Sheet, {Middle.x(), 0}, {0, 1}),
         Pixels(G.NativeValue(TPageGeometry::pvTopMargin), Dpi));
    Near(QStringLiteral("frame's right line"),
         FirstInk(Sheet, {Sheet.width() - 1, Middle.y()}, {-1, 0}),
         Sheet.width() - 1 - Pixels(G.NativeValue(TPageGeometry::pvRightMargin), Dpi));
    return Faults;
}
