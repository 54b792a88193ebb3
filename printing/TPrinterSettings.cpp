#include "printing/TPrinterSettings.h"

#include "common/Messages.h"
#include "common/Rounding.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/PrinterCodes.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace {

std::size_t Ordinal(TPaperSize Value) {
    return static_cast<std::size_t>(Value);
}

// Paper sizes listed by a driver in points are a little off their millimetres.
constexpr long double SameSize = 5; // native units

bool Holds(long double Width, long double Length, const TQueueMedia& Media) {
    return Media.Width + SameSize >= Width && Media.Length + SameSize >= Length;
}

bool IsSize(long double Width, long double Length, const TQueueMedia& Media) {
    return std::abs(Media.Width - Width) <= SameSize && std::abs(Media.Length - Length) <= SameSize;
}

const TQueueMedia* ListedOfSize(const TPrinterQueue& Queue, long double Width, long double Length) {
    const auto Found = std::find_if(Queue.Media.begin(), Queue.Media.end(),
                                    [&](const TQueueMedia& M) { return IsSize(Width, Length, M); });
    return Found != Queue.Media.end() ? &*Found : nullptr;
}

// The smallest listed paper that holds Width by Length, or nullptr.
const TQueueMedia* SmallestHolding(const TPrinterQueue& Queue, long double Width,
                                   long double Length) {
    const TQueueMedia* Best = nullptr;
    for (const TQueueMedia& M : Queue.Media)
        if (Holds(Width, Length, M) &&
            (Best == nullptr || M.Width * M.Length < Best->Width * Best->Length))
            Best = &M;
    return Best;
}

// The whole points a PDF page of Length native units measures (Qt writes its pages so), which
// the driver's custom size must equal for the spooler not to scale the page.
long long Points(long double Length) {
    return static_cast<long long>(RoundHalfEven(Length / 254 * 72));
}

QByteArray CustomMediaName(long double Width, long double Length) {
    return "Custom." + QByteArray::number(Points(Width)) + "x" + QByteArray::number(Points(Length));
}

// "300dpi" or "300x600dpi" of a driver's Resolution option.
TQueueResolution ParseResolution(std::string_view Text) {
    int X = 0;
    int Y = 0;
    std::size_t I = 0;
    for (; I < Text.size() && Text[I] >= '0' && Text[I] <= '9'; ++I)
        X = X * 10 + (Text[I] - '0');
    if (I < Text.size() && Text[I] == 'x')
        for (++I; I < Text.size() && Text[I] >= '0' && Text[I] <= '9'; ++I)
            Y = Y * 10 + (Text[I] - '0');
    if (Text.substr(I) != "dpi" || X <= 0 || X > 10000 || Y > 10000)
        return {};
    return {X, Y > 0 ? Y : X};
}

// The job options the run decides itself from the page; the driver's options do not repeat them.
bool IsRunOption(std::string_view Name) {
    constexpr std::array<std::string_view, 12> Own = {"media",
                                                      "PageSize",
                                                      "PageRegion",
                                                      "copies",
                                                      "Collate",
                                                      "sides",
                                                      "Duplex",
                                                      "landscape",
                                                      "orientation-requested",
                                                      "page-ranges",
                                                      "multiple-document-handling",
                                                      "number-up"};
    return std::find(Own.begin(), Own.end(), Name) != Own.end();
}

// The sheet the settings describe, in Qt's terms: a named size that Qt knows by its driver code
// turns with the orientation; any other is taken as it is, width by length.
QPageSize SheetSize(const TPrinterSettings& S, bool& Turns) {
    const bool CustomCode = S.UseCustomPaperCode;
    const int Code = CustomCode ? S.CustomPaperCode : PaperCodes[Ordinal(S.PaperSize)];
    Turns = false;
    if (IsNamedPaperSize(S.PaperSize) || CustomCode) {
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

std::string MillimetreText(long double Native) {
    std::string Text = std::to_string(static_cast<double>(RoundHalfEven(Native) / 10));
    Text.erase(Text.find_last_not_of('0') + 1);
    if (Text.back() == '.')
        Text.pop_back();
    return Text;
}

} // namespace

long double NativeFromPixels(long double Pixels, std::int32_t DotsPerInch) {
    if (DotsPerInch <= 0)
        return 0;
    return RoundHalfEven(Pixels / DotsPerInch * 254);
}

void TPrinterSettings::ReadQueue(const TPrinterQueue& Queue) {
    FQueue = Queue;
    DeviceName = Queue.Name;
    DriverName = Queue.MakeAndModel;
    Port = Queue.DeviceUri;
    // A queue that names no resolution (a raw queue) is drawn as a common laser printer prints.
    DotsPerInchX = Queue.Resolution.X > 0 ? Queue.Resolution.X : 300;
    DotsPerInchY = Queue.Resolution.Y > 0 ? Queue.Resolution.Y : DotsPerInchX;
    Copies = 1;
    OutputBin = TPaperBin::First;
    Duplex = false;
    ExtendedDuplex = 0;
    LeftOffset = 0;
    TopOffset = 0;
    Media.clear();
    TakeRaster(Queue.DefaultMedia);
    PaperWidth = RoundHalfEven(Queue.DefaultMedia.Width);
    PaperLength = RoundHalfEven(Queue.DefaultMedia.Length);
    PaperSize = PaperSizeOfDimensions(PaperWidth / 10, PaperLength / 10);
    Supported.fill(false);
    for (const TQueueMedia& M : Queue.Media) {
        const TPaperSize Known = PaperSizeOfDimensions(M.Width / 10, M.Length / 10);
        if (IsNamedPaperSize(Known))
            Supported[Ordinal(Known)] = true;
    }
    // Whether the driver takes a size of its own is asked only for a page that needs one.
    Supported[Ordinal(TPaperSize::Custom)] = true;
    Supported[Ordinal(TPaperSize::Default)] = true;
    Collate = 0;
    PrintQuality = DotsPerInchX;
    ColorOption = 0;
}

void TPrinterSettings::TakeRaster(const TQueueMedia& Paper) {
    RasterLeft = Paper.LeftMargin;
    RasterTop = Paper.TopMargin;
}

void TPrinterSettings::ReadDevice(const QPagedPaintDevice& Device) {
    FQueue.reset();
    Media.clear();
    RasterLeft = 0;
    RasterTop = 0;
    const auto* Printer = dynamic_cast<const QPrinter*>(&Device);
    const QPrinterInfo Info = Printer != nullptr ? QPrinterInfo(*Printer) : QPrinterInfo();
    DeviceName = Printer != nullptr ? Printer->printerName() : QString();
    DriverName = Info.isNull() ? QStringLiteral("PDF") : Info.makeAndModel();
    Port = Printer != nullptr && Info.isNull() ? Printer->outputFileName() : QString();
    DotsPerInchX = Device.logicalDpiX();
    DotsPerInchY = Device.logicalDpiY();
    Copies = Printer != nullptr ? Printer->copyCount() : 1;
    OutputBin = TPaperBin::First;
    if (Printer != nullptr)
        if (const TBinSource* Bin =
                FindCode(BinSources, &TBinSource::Source, Printer->paperSource()))
            if (const TPaperBinRow* Row = FindCode(PaperBinTable, &TPaperBinRow::Code, Bin->Code))
                OutputBin = Row->Bin;
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
    PrintQuality = Printer != nullptr ? Printer->resolution() : DotsPerInchX;
    Collate = Printer != nullptr && Printer->collateCopies() ? 1 : 0;
    const TColorCode* Color = Printer != nullptr
                                  ? FindCode(ColorCodes, &TColorCode::Mode, Printer->colorMode())
                                  : nullptr;
    ColorOption = Color != nullptr ? Color->Code : 0;
}

void TPrinterSettings::ReadOffsets(const QPagedPaintDevice& Device) {
    // Drawing starts at the paint rectangle, which the job keeps at the device's physical offsets.
    const QPageLayout Layout = Device.pageLayout();
    const QRect Paper = Layout.fullRectPixels(Device.logicalDpiX());
    const QRect Printable = Layout.paintRectPixels(Device.logicalDpiX());
    LeftOffset = NativeFromPixels(Printable.left() - Paper.left(), Device.logicalDpiX());
    const QRect PaperY = Layout.fullRectPixels(Device.logicalDpiY());
    const QRect PrintableY = Layout.paintRectPixels(Device.logicalDpiY());
    TopOffset = NativeFromPixels(PrintableY.top() - PaperY.top(), Device.logicalDpiY());
}

void TPrinterSettings::ApplyPage(const TReportPage& Page) {
    const TPageGeometry& G = Page.Page();
    const TPaperSize Paper = G.PaperSize();
    const long double Width = RoundHalfEven(G.NativeValue(TPageGeometry::pvWidth));
    const long double Length = RoundHalfEven(G.NativeValue(TPageGeometry::pvLength));
    if (!FQueue) {
        if (Supported[Ordinal(Paper)])
            PaperSize = Paper;
        if (PaperSize == TPaperSize::Custom) {
            PaperWidth = Width;
            PaperLength = Length;
        }
    } else if (Paper == TPaperSize::Default) {
        // The queue's own paper, which it takes without being told.
        if (PaperWidth <= 0 || PaperLength <= 0) {
            PaperWidth = Width;
            PaperLength = Length;
        }
        PaperSize = TPaperSize::Default;
    } else if (IsNamedPaperSize(Paper)) {
        const TPaperDimension& D = PaperDimensions[Ordinal(Paper)];
        if (const TQueueMedia* Listed = ListedOfSize(*FQueue, D.Width * 10, D.Length * 10)) {
            PaperSize = Paper;
            Media = Listed->Name;
            TakeRaster(*Listed);
            PaperWidth = RoundHalfEven(D.Width * 10);
            PaperLength = RoundHalfEven(D.Length * 10);
        }
        // Else the queue's own current paper, as read.
    } else {
        PaperSize = TPaperSize::Custom;
        PaperWidth = Width;
        PaperLength = Length;
        if (const TQueueMedia* Listed = ListedOfSize(*FQueue, Width, Length)) {
            Media = Listed->Name;
            TakeRaster(*Listed);
        } else if (const auto Range = QueueCustomSizes(FQueue->Name);
                   Range && Width + SameSize >= Range->MinWidth &&
                   Width <= Range->MaxWidth + SameSize && Length + SameSize >= Range->MinLength &&
                   Length <= Range->MaxLength + SameSize) {
            Media = CustomMediaName(Width, Length);
        } else if (const TQueueMedia* Holding = SmallestHolding(*FQueue, Width, Length)) {
            // The label at the top left of the smallest paper that holds it, not scaled.
            Media = Holding->Name;
            TakeRaster(*Holding);
            PaperWidth = RoundHalfEven(Holding->Width);
            PaperLength = RoundHalfEven(Holding->Length);
        } else {
            Raise(Msg::NoPaperHolds,
                  {DeviceName.toStdString(), MillimetreText(Width), MillimetreText(Length)});
        }
    }
    Orientation = G.Orientation();
    const TPagePrinterSettings& S = Page.PrinterSettings();
    Copies = S.Copies;
    OutputBin = S.OutputBin;
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
    TakeDriverOptions(S);
}

void TPrinterSettings::TakeDriverOptions(const TPagePrinterSettings& S) {
    DriverOptions.clear();
    for (const auto& [Name, Value] : S.DriverOptions) {
        if (IsRunOption(Name))
            continue;
        DriverOptions.push_back(
            {QByteArray::fromStdString(Name), QByteArray::fromStdString(Value)});
        // The dots the driver prints are the dots the run draws.
        if (const TQueueResolution Chosen = ParseResolution(Value);
            FQueue && Name == "Resolution" && Chosen.X > 0) {
            DotsPerInchX = Chosen.X;
            DotsPerInchY = Chosen.Y;
        }
    }
}

void TPrinterSettings::WriteDevice(QPagedPaintDevice& Device) const {
    bool Turns = false;
    const QPageSize Size = SheetSize(*this, Turns);
    if (!Size.isEquivalentTo(Device.pageLayout().pageSize()))
        Device.setPageSize(Size);
    Device.setPageOrientation(Turns && Orientation == poLandscape ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    const QPageLayout Layout = Device.pageLayout();
    Device.setPageMargins(Layout.minimumMargins(), Layout.units());
    auto* Printer = dynamic_cast<QPrinter*>(&Device);
    if (Printer == nullptr)
        return;
    Printer->setCopyCount(Copies);
    const int DuplexCode = ExtendedDuplex != 0 ? ExtendedDuplex : Duplex ? 3 : 1;
    if (const TDuplexCode* Code = FindCode(DuplexCodes, &TDuplexCode::Code, DuplexCode))
        Printer->setDuplex(Code->Mode);
    const int BinCode =
        UseCustomBinCode ? CustomBinCode : PaperBinTable[static_cast<std::size_t>(OutputBin)].Code;
    if (const TBinSource* Bin = FindCode(BinSources, &TBinSource::Code, BinCode))
        Printer->setPaperSource(Bin->Source);
    Printer->setCollateCopies(Collate != 0);
}

std::vector<TSpoolOption> TPrinterSettings::SpoolOptions() const {
    std::vector<TSpoolOption> Options;
    if (!Media.isEmpty())
        Options.push_back({"media", Media});
    if (FQueue && FQueue->TwoSided) {
        const int DuplexCode = ExtendedDuplex != 0 ? ExtendedDuplex : Duplex ? 3 : 1;
        if (const TDuplexCode* Code = FindCode(DuplexCodes, &TDuplexCode::Code, DuplexCode))
            Options.push_back(
                {"sides", QByteArray(Code->Sides.data(), qsizetype(Code->Sides.size()))});
    }
    bool Turns = false;
    SheetSize(*this, Turns);
    if (Turns && Orientation == poLandscape)
        Options.push_back({"landscape", ""});
    Options.insert(Options.end(), DriverOptions.begin(), DriverOptions.end());
    return Options;
}
