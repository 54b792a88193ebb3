#include "document/PrinterPaper.h"

namespace {

TPrinterPaperProvider& PaperProvider() {
    static TPrinterPaperProvider Provider;
    return Provider;
}

} // namespace

TPrinterPaper DefaultPrinterPaper() {
    return PaperProvider() ? PaperProvider()() : TPrinterPaper{};
}

void SetPrinterPaperProvider(TPrinterPaperProvider Provider) {
    PaperProvider() = std::move(Provider);
}
