#include "app/ItemCommands.h"

#include "common/Messages.h"
#include "common/TException.h"

// No item class is linked in yet: nothing is a printable item, and the commands that need items,
// the clipboard format or a printer report that they are not available.

TBarcodeItem* AsBarcodeItem(QObject*) {
    return nullptr;
}

bool IsPrintable(const QObject*) {
    return false;
}

TBarcodeItem* InsertBarcodeItem(TReportPage&) {
    Raise(Msg::CommandNotAvailable, {"Insert barcode"});
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
