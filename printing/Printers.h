#pragma once

#include "printing/PrintSpooler.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QPrinter;
struct TPagePrinterSettings;

// The queues' names in the order a page's printer index counts them.
QStringList PrinterNames(const std::vector<TPrinterQueue>& Queues);
// Index of the named queue; -1 when there is none of that name.
std::int32_t PrinterIndex(const std::vector<TPrinterQueue>& Queues, const QString& Name);
// The default queue, or nullptr.
const TPrinterQueue* DefaultQueue(const std::vector<TPrinterQueue>& Queues);

// Whether the page names no printer and the system has none as its default, so that the user
// must choose one before printing.
bool PrinterToChoose(const TPagePrinterSettings& Settings,
                     const std::vector<TPrinterQueue>& Queues);

// The queue the page prints on: the one Printer setup chose, by its name, else the one at the
// page's index, -1 being the default; the settings then hold that queue's index and name.
// Raises "No printer is installed", that the chosen queue has gone, that there is no default
// (naming the queues to choose from), or "Printer index out of range".
const TPrinterQueue& PagePrinter(TPagePrinterSettings& Settings,
                                 const std::vector<TPrinterQueue>& Queues);

// The application-wide printer object that the set-up dialog works on, made only once the
// spooler has answered (Qt's own calls to it have no time limit). Selecting a queue gives the
// object that queue's defaults; it refuses while the object is printing.
QPrinter& ApplicationPrinter();
void SelectApplicationPrinter(const QString& Name);

// New pages take the default printer's paper from the spooler, asked in the background: a page
// made while the spooler does not answer takes A4 (as without printers) rather than waiting.
void UseSpoolerPaperForNewPages();
