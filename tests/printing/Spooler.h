#pragma once

#include <QImage>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

// Test harness for prints that go through the real spooler: the tests' own CUPS scheduler with a
// cups-pdf queue as its default printer (cups-setup.sh), which writes each job as a PDF file.
//
//   const std::int32_t Before = LastSpoolerJob();
//   ... print ...
//   const QString Pdf = WaitForPrintedPdf(LastSpoolerJob());
//   const std::vector<QImage> Sheets = RasterizePdf(Pdf, 300);

// A scheduler that takes connections and never answers: a socket that listens and reads nothing.
// Its Server() is what CUPS_SERVER names it by.
class TSilentScheduler {
public:
    TSilentScheduler();
    ~TSilentScheduler();
    TSilentScheduler(const TSilentScheduler&) = delete;
    TSilentScheduler& operator=(const TSilentScheduler&) = delete;
    QString Server() const { return FPath; }

private:
    QTemporaryDir FDir;
    QString FPath;
    int FSocket = -1;
};

// The spooler's queues changed for a test and put back afterwards, through lpadmin: a queue
// added on a file device, or the default taken away (by making a queue of its own the default
// and deleting it, the only way CUPS has).
void AddQueue(const QString& Name);
void DeleteQueue(const QString& Name);
void SetDefaultQueue(const QString& Name);
// Runs an lpadmin-like command of CUPS's (lpadmin, cupsdisable, cupsenable) on the tests'
// scheduler; false, with a warning, when it fails.
bool RunCupsCommand(const QString& Program, const QStringList& Arguments);
class TNoDefaultPrinter {
public:
    TNoDefaultPrinter();
    ~TNoDefaultPrinter() { SetDefaultQueue(QStringLiteral("TessmiraPDF")); }
    TNoDefaultPrinter(const TNoDefaultPrinter&) = delete;
    TNoDefaultPrinter& operator=(const TNoDefaultPrinter&) = delete;
};

// The highest id among the jobs the spooler knows, finished ones included; 0 when none.
std::int32_t LastSpoolerJob();
// How many jobs the spooler knows, finished ones included.
std::size_t SpoolerJobCount();

// Where the tests' cups-pdf writes its jobs: its instance's Out setting, ${HOME} filled in.
QString CupsPdfOutput();

// Waits until the job has completed and returns the PDF file that cups-pdf wrote for it; an empty
// path, with a warning, when it does not complete within a minute. Tools that fail warn too and
// give nothing back.
QString WaitForPrintedPdf(std::int32_t JobId);

// The sizes of a PDF file's pages in millimetres, read by pdfinfo.
std::vector<QSizeF> PdfPageSizesMM(const QString& Pdf);

// Every page of a PDF file as an image at Dpi, drawn by pdftoppm; only the part Crop of each
// page, in pixels from its top left corner, when given.
std::vector<QImage> RasterizePdf(const QString& Pdf, int Dpi, const QRect& Crop = {});

// The smallest rectangle holding every pixel of Area that is darker than mid-grey; empty when
// there is none.
QRect InkBounds(const QImage& Image, const QRect& Area);
