#pragma once

#include <QByteArray>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class QPrinter;

// The system's printers in the order a page's printer index counts them.
QStringList PrinterNames();
bool PrintersAvailable();
// The printer at Index of PrinterNames(), -1 for the system's default one. Raises "Printer index
// out of range" or "There is no default printer currently selected".
QPrinterInfo PrinterAt(std::int32_t Index);
// Index of the named printer in PrinterNames(); -1 when there is none of that name.
std::int32_t PrinterIndex(const QString& Name);

// Where the spooler sends the named printer's jobs (its device URI); empty when unknown.
QString PrinterPort(const QString& Name);

// A printer device for Printer with its driver's defaults, at the driver's resolution.
std::unique_ptr<QPrinter> NewPrinterDevice(const QPrinterInfo& Printer);

// The application-wide printer object that the set-up dialog works on. Selecting a printer
// gives the object that printer's defaults; it refuses while the object is printing.
QPrinter& ApplicationPrinter();
void SelectApplicationPrinter(std::int32_t Index);

// Hands a finished print file to the spooler as one job of the named printer and returns the
// spooler's job id. Raises the spooler's own reason when it refuses.
struct TSpoolOption {
    QByteArray Name;
    QByteArray Value;
};
std::int32_t SpoolPrintFile(const QString& Printer, const QString& FileName, const QString& Title,
                            const std::vector<TSpoolOption>& Options);
