#include "app/ItemCommands.h"

#include "document/TBarcodeItem.h"
#include "document/TClipboard.h"
#include "document/TReportPage.h"

// Export barcode graphic is not built yet: it reports that it is not available.

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

void PutComponentOnClipboard(QObject* Component) {
    if (const auto* Item = qobject_cast<const TPrintable*>(Component))
        TClipboard::Instance().PutComponent(*Item);
}

bool ClipboardHasComponent() {
    return TClipboard::Instance().HasComponent();
}

void PasteComponent(TReportPage& Page) {
    std::unique_ptr<TPrintable> Item = TClipboard::Instance().GetComponent(&Page);
    // Only barcode items belong on the page; anything else read from the clipboard goes again.
    if (AsBarcodeItem(Item.get()) == nullptr)
        return;
    Item->show();
    Item.release(); // the page owns it now
}
