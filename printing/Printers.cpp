#include "printing/Printers.h"

#include "common/Messages.h"
#include "common/TException.h"

#include <QCoreApplication>
#include <QPrinter>

#include <cups/cups.h>

namespace {

std::unique_ptr<QPrinter>& TheApplicationPrinter() {
    static std::unique_ptr<QPrinter> Printer;
    return Printer;
}

// A printer object must go before the application that its engine draws with.
void DropApplicationPrinter() {
    TheApplicationPrinter().reset();
}

} // namespace

QStringList PrinterNames() {
    return QPrinterInfo::availablePrinterNames();
}

bool PrintersAvailable() {
    return !PrinterNames().isEmpty();
}

QPrinterInfo PrinterAt(std::int32_t Index) {
    if (Index == -1) {
        const QPrinterInfo Default = QPrinterInfo::defaultPrinter();
        if (Default.isNull())
            Raise(Msg::NoDefaultPrinter);
        return Default;
    }
    const QStringList Names = PrinterNames();
    if (Index < 0 || Index >= Names.size())
        Raise(Msg::PrinterIndexOutOfRange);
    return QPrinterInfo::printerInfo(Names[Index]);
}

std::int32_t PrinterIndex(const QString& Name) {
    return static_cast<std::int32_t>(PrinterNames().indexOf(Name));
}

QString PrinterPort(const QString& Name) {
    cups_dest_t* Dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, Name.toLocal8Bit().constData(), nullptr);
    if (Dest == nullptr)
        return {};
    const char* Uri = cupsGetOption("device-uri", Dest->num_options, Dest->options);
    const QString Port = Uri != nullptr ? QString::fromUtf8(Uri) : QString();
    cupsFreeDests(1, Dest);
    return Port;
}

std::unique_ptr<QPrinter> NewPrinterDevice(const QPrinterInfo& Printer) {
    auto Device = std::make_unique<QPrinter>(Printer, QPrinter::HighResolution);
    if (!Device->isValid())
        Raise(Msg::PrinterNotValid);
    return Device;
}

QPrinter& ApplicationPrinter() {
    std::unique_ptr<QPrinter>& Printer = TheApplicationPrinter();
    if (!Printer) {
        const QPrinterInfo Default = QPrinterInfo::defaultPrinter();
        Printer = Default.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                                   : std::make_unique<QPrinter>(Default, QPrinter::HighResolution);
        qAddPostRoutine(DropApplicationPrinter);
    }
    return *Printer;
}

void SelectApplicationPrinter(std::int32_t Index) {
    if (ApplicationPrinter().printerState() == QPrinter::Active)
        Raise(Msg::PrintingInProgress);
    TheApplicationPrinter() = NewPrinterDevice(PrinterAt(Index));
}

std::int32_t SpoolPrintFile(const QString& Printer, const QString& FileName, const QString& Title,
                            const std::vector<TSpoolOption>& Options) {
    cups_option_t* CupsOptions = nullptr;
    int Count = 0;
    for (const TSpoolOption& Option : Options)
        Count =
            cupsAddOption(Option.Name.constData(), Option.Value.constData(), Count, &CupsOptions);
    const int JobId = cupsPrintFile2(CUPS_HTTP_DEFAULT, Printer.toLocal8Bit().constData(),
                                     FileName.toLocal8Bit().constData(), Title.toUtf8().constData(),
                                     Count, CupsOptions);
    cupsFreeOptions(Count, CupsOptions);
    if (JobId <= 0)
        Raise(Msg::SpoolerRefused, {cupsLastErrorString()});
    return JobId;
}
