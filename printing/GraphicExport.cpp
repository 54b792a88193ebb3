#include "printing/GraphicExport.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"
#include "printing/PagePrint.h"
#include "printing/TPaintDevicePrintJob.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <array>
#include <string_view>

namespace {

struct TGraphicSuffix {
    std::string_view Suffix;
    TGraphicFormat Format;
};
constexpr std::array<TGraphicSuffix, 3> GraphicSuffixes = {{
    {"png", gfPng},
    {"svg", gfSvg},
    {"pdf", gfPdf},
}};
static_assert(GraphicSuffixes[gfPng].Format == gfPng && GraphicSuffixes[gfSvg].Format == gfSvg &&
              GraphicSuffixes[gfPdf].Format == gfPdf);

void Draw(QPaintDevice& Device, const QSizeF& Pixels, const TDrawGraphic& DrawOn) {
    TPaintDevicePrintJob Job(Device);
    Job.Canvas().fillRect(QRectF(QPointF(0, 0), Pixels), Qt::white);
    DrawOn(Job);
}

} // namespace

TGraphicFormat GraphicFormatOf(const QString& FileName) {
    const QByteArray Suffix = QFileInfo(FileName).suffix().toLower().toLatin1();
    for (const TGraphicSuffix& Row : GraphicSuffixes)
        if (Row.Suffix == std::string_view(Suffix.constData(), std::size_t(Suffix.size())))
            return Row.Format;
    Raise(Msg::UnknownGraphicFormat, {FileName.toStdString()});
}

QByteArray GraphicBytes(TGraphicFormat Format, const QSizeF& SizeMM, int Dpi,
                        const TDrawGraphic& DrawOn) {
    const QSizeF Exact = SizeMM / 25.4 * Dpi;
    if (!(Exact.width() >= 0.5 && Exact.height() >= 0.5 &&
          Exact.width() * Exact.height() <= double(1 << 29)))
        Raise(Msg::PageTooLargeToDraw, {std::to_string(Dpi)});
    const QSize Pixels = TPaintDevicePrintJob::PixelsOf(SizeMM, Dpi);
    QBuffer Out;
    Out.open(QIODevice::WriteOnly);
    bool Written = true;
    switch (Format) {
    case gfPng: {
        QImage Image = TPaintDevicePrintJob::SheetImage(Pixels, Dpi);
        if (Image.isNull())
            Raise(Msg::PageTooLargeToDraw, {std::to_string(Dpi)});
        Draw(Image, QSizeF(Pixels), DrawOn);
        Written = Image.save(&Out, "PNG");
        break;
    }
    case gfSvg: {
        QSvgGenerator Svg;
        Svg.setOutputDevice(&Out);
        Svg.setResolution(Dpi);
        Svg.setSize(Pixels);
        Svg.setViewBox(QRect(QPoint(0, 0), Pixels));
        Draw(Svg, QSizeF(Pixels), DrawOn);
        break;
    }
    case gfPdf: {
        QPdfWriter Pdf(&Out);
        Pdf.setResolution(Dpi);
        // The size already follows the orientation: the sheet takes it as it is.
        Pdf.setPageLayout(
            QPageLayout(QPageSize(SizeMM, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        Draw(Pdf, Exact, DrawOn);
        break;
    }
    }
    if (!Written)
        Raise(Msg::StreamWriteError);
    return Out.data();
}

void ExportGraphic(const QString& FileName, const QSizeF& SizeMM, int Dpi,
                   const TDrawGraphic& DrawOn) {
    const QByteArray Bytes = GraphicBytes(GraphicFormatOf(FileName), SizeMM, Dpi, DrawOn);
    // Drawn before its file is made, so that a graphic that cannot be drawn leaves no file.
    QFile File(FileName);
    if (!File.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Raise(Msg::CannotCreateFile, {QFileInfo(FileName).absoluteFilePath().toStdString(),
                                      File.errorString().toStdString()});
    const bool Written = File.write(Bytes) == Bytes.size();
    File.close();
    if (!Written || File.error() != QFileDevice::NoError) {
        File.remove();
        Raise(Msg::StreamWriteError);
    }
}

namespace {

// The item's size in millimetres and a drawing of it alone, at the top left of the graphic.
TDrawGraphic ItemDrawing(TPrintable& Item, QSizeF& SizeMM) {
    TReportPage* Page = Item.ReportPage();
    if (Page == nullptr)
        Raise(Msg::InternalError, {"ItemDrawing"});
    const TPrintableSize& S = Item.Size();
    const long double Left = S.NativeValue(TPrintableSize::svLeft);
    const long double Top = S.NativeValue(TPrintableSize::svTop);
    SizeMM = QSizeF(double(S.NativeValue(TPrintableSize::svWidth) / 10),
                    double(S.NativeValue(TPrintableSize::svHeight) / 10));
    return [Page, &Item, Left, Top](TCustomPrintJob& Job) {
        const TPrintRun Run(*Page, Job);
        Item.PrintAt(-Left, -Top);
    };
}

} // namespace

void ExportItemGraphic(TPrintable& Item, const QString& FileName, int Dpi) {
    QSizeF MM;
    const TDrawGraphic Drawing = ItemDrawing(Item, MM);
    ExportGraphic(FileName, MM, Dpi, Drawing);
}

QByteArray ItemGraphic(TPrintable& Item, TGraphicFormat Format, int Dpi) {
    QSizeF MM;
    const TDrawGraphic Drawing = ItemDrawing(Item, MM);
    return GraphicBytes(Format, MM, Dpi, Drawing);
}
