#pragma once

#include "document/TCustomPrintJob.h"

#include <QImage>
#include <QPainter>
#include <QSizeF>
#include <QString>

class QPaintDevice;
class TReportPage;

// A print job whose sheet is any paint device (an image, a PDF, an SVG): positions are measured
// from the device's top left corner, which stands for the sheet's edge, at the device's
// resolution.
class TPaintDevicePrintJob : public TCustomPrintJob {
public:
    // Draws on Device for the life of the job.
    explicit TPaintDevicePrintJob(QPaintDevice& Device);

    QPainter& Canvas() override { return FCanvas; }

    // One run of the page: every item at its place, then the page's frame.
    void PrintPage(TReportPage& Page);

    // The page's paper (Width by Length) in millimetres.
    static QSizeF PaperSizeMM(const TReportPage& Page);
    // A length in millimetres as whole pixels at Dpi dots per inch.
    static QSize PixelsOf(const QSizeF& MM, int Dpi);
    // A white image of Pixels that says Dpi, as a sheet drawn at that resolution; null when no
    // memory holds it.
    static QImage SheetImage(const QSize& Pixels, int Dpi);
    // The page on a white image of its paper's size at Dpi dots per inch.
    static QImage RenderImage(TReportPage& Page, int Dpi);
    // The page as a one-sheet PDF of its paper's size, drawn at Dpi dots per inch.
    static void RenderPdf(TReportPage& Page, const QString& FileName, int Dpi);

private:
    QPainter FCanvas;
};
