#include "printing/TPrinterSettings.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"
#include "printing/PrinterCodes.h"
#include "printing/Printers.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstddef>

namespace {

std::size_t Ordinal(TPaperSize Value) {
    return static_cast<std::size_t>(Value);
}

// The sheet the settings describe, in Qt's terms: a named size that Qt knows by its driver code
// turns with the orientation; any other is taken as it is, width by length.
QPageSize SheetSize(const TPrinterSettings& S, bool& Turns) {
    const bool CustomCode = S.UseCustomPaperCode;
    const int Code = CustomCode ? S.CustomPaperCode : PaperCodes[Ordinal(S.PaperSize)];
    Turns = false;
    if (S.PaperSize != TPaperSize::Custom || CustomCode) {
        const QPageSize::PageSizeId Id = QPageSize::id(Code);
        if (Id != QPageSize::Custom) {
            Turns = true;
            return QPageSize(Id);
        }
    }
    QSizeF MM(static_cast<double>(S.PaperWidth / 10), static_cast<double>(S.PaperLength / 10));
    if (IsNamedPaperSize(S.PaperSize) && !CustomCode) {
        const TPaperDimension& D = PaperDimensions[Ordinal(S.PaperSize)];
        MM = S.Orientation == poLandscape ? QSizeF(double(D.Length), double(D.Width))
                                          : QSizeF(double(D.Width), double(D.Length));
    }
    return QPageSize(MM, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

} // namespace

long double NativeFromPixels(long double Pixels, std::int32_t DotsPerInch) {
    if (DotsPerInch <= 0)
        return 0;
    return RoundHalfEven(Pixels / DotsPerInch * 254);
}

void TPrinterSettings::ReadDevice(const QPrinter& Device) {
    const QPrinterInfo Info(Device);
    DeviceName = Device.printerName();
    DriverName = Info.isNull() ? QStringLiteral("PDF") : Info.makeAndModel();
    Port = Info.isNull() ? Device.outputFileName() : PrinterPort(DeviceName);
    DotsPerInchX = Device.logicalDpiX();
    DotsPerInchY = Device.logicalDpiY();
    Copies = Device.copyCount();
    OutputBin = TPaperBin::First;
    if (const TBinSource* Bin = FindCode(BinSources, &TBinSource::Source, Device.paperSource()))
        if (const TPaperBinRow* Row = FindCode(PaperBinTable, &TPaperBinRow::Code, Bin->Code))
            OutputBin = Row->Bin;
    const QList<QPrinter::DuplexMode> Duplexes = Info.supportedDuplexModes();
    CarriesDuplex =
        Duplexes.contains(QPrinter::DuplexLongSide) || Duplexes.contains(QPrinter::DuplexShortSide);
    if (CarriesDuplex) {
        const QPrinter::DuplexMode Mode =
            Device.duplex() == QPrinter::DuplexAuto ? QPrinter::DuplexLongSide : Device.duplex();
        const TDuplexCode* Code = FindCode(DuplexCodes, &TDuplexCode::Mode, Mode);
        ExtendedDuplex = Code != nullptr ? Code->Code : 1;
        Duplex = ExtendedDuplex != 1;
    }
    ReadOffsets(Device);
    // The sheet as defined, in millimetres: its rectangle in pixels comes from whole points.
    const QRectF Paper = Device.pageLayout().fullRect(QPageLayout::Millimeter);
    PaperSize = PaperSizeFromCode(Device.pageLayout().pageSize().windowsId());
    PaperWidth = RoundHalfEven(Paper.width() * 10);
    PaperLength = RoundHalfEven(Paper.height() * 10);
    Supported.fill(Info.isNull()); // a PDF file takes any paper
    if (!Info.isNull()) {
        for (const QPageSize& Size : Info.supportedPageSizes()) {
            const TPaperSize Known = PaperSizeFromCode(Size.windowsId());
            if (IsNamedPaperSize(Known))
                Supported[Ordinal(Known)] = true;
        }
        Supported[Ordinal(TPaperSize::Custom)] = Info.supportsCustomPageSizes();
    }
    Supported[Ordinal(TPaperSize::Default)] = true;
    PrintQuality = Device.resolution();
    Collate = Device.collateCopies() ? 1 : 0;
    const TColorCode* Color = FindCode(ColorCodes, &TColorCode::Mode, Device.colorMode());
    ColorOption = Color != nullptr ? Color->Code : 0;
}

void TPrinterSettings::ReadOffsets(const QPrinter& Device) {
    // Drawing starts at the page rectangle, which the job keeps at the device's physical offsets.
    const QRectF Paper = Device.paperRect(QPrinter::DevicePixel);
    const QRectF Printable = Device.pageRect(QPrinter::DevicePixel);
    LeftOffset =
        NativeFromPixels(RoundHalfEven(Printable.left() - Paper.left()), Device.logicalDpiX());
    TopOffset =
        NativeFromPixels(RoundHalfEven(Printable.top() - Paper.top()), Device.logicalDpiY());
}

void TPrinterSettings::ApplyPage(const TReportPage& Page) {
    const TPageGeometry& G = Page.Page();
    if (Supported[Ordinal(G.PaperSize())])
        PaperSize = G.PaperSize();
    if (PaperSize == TPaperSize::Custom) {
        PaperWidth = RoundHalfEven(G.NativeValue(TPageGeometry::pvWidth));
        PaperLength = RoundHalfEven(G.NativeValue(TPageGeometry::pvLength));
    }
    Orientation = G.Orientation();
    const TPagePrinterSettings& S = Page.PrinterSettings();
    Copies = S.Copies;
    OutputBin = S.OutputBin;
    if (CarriesDuplex)
        Duplex = S.Duplex;
    UseStandardprinter = S.UseStandardprinter;
    PrintMetaFile = S.PrintMetaFile;
    UseCustomBinCode = S.UseCustomBinCode;
    CustomBinCode = S.CustomBinCode;
    UseCustomPaperCode = S.UseCustomPaperCode;
    CustomPaperCode = S.CustomPaperCode;
    PrintQuality = S.PrintQuality;
    Collate = S.Collate;
    ColorOption = S.ColorOption;
    ExtendedDuplex = S.ExtendedDuplex;
    MemoryLimit = S.MemoryLimit;
}

void TPrinterSettings::WriteDevice(QPrinter& Device) const {
    if (PaperSize != TPaperSize::Default) {
        bool Turns = false;
        const QPageSize Size = SheetSize(*this, Turns);
        if (!Size.isEquivalentTo(Device.pageLayout().pageSize()))
            Device.setPageSize(Size);
        Device.setPageOrientation(Turns && Orientation == poLandscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
    } else {
        Device.setPageOrientation(Orientation == poLandscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
    }
    const QPageLayout Layout = Device.pageLayout();
    Device.setPageMargins(Layout.minimumMargins(), Layout.units());
    Device.setCopyCount(Copies);
    const int DuplexCode = ExtendedDuplex != 0 ? ExtendedDuplex : Duplex ? 3 : 1;
    if (const TDuplexCode* Code = FindCode(DuplexCodes, &TDuplexCode::Code, DuplexCode))
        Device.setDuplex(Code->Mode);
    const int BinCode =
        UseCustomBinCode ? CustomBinCode : PaperBinTable[static_cast<std::size_t>(OutputBin)].Code;
    if (const TBinSource* Bin = FindCode(BinSources, &TBinSource::Code, BinCode))
        Device.setPaperSource(Bin->Source);
    Device.setCollateCopies(Collate != 0);
}
