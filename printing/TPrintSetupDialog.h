#pragma once

#include "document/TPageGeometry.h"
#include "document/TPagePrinterSettings.h"
#include "document/TPaperSize.h"
#include "document/TSet.h"

#include <QPageSize>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QPrinter;
class QWidget;
class TReportPage;

enum TPrintDialogOption : std::uint8_t {
    poPrintToFile,
    poPageNums,
    poSelection,
    poWarning,
    poHelp,
    poDisablePrintToFile
};
using TPrintDialogOptions = TSet<TPrintDialogOption>;
enum TPrintRange : std::uint8_t { prAllPages, prSelection, prPageNums };

// What the print dialog is asked to offer besides what the printer object already carries.
struct TPrintDialogRequest {
    TPrintDialogOptions Options;
    std::int32_t MinPage = 0;
    std::int32_t MaxPage = 0;
};

// The platform's print dialog, behind one call so that tests can answer it as a person would.
class TPrintDialogPrompt {
public:
    virtual ~TPrintDialogPrompt() = default;
    // Shows the dialog on Printer, preset from it (printer, copies, collate, range, orientation);
    // true when the user confirmed, the printer then holding every choice.
    virtual bool RunPrintDialog(QWidget* Owner, QPrinter& Printer,
                                const TPrintDialogRequest& Request) = 0;
};

// Qt's print dialog, placed centred across the screen with a third of the free height above it.
bool ExecPlatformPrintDialog(QWidget* Owner, QPrinter& Printer, const TPrintDialogRequest& Request);

// The print set-up dialog on the application's printer object: what it is asked to show and,
// after Execute, what the user chose.
class TPrintSetupDialog {
public:
    explicit TPrintSetupDialog(QWidget* Owner = nullptr) : FOwner(Owner) {}

    std::int32_t Copies() const { return FCopies; }
    // Also the printer object's copies.
    void SetCopies(std::int32_t Value);

    std::int32_t FromPage = 0;
    std::int32_t ToPage = 0;
    std::int32_t MinPage = 0;
    std::int32_t MaxPage = 0;
    TPrintDialogOptions Options;
    TPrintRange PrintRange = prAllPages;
    bool PrintToFile = false;
    // The chosen device settings, read back on confirmation.
    TPrinterOrientation Orientation = poPortrait;
    TPaperSize PaperSize = TPaperSize::Default;
    long double Paperwidth = 0;
    long double Paperlength = 0;
    TPaperBin OutputBin = TPaperBin::First;
    bool Duplex = false;
    std::int32_t DuplexCode = 0;
    std::int32_t Collate = 0;
    std::int32_t PrintQuality = 0;
    std::int32_t ColorOption = 0;
    // The paper chosen, as Qt names it, and the driver's and the job's options (name, value).
    QPageSize PageSize;
    std::vector<std::pair<std::string, std::string>> DriverOptions;

    // Runs the dialog through Prompt; true when the user confirmed.
    bool Execute(TPrintDialogPrompt& Prompt);

private:
    QWidget* FOwner;
    std::int32_t FCopies = 1;
};

// The driver's and the job's options that Qt's print dialog chose on Printer, by their names for
// the spooler; and the same put on Printer, so that the dialog and the job start from them.
std::vector<std::pair<std::string, std::string>> PrinterDriverOptions(QPrinter& Printer);
void SetPrinterDriverOptions(QPrinter& Printer,
                             const std::vector<std::pair<std::string, std::string>>& Options);

// The page's Printer setup: the dialog preset from the page on the page's printer (the first
// one when the page has none and there is no default); confirming takes copies, printer (by its
// name as well), orientation, page range, collation, and what the dialog's properties changed
// (paper, sides, driver options) into the page and sets its Tag to 0; cancelling only sets Tag
// to 1.
void PrinterSetup(TReportPage& Page, TPrintDialogPrompt& Prompt, QWidget* Owner = nullptr);
