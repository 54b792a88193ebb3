#pragma once

class QObject;
class QWidget;
class TBarcodeItem;
class TReportPage;

// The item and clipboard work behind the main window's commands, in one place.

// The component as a barcode item, or nullptr.
TBarcodeItem* AsBarcodeItem(QObject* Component);
// True for a printable item (TPrintable or a descendant); the page is not one.
bool IsPrintable(const QObject* Component);

// A barcode item owned by and placed on the page at 50, 50, 100 x 50 pixels, symbology EAN-13.
TBarcodeItem* InsertBarcodeItem(TReportPage& Page);

void PutComponentOnClipboard(QObject* Component);
bool ClipboardHasComponent();
// Reads the clipboard's component with the page as owner and parent; anything but a barcode
// item is destroyed again. A copy that would cover an item of its size exactly is moved one
// grid step right and down until it does not, so that it shows as new. Returns the pasted item,
// or nullptr.
TBarcodeItem* PasteComponent(TReportPage& Page);
