#pragma once

#include "document/TPaperSize.h"

#include <functional>

// The paper a new page starts on: the default printer's current paper. Its type is A4 when no
// printer is installed, Default when the driver's paper has no paper code or one that PaperCodes
// lacks; Width and Length (millimetres) give that paper's size, 0 when it is not known.
struct TPrinterPaper {
    TPaperSize PaperSize = TPaperSize::A4;
    long double Width = 0;
    long double Length = 0;
};
TPrinterPaper DefaultPrinterPaper();

// Where DefaultPrinterPaper gets its answer: the printing layer's spooler, or a test's fixed
// paper. Without one, new pages are A4, as on a machine without printers.
using TPrinterPaperProvider = std::function<TPrinterPaper()>;
void SetPrinterPaperProvider(TPrinterPaperProvider Provider);
