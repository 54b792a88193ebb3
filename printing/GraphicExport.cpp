#include "printing/GraphicExport.h"

#include "barcode/TBarcodeEngine.h"
#include "common/FileWrite.h"
#include "common/Messages.h"
#include "common/Rounding.h"
#include "common/TException.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"
#include "printing/PagePrint.h"
#include "printing/TPaintDevicePrintJob.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRect>
#include <QSaveFile>
#include <QSvgGenerator>

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

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

namespace {

// The sheet in device pixels, refused when no image could hold it.
QSizeF ExactPixels(const QSizeF& SizeMM, int Dpi) {
    const QSizeF Exact = SizeMM / 25.4 * Dpi;
    if (!(Exact.width() >= 0.5 && Exact.height() >= 0.5 &&
          Exact.width() * Exact.height() <= double(1 << 29)))
        Raise(Msg::PageTooLargeToDraw, {std::to_string(Dpi)});
    return Exact;
}

void SetPdfSheet(QPdfWriter& Pdf, const QSizeF& SizeMM, int Dpi) {
    Pdf.setResolution(Dpi);
    // The size already follows the orientation: the sheet takes it as it is.
    Pdf.setPageLayout(
        QPageLayout(QPageSize(SizeMM, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
}

// "labels.png" as the Number-th of several: "labels-2.png".
QString NumberedName(const QString& FileName, std::int64_t Number) {
    const QFileInfo Info(FileName);
    return Info.dir().filePath(
        QStringLiteral("%1-%2.%3").arg(Info.completeBaseName()).arg(Number).arg(Info.suffix()));
}

} // namespace

QByteArray GraphicBytes(TGraphicFormat Format, const QSizeF& SizeMM, int Dpi,
                        const TDrawGraphic& DrawOn) {
    const QSizeF Exact = ExactPixels(SizeMM, Dpi);
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
        SetPdfSheet(Pdf, SizeMM, Dpi);
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
    // Drawn before its file is made, so that a graphic that cannot be drawn leaves no file.
    WriteWholeFile(FileName, GraphicBytes(GraphicFormatOf(FileName), SizeMM, Dpi, DrawOn));
}

void ExportSheets(const QString& FileName, const QSizeF& SizeMM, int Dpi, std::int64_t Count,
                  const std::function<bool()>& Next, const TDrawGraphic& DrawOn) {
    const TGraphicFormat Format = GraphicFormatOf(FileName);
    if (Format == gfPdf) {
        const QSizeF Exact = ExactPixels(SizeMM, Dpi);
        // Written page by page into a file of its own, which takes the name once it is whole.
        QSaveFile File(FileName);
        OpenToWrite(File);
        {
            QPdfWriter Pdf(&File);
            SetPdfSheet(Pdf, SizeMM, Dpi);
            TPaintDevicePrintJob Job(Pdf);
            for (bool First = true; Next(); First = false) {
                if (!First)
                    Pdf.newPage();
                Job.Canvas().fillRect(QRectF(QPointF(0, 0), Exact), Qt::white);
                DrawOn(Job);
            }
        }
        if (!File.commit())
            Raise(Msg::StreamWriteError);
        return;
    }
    std::vector<QString> Written;
    try {
        for (std::int64_t Sheet = 1; Next(); ++Sheet) {
            const QString Name = Count > 1 ? NumberedName(FileName, Sheet) : FileName;
            WriteWholeFile(Name, GraphicBytes(Format, SizeMM, Dpi, DrawOn));
            Written.push_back(Name);
        }
    } catch (...) {
        for (const QString& Name : Written)
            QFile::remove(Name);
        throw;
    }
}

void RenderPageFile(TReportPage& Page, TDataSource* Data, const QString& FileName, int Dpi) {
    GraphicFormatOf(FileName); // a wrong name is refused before the records are read
    TPageSheets Sheets(Page, Data);
    ExportSheets(
        FileName, TPaintDevicePrintJob::PaperSizeMM(Sheets.Printed()), Dpi, Sheets.Count(),
        [&Sheets] { return Sheets.Next(); },
        [&Sheets](TCustomPrintJob& Job) { RunPagePrint(Sheets.Printed(), Job); });
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

void ExportBarcodeFile(TBarcodeEngine& Engine, const QSize& Box, std::optional<int> Quiet,
                       const QString& FileName, int Dpi) {
    const std::int32_t Modules = Engine.Width(); // validates the settings first
    int Margin = Quiet.value_or(0);
    if (!Quiet && Modules > 0) {
        const int Length =
            Engine.Angle() == 0 || Engine.Angle() == 180 ? Box.width() : Box.height();
        Margin = static_cast<int>(std::lround(10.0 * Length / Modules));
    }
    const QSize Sheet = Box + QSize(2 * Margin, 2 * Margin);
    const double Scale = double(Dpi) / ScreenPixelsPerInch;
    const QRect Target(RoundToInt(Margin * Scale), RoundToInt(Margin * Scale),
                       RoundToInt(Box.width() * Scale), RoundToInt(Box.height() * Scale));
    ExportGraphic(FileName, QSizeF(Sheet) * 25.4 / ScreenPixelsPerInch, Dpi,
                  [&Engine, &Target](TCustomPrintJob& Job) {
                      Engine.PaintBarcode(Job.Canvas(), Target, true, mfWholeDots);
                  });
}
