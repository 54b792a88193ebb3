#pragma once

#include "barcode/TBarcodeEngine.h"
#include "document/TBarcodeItem.h"

#include <QImage>
#include <QRect>
#include <QStringList>

#include <array>
#include <string>
#include <vector>

class TReportPage;

// A page that shows whether a print is right: four barcodes, one at each angle, one with a title
// row, and the page's frame on all four sides, each expected to read back where it stands.
struct TSampleItem {
    QRect Pixels;
    TBarcodeType Type;
    const char* Text;
    TBarcodeAngle Angle;
    const char* Title;
    const char* Decoded; // what zbarimg reads
};
inline const std::array<TSampleItem, 4> SampleItems = {{
    {{50, 50, 120, 70}, bcCodeEAN13, "590123412345", ba0, "Shelf 12", "5901234123457"},
    {{250, 50, 60, 200}, bcCode128B, "Tessmira-42", ba90, "", "Tessmira-42"},
    // The modulo 43 check character of "LABEL 7" is "-" (122 mod 43 = 36).
    {{50, 300, 200, 70}, bcCode39, "LABEL 7", ba180, "", "LABEL 7-"},
    // zbarimg reports UPC-A in its EAN-13 form, with the leading 0.
    {{350, 300, 80, 180}, bcCodeUPC_A, "03600029145", ba270, "", "0036000291452"},
}};

TBarcodeItem* PlaceItem(TReportPage& Page, QRect Pixels, TBarcodeType Type, const char* Text,
                        TBarcodeAngle Angle = ba0);
// Puts the sample items and the page's frame on Page; the items in table order.
std::vector<TBarcodeItem*> PlaceSampleItems(TReportPage& Page);

// The item's place on a sheet drawn at Dpi, with a margin around it.
QRect SheetRect(const TPrintable& Item, int Dpi, int Margin);

// What is wrong with a sheet printed at Dpi from a page made by PlaceSampleItems, one line a fault:
// each item must decode where it stands, its ink within half a millimetre of where the page's
// render job puts it, and the page's frame must stand at the page's margins, measured from the
// sheet's edge. Empty when the sheet is right. Usable from GoogleTest and Qt Test alike.
QStringList SampleSheetFaults(const QImage& Sheet, TReportPage& Page, int Dpi);
