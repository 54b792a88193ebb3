#include "document/PrinterPaper.h"

#include <QPageSize>
#include <QPrinterInfo>

namespace {

TPrinterPaperProvider& PaperProvider() {
    static TPrinterPaperProvider Provider;
    return Provider;
}

TPaperSize AskDefaultPrinter() {
    const QPrinterInfo Printer = QPrinterInfo::defaultPrinter();
    if (Printer.isNull())
        return QPrinterInfo::availablePrinters().isEmpty() ? TPaperSize::A4 : TPaperSize::Default;
    // windowsId() is the driver paper code, 0 when the size has none.
    return PaperSizeFromCode(Printer.defaultPageSize().windowsId());
}

} // namespace

TPaperSize DefaultPrinterPaper() {
    return PaperProvider() ? PaperProvider()() : AskDefaultPrinter();
}

void SetPrinterPaperProvider(TPrinterPaperProvider Provider) {
    PaperProvider() = std::move(Provider);
}
