#include "printing/TPaintDevicePrintJob.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"
#include "printing/GraphicExport.h"
#include "printing/PagePrint.h"

#include <QPaintDevice>

namespace {

// Device pixels per native unit; a device that reports no sensible resolution is taken at
// 96 dots per inch, as a job without a printer is.
long double Factor(int DotsPerInch) {
    const long double F = DotsPerInch / 254.0L;
    return F < 0.1L ? 0.37795L : F;
}

} // namespace

TPaintDevicePrintJob::TPaintDevicePrintJob(QPaintDevice& Device) : FCanvas(&Device) {
    FXFactor = Factor(Device.logicalDpiX());
    FYFactor = Factor(Device.logicalDpiY());
}

void TPaintDevicePrintJob::PrintPage(TReportPage& Page) {
    RunPagePrint(Page, *this);
}

QSizeF TPaintDevicePrintJob::PaperSizeMM(const TReportPage& Page) {
    const TPageGeometry& G = Page.Page();
    return {static_cast<double>(G.NativeValue(TPageGeometry::pvWidth) / 10),
            static_cast<double>(G.NativeValue(TPageGeometry::pvLength) / 10)};
}

QImage TPaintDevicePrintJob::RenderImage(TReportPage& Page, int Dpi) {
    const QSizeF MM = PaperSizeMM(Page);
    const QSize Pixels(RoundToInt(MM.width() / 25.4 * Dpi), RoundToInt(MM.height() / 25.4 * Dpi));
    QImage Image(Pixels, QImage::Format_RGB32);
    Image.fill(Qt::white);
    const int DotsPerMeter = RoundToInt(Dpi / 0.0254);
    Image.setDotsPerMeterX(DotsPerMeter);
    Image.setDotsPerMeterY(DotsPerMeter);
    TPaintDevicePrintJob(Image).PrintPage(Page);
    return Image;
}

void TPaintDevicePrintJob::RenderPdf(TReportPage& Page, const QString& FileName, int Dpi) {
    ExportGraphic(FileName, PaperSizeMM(Page), Dpi,
                  [&Page](TCustomPrintJob& Job) { RunPagePrint(Page, Job); });
}
