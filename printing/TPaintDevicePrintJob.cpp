#include "printing/TPaintDevicePrintJob.h"

#include "common/Messages.h"
#include "common/Rounding.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/PagePrint.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPdfWriter>

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
    const TPrintRun Run(Page, *this);
    PrintPageContent(Page, *this);
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
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        Raise(Msg::CannotCreateFile, {QFileInfo(FileName).absoluteFilePath().toStdString(),
                                      File.errorString().toStdString()});
    QPdfWriter Pdf(&File);
    Pdf.setResolution(Dpi);
    const QSizeF MM = PaperSizeMM(Page);
    // The paper's width and length already follow its orientation: the sheet takes them as they
    // are, not turned once more.
    Pdf.setPageLayout(
        QPageLayout(QPageSize(MM, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    TPaintDevicePrintJob(Pdf).PrintPage(Page);
    File.close();
    if (File.error() != QFileDevice::NoError)
        Raise(Msg::StreamWriteError);
}
