#include "printing/TPaintDevicePrintJob.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"
#include "printing/GraphicExport.h"
#include "printing/PagePrint.h"

#include <QPaintDevice>

TPaintDevicePrintJob::TPaintDevicePrintJob(QPaintDevice& Device) : FCanvas(&Device) {
    SetResolution(Device.logicalDpiX(), Device.logicalDpiY());
}

void TPaintDevicePrintJob::PrintPage(TReportPage& Page) {
    RunPagePrint(Page, *this);
}

QSizeF TPaintDevicePrintJob::PaperSizeMM(const TReportPage& Page) {
    const TPageGeometry& G = Page.Page();
    return {static_cast<double>(G.NativeValue(TPageGeometry::pvWidth) / 10),
            static_cast<double>(G.NativeValue(TPageGeometry::pvLength) / 10)};
}

QSize TPaintDevicePrintJob::PixelsOf(const QSizeF& MM, int Dpi) {
    return {RoundToInt(MM.width() / 25.4 * Dpi), RoundToInt(MM.height() / 25.4 * Dpi)};
}

QImage TPaintDevicePrintJob::SheetImage(const QSize& Pixels, int Dpi) {
    QImage Image(Pixels, QImage::Format_RGB32);
    if (Image.isNull())
        return Image;
    Image.fill(Qt::white);
    const int DotsPerMeter = RoundToInt(Dpi / 0.0254);
    Image.setDotsPerMeterX(DotsPerMeter);
    Image.setDotsPerMeterY(DotsPerMeter);
    return Image;
}

QImage TPaintDevicePrintJob::RenderImage(TReportPage& Page, int Dpi) {
    QImage Image = SheetImage(PixelsOf(PaperSizeMM(Page), Dpi), Dpi);
    TPaintDevicePrintJob(Image).PrintPage(Page);
    return Image;
}

void TPaintDevicePrintJob::RenderPdf(TReportPage& Page, const QString& FileName, int Dpi) {
    ExportGraphic(FileName, PaperSizeMM(Page), Dpi,
                  [&Page](TCustomPrintJob& Job) { RunPagePrint(Page, Job); });
}
