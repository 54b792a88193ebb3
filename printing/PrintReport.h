#pragma once

#include <QString>

#include <cstdint>

class QPagedPaintDevice;
class QWidget;
class TDataSource;
class TReportPage;

struct TPrintOutcome {
    bool Cancelled = false;
    // The spooler's id of the job and the printer's name; 0 when nothing went to a spooler.
    std::int32_t JobId = 0;
    QString Printer;
    // Why the printer does not print its jobs now (it is stopped); empty while it prints.
    QString StoppedReason;
};

// The Print command's run: a job for the page on the page's printer (or onto Device), the
// progress window when the page asks for one and Progress allows it, the page in native units
// with the page's printer settings, one sheet with every item and the page's frame, and the
// document handed to the spooler, or abandoned when the user cancels. Raises "No printer is
// installed" without a device when the system has no printer, and says so when the page range
// leaves out the one page. With Data, the sheets a data merge makes of the page print instead,
// each record tried first, so that bad data stops the run before the printer sees anything.
TPrintOutcome PrintReport(TReportPage& Page, QPagedPaintDevice* Device = nullptr,
                          bool Progress = true, TDataSource* Data = nullptr);

// The calibration sheet on the named printer (the default for an empty name), on its current
// paper, with the printer's calibration applied.
TPrintOutcome PrintCalibrationSheet(const QString& Printer);

// The dots per inch a run on the page's printer draws at; Qt's 1200 for a PDF when the printer
// cannot be asked.
int PrinterResolution(const TReportPage& Page);

// The same run into a PDF file on the page's paper, at the page's printer's resolution.
TPrintOutcome PrintReportToPdf(TReportPage& Page, const QString& FileName, bool Progress = true,
                               TDataSource* Data = nullptr);

// A preview window on the page's printer fed by the same run, so that it shows what prints.
void ShowPrintPreview(TReportPage& Page, QWidget* Parent, TDataSource* Data = nullptr);
