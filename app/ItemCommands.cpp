#include "app/ItemCommands.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

// The clipboard format and the printer are not linked in yet: those commands report that they are
// not available.

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

void PutComponentOnClipboard(QObject*) {
    Raise(Msg::CommandNotAvailable, {"Copying items"});
}

bool ClipboardHasComponent() {
    return false;
}

void PasteComponent(TReportPage&) {
    Raise(Msg::CommandNotAvailable, {"Pasting items"});
}

void PrintPage(TReportPage&, QWidget*) {
    Raise(Msg::CommandNotAvailable, {"Printing"});
}

void RunPrinterSetup(TReportPage&, QWidget*) {
    Raise(Msg::CommandNotAvailable, {"Printer setup"});
}

void ExportBarcodeGraphic(TBarcodeItem&, QWidget*) {
    Raise(Msg::CommandNotAvailable, {"Export barcode graphic"});
}
