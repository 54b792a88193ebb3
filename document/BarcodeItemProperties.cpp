#include "document/BarcodeItemProperties.h"

#include "common/Text1252.h"
#include "document/ControlProperties.h"
#include "document/TBarcodeItem.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

using TItem = TBarcodeItem;
using P = TProperty<TItem>;

struct TItemParts {
    static TPrintFrame& Frame(TItem& O) { return O.Frame(); }
    static const TPrintFrame& Frame(const TItem& O) { return O.Frame(); }
    static TFont Font(const TItem& O) { return O.Font(); }
    static void SetFont(TItem& O, const TFont& F) { O.SetFont(F); }
    static bool FontIsOwn(const TItem& O) { return O.FontIsOwn(); }
    static std::int32_t Resolution(const TItem& O) { return O.Size().Resolution(); }
    static void SetBounds(TItem& O, int L, int T, int W, int H) { O.SetBounds(L, T, W, H); }
    static int Left(const TItem& O) { return O.x(); }
    static int Top(const TItem& O) { return O.y(); }
};

// The stored names of the symbologies, in TBarcodeType order.
constexpr auto BarcodeTypeNames = [] {
    std::array<std::string_view, BarcodeTypeCount> Names{};
    for (std::size_t I = 0; I < BarcodeTypeCount; ++I)
        Names[I] = BarcodeTypeTable[I].Name;
    return Names;
}();

constexpr auto Enabled = std::array<P, 1>{{
    {.Path = "Enabled",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.Enabled(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetEnabled(V != 0); },
     .Default = 1},
}};

constexpr auto Size = std::array<P, 1>{{
    {.Path = "Size.Values",
     .Kind = TPropKind::pkDefined,
     .WriteDefined = [](TWriter& W, const TItem& O) { WriteUnitValues(W, O.Size()); },
     .ReadDefined = [](TReader& R, TItem& O) { ReadUnitValues(R, O.Size()); }},
}};

constexpr auto Own = std::array<P, 7>{{
    {.Path = "Angle",
     .Kind = TPropKind::pkEnum,
     .Names = BarcodeAngleIdents,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.Angle(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetAngle(static_cast<TBarcodeAngle>(V)); }},
    {.Path = "BarcodeType",
     .Kind = TPropKind::pkEnum,
     .Names = BarcodeTypeNames,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.BarcodeType(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetBarcodeType(static_cast<TBarcodeType>(V)); }},
    {.Path = "BarcodeText",
     .Kind = TPropKind::pkString,
     .GetText = [](const TItem& O) { return FromCp1252(O.BarcodeText()); },
     .SetText = [](TItem& O, const QString& V) { O.SetBarcodeText(ToCp1252(V)); }},
    {.Path = "Checksum",
     .Kind = TPropKind::pkBoolean,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.Checksum(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetChecksum(V != 0); }},
    {.Path = "CheckSumMethod",
     .Kind = TPropKind::pkEnum,
     .Names = CheckSumMethodIdents,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.CheckSumMethod(); },
     .SetOrd = [](TItem& O,
                  std::int64_t V) { O.SetCheckSumMethod(static_cast<TCheckSumMethod>(V)); }},
    // The colour is stored when it is the item's own and not the window colour.
    {.Path = "Color",
     .Idents = ColorIdents,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.Color(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetColor(static_cast<TColor>(V)); },
     .Default = SysColor(5),
     .Stored = [](const TItem& O) { return O.ColorIsOwn(); }},
    {.Path = "ColorBar",
     .Idents = ColorIdents,
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.ColorBar(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetColorBar(static_cast<TColor>(V)); }},
}};

constexpr auto Last = std::array<P, 4>{{
    {.Path = "Modul",
     .GetOrd = [](const TItem& O) -> std::int64_t { return O.Modul(); },
     .SetOrd = [](TItem& O, std::int64_t V) { O.SetModul(static_cast<std::int32_t>(V)); }},
    {.Path = "Ratio",
     .Kind = TPropKind::pkFloat,
     .GetFloat = [](const TItem& O) -> long double { return O.Ratio(); },
     .SetFloat =
         [](TItem& O, long double V) {
             // The item holds a double.
             if (std::fabs(V) > DBL_MAX)
                 InvalidPropertyValue();
             O.SetRatio(static_cast<double>(V));
         }},
    {.Path = "TitleRow1",
     .Kind = TPropKind::pkString,
     .GetText = [](const TItem& O) { return FromCp1252(O.TitleRow1()); },
     .SetText = [](TItem& O, const QString& V) { O.SetTitleRow1(ToCp1252(V)); }},
    {.Path = "TitleRow2",
     .Kind = TPropKind::pkString,
     .GetText = [](const TItem& O) { return FromCp1252(O.TitleRow2()); },
     .SetText = [](TItem& O, const QString& V) { O.SetTitleRow2(ToCp1252(V)); }},
}};

// After all others, and written only when set: items without a merge keep their bytes.
constexpr auto Merge = std::array<P, 1>{{
    {.Path = "DataField",
     .Kind = TPropKind::pkString,
     .GetText = [](const TItem& O) { return O.DataField(); },
     .SetText = [](TItem& O, const QString& V) { O.SetDataField(V); }},
}};

constexpr auto Table = JoinTables(ControlProperties<TItem, TItemParts>(), Enabled,
                                  FrameProperties<TItem, TItemParts>(), Size, Own,
                                  FontProperties<TItem, TItemParts>(), Last, Merge);

// The settings the engine validates together at the end of reading.
constexpr std::array<std::string_view, 7> ValidatedSettings = {
    "Angle", "BarcodeType", "BarcodeText", "Checksum", "CheckSumMethod", "Modul", "Ratio"};
static_assert(std::ranges::all_of(ValidatedSettings, [](std::string_view Path) {
    return std::ranges::any_of(Table, [&](const P& Row) { return Row.Path == Path; });
}));

} // namespace

std::span<const TProperty<TBarcodeItem>> BarcodeItemProperties() {
    return Table;
}

std::string_view RejectedBarcodePath(std::span<const std::string_view> Paths) {
    // The engine checks the text against the other settings: the text when the record stored it,
    // else the last setting stored, else the text again.
    const auto Text = std::ranges::find_if(
        Paths, [](std::string_view Path) { return SameName(Path, "BarcodeText"); });
    if (Text != Paths.end())
        return *Text;
    for (auto It = Paths.rbegin(); It != Paths.rend(); ++It)
        if (FindName(ValidatedSettings, *It))
            return *It;
    return "BarcodeText";
}
