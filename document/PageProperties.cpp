#include "document/PageProperties.h"

#include "document/ControlProperties.h"
#include "document/TReportPage.h"

namespace {

using TPage = TReportPage;
using P = TProperty<TPage>;

struct TPageParts {
    static TPrintFrame& Frame(TPage& O) { return O.Frame(); }
    static const TPrintFrame& Frame(const TPage& O) { return O.Frame(); }
    static TFont Font(const TPage& O) { return O.Font(); }
    static void SetFont(TPage& O, const TFont& F) { O.SetFont(F); }
    static bool FontIsOwn(const TPage& O) { return O.FontIsOwn(); }
    static std::int32_t Resolution(const TPage& O) { return O.Page().Resolution(); }
    static void SetBounds(TPage& O, int L, int T, int W, int H) { O.SetBounds(L, T, W, H); }
    // On the design surface the page stands at 0, 0 however far the surface is scrolled.
    static int Left(const TPage& O) { return O.parentWidget() != nullptr ? 0 : O.x(); }
    static int Top(const TPage& O) { return O.parentWidget() != nullptr ? 0 : O.y(); }
};

constexpr P Event(std::string_view Path) {
    return {.Path = Path, .Kind = TPropKind::pkEvent};
}

template <typename TValue, TValue TPagePrinterSettings::*Field>
constexpr P PrinterSetting(std::string_view Path, TPropKind Kind = TPropKind::pkInteger,
                           std::optional<std::int64_t> Default = std::nullopt,
                           std::span<const std::string_view> Names = {}) {
    return {.Path = Path,
            .Kind = Kind,
            .Names = Names,
            .GetOrd = [](const TPage& O) -> std::int64_t {
                return static_cast<std::int64_t>(O.PrinterSettings().*Field);
            },
            .SetOrd = [](TPage& O,
                         std::int64_t V) { O.PrinterSettings().*Field = static_cast<TValue>(V); },
            .Default = Default};
}

constexpr auto Before = std::array<P, 6>{{
    Event("AfterPrint"),
    Event("AfterPreview"),
    {.Path = "BackImageControl",
     .Kind = TPropKind::pkString,
     .GetText = [](const TPage& O) { return O.BackImageControl(); },
     .SetText = [](TPage& O, const QString& V) { O.SetBackImageControl(V); }},
    Event("BeforePrint"),
    {.Path = "DataSet", .Kind = TPropKind::pkReference},
    {.Path = "Description.Strings",
     .Kind = TPropKind::pkDefined,
     .WriteDefined = [](TWriter& W, const TPage& O) { WriteLines(W, O.Description()); },
     .ReadDefined = [](TReader& R, TPage& O) { O.Description() = ReadLines(R); },
     .Stored = [](const TPage& O) { return !O.Description().empty(); }},
}};

constexpr auto Middle = std::array<P, 12>{{
    {.Path = "Functions.Strings",
     .Kind = TPropKind::pkDefined,
     .WriteDefined =
         [](TWriter& W, const TPage& O) {
             TStrings Names;
             for (std::size_t I = 0; I < O.Functions().Count(); ++I)
                 Names.push_back(O.Functions().Item(I).Name);
             WriteLines(W, Names);
         },
     .ReadDefined =
         [](TReader& R, TPage& O) {
             TStrings Names = ReadLines(R);
             O.Functions().Clear();
             for (std::string& Name : Names)
                 O.Functions().Add(std::move(Name), {});
         },
     .Stored = [](const TPage& O) { return O.Functions().Count() != 0; }},
    {.Path = "Functions.DATA",
     .Kind = TPropKind::pkDefined,
     .WriteDefined =
         [](TWriter& W, const TPage& O) {
             TStrings Expressions;
             for (std::size_t I = 0; I < O.Functions().Count(); ++I)
                 Expressions.push_back(O.Functions().Item(I).Expression);
             WriteLines(W, Expressions);
         },
     .ReadDefined =
         [](TReader& R, TPage& O) {
             // Functions the list leaves out keep an empty expression.
             TStrings Expressions = ReadLines(R);
             for (std::size_t I = 0; I < Expressions.size(); ++I)
                 O.Functions().SetExpression(I, std::move(Expressions[I]));
         }},
    Event("OnEndPage"),
    Event("OnNeedData"),
    Event("OnPreview"),
    Event("OnStartPage"),
    {.Path = "Options",
     .Kind = TPropKind::pkSet,
     .Names = ReportOptionNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.Options().Bits(); },
     .SetOrd =
         [](TPage& O, std::int64_t V) {
             O.SetOptions(TReportOptions::FromBits(static_cast<std::uint32_t>(V)));
         }},
    {.Path = "Page.Columns",
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.Page().Columns(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.Page().SetColumns(static_cast<std::int32_t>(V)); }},
    {.Path = "Page.Orientation",
     .Kind = TPropKind::pkEnum,
     .Names = PrinterOrientationNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.Page().Orientation(); },
     .SetOrd =
         [](TPage& O, std::int64_t V) {
             O.Page().SetOrientation(static_cast<TPrinterOrientation>(V));
         }},
    {.Path = "Page.PaperSize",
     .Kind = TPropKind::pkEnum,
     .Names = PaperSizeIdents,
     .GetOrd = [](const TPage& O) -> std::int64_t {
         return static_cast<int>(O.Page().PaperSize());
     },
     .SetOrd = [](TPage& O, std::int64_t V) { O.Page().SetPaperSize(static_cast<TPaperSize>(V)); }},
    {.Path = "Page.Ruler",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.Page().Ruler(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.Page().SetRuler(V != 0); },
     .Default = 1},
    {.Path = "Page.Values",
     .Kind = TPropKind::pkDefined,
     .WriteDefined = [](TWriter& W, const TPage& O) { WriteUnitValues(W, O.Page()); },
     .ReadDefined = [](TReader& R, TPage& O) { ReadUnitValues(R, O.Page()); }},
}};

using TSettings = TPagePrinterSettings;
constexpr auto PrinterSettings = std::array<P, 17>{{
    PrinterSetting<std::int32_t, &TSettings::Copies>("PrinterSettings.Copies"),
    PrinterSetting<TPaperBin, &TSettings::OutputBin>("PrinterSettings.OutputBin", TPropKind::pkEnum,
                                                     {}, PaperBinNames),
    PrinterSetting<bool, &TSettings::Duplex>("PrinterSettings.Duplex", TPropKind::pkBoolean),
    PrinterSetting<std::int32_t, &TSettings::FirstPage>("PrinterSettings.FirstPage"),
    PrinterSetting<std::int32_t, &TSettings::LastPage>("PrinterSettings.LastPage"),
    PrinterSetting<bool, &TSettings::UseStandardprinter>("PrinterSettings.UseStandardprinter",
                                                         TPropKind::pkBoolean),
    PrinterSetting<bool, &TSettings::UseCustomBinCode>("PrinterSettings.UseCustomBinCode",
                                                       TPropKind::pkBoolean),
    PrinterSetting<std::int32_t, &TSettings::CustomBinCode>("PrinterSettings.CustomBinCode"),
    PrinterSetting<std::int32_t, &TSettings::ExtendedDuplex>("PrinterSettings.ExtendedDuplex"),
    PrinterSetting<bool, &TSettings::UseCustomPaperCode>("PrinterSettings.UseCustomPaperCode",
                                                         TPropKind::pkBoolean),
    PrinterSetting<std::int32_t, &TSettings::CustomPaperCode>("PrinterSettings.CustomPaperCode"),
    PrinterSetting<bool, &TSettings::PrintMetaFile>("PrinterSettings.PrintMetaFile",
                                                    TPropKind::pkBoolean),
    PrinterSetting<std::int32_t, &TSettings::MemoryLimit>("PrinterSettings.MemoryLimit",
                                                          TPropKind::pkInteger, 250000),
    PrinterSetting<std::int32_t, &TSettings::PrintQuality>("PrinterSettings.PrintQuality",
                                                           TPropKind::pkInteger, 600),
    PrinterSetting<std::int32_t, &TSettings::Collate>("PrinterSettings.Collate"),
    PrinterSetting<std::int32_t, &TSettings::ColorOption>("PrinterSettings.ColorOption"),
    // Newer than the other settings: written only when set, so older documents stay as they are.
    PrinterSetting<std::int32_t, &TSettings::BarWidthReduction>("PrinterSettings.BarWidthReduction",
                                                                TPropKind::pkInteger, 0),
}};

constexpr auto After = std::array<P, 15>{{
    {.Path = "PrintIfEmpty",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PrintIfEmpty(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetPrintIfEmpty(V != 0); }},
    {.Path = "ReportTitle",
     .Kind = TPropKind::pkString,
     .GetText = [](const TPage& O) { return O.ReportTitle(); },
     .SetText = [](TPage& O, const QString& V) { O.SetReportTitle(V); }},
    {.Path = "ShowProgress",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.ShowProgress(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetShowProgress(V != 0); },
     .Default = 1},
    {.Path = "SnapToGrid",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.SnapToGrid(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetSnapToGrid(V != 0); }},
    {.Path = "Units",
     .Kind = TPropKind::pkEnum,
     .Names = PageUnitNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return static_cast<int>(O.Units()); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetUnits(static_cast<TPageUnit>(V)); }},
    {.Path = "Zoom",
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.Zoom(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetZoom(static_cast<std::int32_t>(V)); }},
    Event("OnGetPrinterSettings"),
    Event("OnApplyPrinterSettings"),
    {.Path = "PrevFormStyle",
     .Kind = TPropKind::pkEnum,
     .Names = FormStyleNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PrevFormStyle(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetPrevFormStyle(static_cast<TFormStyle>(V)); }},
    {.Path = "PreviewInitialState",
     .Kind = TPropKind::pkEnum,
     .Names = WindowStateNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PreviewInitialState(); },
     .SetOrd = [](TPage& O,
                  std::int64_t V) { O.SetPreviewInitialState(static_cast<TWindowState>(V)); }},
    {.Path = "PreviewWidth",
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PreviewWidth(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetPreviewWidth(static_cast<std::int32_t>(V)); },
     .Default = 500},
    {.Path = "PreviewHeight",
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PreviewHeight(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetPreviewHeight(static_cast<std::int32_t>(V)); },
     .Default = 500},
    {.Path = "PrevShowThumbs",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PrevShowThumbs(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetPrevShowThumbs(V != 0); },
     .Default = 1},
    {.Path = "PrevShowSearch",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PrevShowSearch(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetPrevShowSearch(V != 0); },
     .Default = 1},
    {.Path = "PrevInitialZoom",
     .Kind = TPropKind::pkEnum,
     .Names = ZoomStateNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.PrevInitialZoom(); },
     .SetOrd = [](TPage& O,
                  std::int64_t V) { O.SetPrevInitialZoom(static_cast<TQRZoomState>(V)); }},
}};

// The data merge's, after all others, and written only when set: documents without a merge keep
// their bytes.
constexpr auto Merge = std::array<P, 2>{{
    {.Path = "MergeMode",
     .Kind = TPropKind::pkEnum,
     .Names = MergeModeNames,
     .GetOrd = [](const TPage& O) -> std::int64_t { return O.MergeMode(); },
     .SetOrd = [](TPage& O, std::int64_t V) { O.SetMergeMode(static_cast<TMergeMode>(V)); },
     .Default = mmRecordPerPage},
    {.Path = "DataSource",
     .Kind = TPropKind::pkString,
     .GetText = [](const TPage& O) { return O.DataSource(); },
     .SetText = [](TPage& O, const QString& V) { O.SetDataSource(V); }},
}};

constexpr auto Table =
    JoinTables(ControlProperties<TPage, TPageParts>(), FrameProperties<TPage, TPageParts>(), Before,
               FontProperties<TPage, TPageParts>(), Middle, PrinterSettings, After, Merge);

} // namespace

std::span<const TProperty<TReportPage>> PageProperties() {
    return Table;
}
