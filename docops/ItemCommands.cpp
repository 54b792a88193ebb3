#include "docops/ItemCommands.h"

#include "common/TException.h"
#include "common/Text1252.h"
#include "document/DocumentStream.h"
#include "document/TBarcodeItem.h"
#include "document/TClipboard.h"
#include "document/TReportPage.h"
#include "printing/GraphicExport.h"

TBarcodeItem* AsBarcodeItem(QObject* Component) {
    return qobject_cast<TBarcodeItem*>(Component);
}

bool IsPrintable(const QObject* Component) {
    return qobject_cast<const TPrintable*>(Component) != nullptr;
}

TBarcodeItem* InsertBarcodeItem(TReportPage& Page) {
    auto* Item = new TBarcodeItem(&Page);
    Item->SetTop(50);
    Item->SetLeft(50);
    Item->SetWidth(100);
    Item->SetHeight(50);
    Item->SetParent(&Page);
    Item->SetEnabled(true);
    Item->show();
    Item->SetBarcodeType(bcCodeEAN13);
    return Item;
}

namespace {

// A barcode as other programs paste it: its picture as it prints, at its true size, and the
// text its bars encode. An item whose settings cannot be encoded travels without them.
std::vector<TClipboardFormat> ForOtherPrograms(TBarcodeItem& Item) {
    try {
        TBarcodeEngine Engine = Item.Barcode();
        Engine.EncodePattern();
        return {{QStringLiteral("image/png"), ItemGraphic(Item, gfPng, DefaultGraphicDpi)},
                {QStringLiteral("image/svg+xml"), ItemGraphic(Item, gfSvg, DefaultGraphicDpi)},
                {QStringLiteral("text/plain"), FromCp1252(Engine.Text()).toUtf8()}};
    } catch (const TException&) {
        return {};
    }
}

} // namespace

void PutComponentOnClipboard(QObject* Component) {
    if (auto* Barcode = AsBarcodeItem(Component))
        TClipboard::Instance().PutComponent(*Barcode, ForOtherPrograms(*Barcode));
    else if (const auto* Item = qobject_cast<const TPrintable*>(Component))
        TClipboard::Instance().PutComponent(*Item);
}

bool ClipboardHasComponent() {
    return TClipboard::Instance().HasComponent();
}

TBarcodeItem* PasteComponent(TReportPage& Page) {
    std::unique_ptr<TPrintable> Item = TClipboard::Instance().GetComponent(&Page);
    // Only barcode items belong on the page; anything else read from the clipboard goes again.
    auto* Pasted = AsBarcodeItem(Item.get());
    if (Pasted == nullptr)
        return nullptr;
    const auto Covers = [&Page, Pasted] {
        for (const TPrintable* Other : Page.findChildren<TPrintable*>(Qt::FindDirectChildrenOnly))
            if (Other != Pasted && Other->geometry() == Pasted->geometry())
                return true;
        return false;
    };
    // The page's grid step; bounded, as a page holds a bounded number of items.
    constexpr int GridStep = 8;
    for (std::size_t Tries = 0; Covers() && Tries < MaxItemsPerPage; ++Tries)
        Pasted->SetBounds(Pasted->x() + GridStep, Pasted->y() + GridStep, Pasted->width(),
                          Pasted->height());
    Item->show();
    Item.release(); // the page owns it now
    return Pasted;
}
