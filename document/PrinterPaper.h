#pragma once

#include "document/TPaperSize.h"

#include <functional>

// The default printer's current paper: A4 when no printer is installed, Default when the driver
// reports no paper code or one that PaperCodes lacks.
TPaperSize DefaultPrinterPaper();

// Replaces where DefaultPrinterPaper gets its answer (tests); an empty function asks the printers.
using TPrinterPaperProvider = std::function<TPaperSize()>;
void SetPrinterPaperProvider(TPrinterPaperProvider Provider);
