#pragma once

#include "document/PropertyTable.h"
#include "document/TFont.h"
#include "document/TPrintFrame.h"
#include "document/TReportPage.h"
#include "document/TUnitBase.h"

#include <QWidget>

// Table parts that the page and the items share: the control's own properties, the frame, the
// font and the "Values" of a unit object. Each is a template over a traits type T that reaches the
// parts of an object O:
//   T::Frame(O) -> TPrintFrame&        T::Font(O) -> TFont      T::SetFont(O, TFont)
//   T::FontIsOwn(O) -> bool            T::Resolution(O) -> int  T::SetBounds(O, l, t, w, h)
//   T::Left(O), T::Top(O) -> int (the stored position)
// and the control accessors Tag, Cursor, Hint, HelpType, HelpKeyword, HelpContext of O itself.

// Pixel coordinates and lengths that a control can take.
inline constexpr std::int64_t MaxPixelCoordinate = QWIDGETSIZE_MAX;
// A font larger than this many pixels is no label's font; refusing it keeps text drawing bounded.
inline constexpr std::int64_t MaxFontPixels = 4096;
// Frame lines wider than this many points are refused for the same reason.
inline constexpr std::int64_t MaxFrameWidth = 32767;

// The largest native length whose pixel equivalent at the highest zoom still fits a control.
long double MaxNativeLength(std::int32_t Resolution);

// The defined property "Values" of a unit object: a list of exactly ValueCount floats.
void WriteUnitValues(TWriter& Writer, const TUnitBase& Unit);
void ReadUnitValues(TReader& Reader, TUnitBase& Unit);

// A string list as a list of lines.
void WriteLines(TWriter& Writer, const TStrings& Lines);
TStrings ReadLines(TReader& Reader);

template <typename TObj, typename T> constexpr auto ControlProperties() {
    using P = TProperty<TObj>;
    return std::array<P, 10>{{
        {.Path = "Tag",
         .GetOrd = [](const TObj& O) -> std::int64_t { return O.Tag(); },
         .SetOrd = [](TObj& O, std::int64_t V) { O.SetTag(static_cast<std::int32_t>(V)); },
         .Default = 0},
        {.Path = "Left",
         .Min = -MaxPixelCoordinate,
         .Max = MaxPixelCoordinate,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Left(O); },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 T::SetBounds(O, static_cast<int>(V), O.y(), O.width(), O.height());
             }},
        {.Path = "Top",
         .Min = -MaxPixelCoordinate,
         .Max = MaxPixelCoordinate,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Top(O); },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 T::SetBounds(O, O.x(), static_cast<int>(V), O.width(), O.height());
             }},
        {.Path = "Width",
         .Min = -MaxPixelCoordinate,
         .Max = MaxPixelCoordinate,
         .GetOrd = [](const TObj& O) -> std::int64_t { return O.width(); },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 T::SetBounds(O, O.x(), O.y(), static_cast<int>(V), O.height());
             }},
        {.Path = "Height",
         .Min = -MaxPixelCoordinate,
         .Max = MaxPixelCoordinate,
         .GetOrd = [](const TObj& O) -> std::int64_t { return O.height(); },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 T::SetBounds(O, O.x(), O.y(), O.width(), static_cast<int>(V));
             }},
        {.Path = "Cursor",
         .Idents = CursorIdents,
         .GetOrd = [](const TObj& O) -> std::int64_t { return O.Cursor(); },
         .SetOrd = [](TObj& O, std::int64_t V) { O.SetCursor(static_cast<std::int32_t>(V)); },
         .Default = 0},
        {.Path = "Hint",
         .Kind = TPropKind::pkString,
         .GetText = [](const TObj& O) { return O.Hint(); },
         .SetText = [](TObj& O, const QString& V) { O.SetHint(V); }},
        {.Path = "HelpType",
         .Kind = TPropKind::pkEnum,
         .Names = HelpTypeNames,
         .GetOrd = [](const TObj& O) -> std::int64_t { return O.HelpType(); },
         .SetOrd = [](TObj& O, std::int64_t V) { O.SetHelpType(static_cast<THelpType>(V)); },
         .Default = htContext},
        {.Path = "HelpKeyword",
         .Kind = TPropKind::pkString,
         .GetText = [](const TObj& O) { return O.HelpKeyword(); },
         .SetText = [](TObj& O, const QString& V) { O.SetHelpKeyword(V); }},
        {.Path = "HelpContext",
         .GetOrd = [](const TObj& O) -> std::int64_t { return O.HelpContext(); },
         .SetOrd = [](TObj& O, std::int64_t V) { O.SetHelpContext(static_cast<std::int32_t>(V)); },
         .Default = 0},
    }};
}

template <typename TObj, typename T> constexpr auto FrameProperties() {
    using P = TProperty<TObj>;
    return std::array<P, 7>{{
        {.Path = "Frame.Color",
         .Idents = ColorIdents,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).Color(); },
         .SetOrd = [](TObj& O, std::int64_t V) { T::Frame(O).SetColor(static_cast<TColor>(V)); }},
        {.Path = "Frame.DrawTop",
         .Kind = TPropKind::pkBoolean,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).DrawTop(); },
         .SetOrd = [](TObj& O, std::int64_t V) { T::Frame(O).SetDrawTop(V != 0); }},
        {.Path = "Frame.DrawBottom",
         .Kind = TPropKind::pkBoolean,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).DrawBottom(); },
         .SetOrd = [](TObj& O, std::int64_t V) { T::Frame(O).SetDrawBottom(V != 0); }},
        {.Path = "Frame.DrawLeft",
         .Kind = TPropKind::pkBoolean,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).DrawLeft(); },
         .SetOrd = [](TObj& O, std::int64_t V) { T::Frame(O).SetDrawLeft(V != 0); }},
        {.Path = "Frame.DrawRight",
         .Kind = TPropKind::pkBoolean,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).DrawRight(); },
         .SetOrd = [](TObj& O, std::int64_t V) { T::Frame(O).SetDrawRight(V != 0); }},
        {.Path = "Frame.Style",
         .Kind = TPropKind::pkEnum,
         .Names = PenStyleNames,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).Style(); },
         .SetOrd = [](TObj& O, std::int64_t V) { T::Frame(O).SetStyle(static_cast<TPenStyle>(V)); },
         .Default = psSolid},
        {.Path = "Frame.Width",
         .Min = -MaxFrameWidth,
         .Max = MaxFrameWidth,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Frame(O).Width(); },
         .SetOrd = [](TObj& O,
                      std::int64_t V) { T::Frame(O).SetWidth(static_cast<std::int32_t>(V)); },
         .Default = 1},
    }};
}

// The font is stored only when it is the object's own; its Size is read but never written, since
// Height carries it.
template <typename TObj, typename T> constexpr auto FontProperties() {
    using P = TProperty<TObj>;
    return std::array<P, 7>{{
        {.Path = "Font.Charset",
         .Idents = CharsetIdents,
         .Min = 0,
         .Max = 255,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Font(O).Charset; },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 TFont F = T::Font(O);
                 F.Charset = static_cast<TFontCharset>(V);
                 T::SetFont(O, F);
             },
         .Stored = T::FontIsOwn},
        {.Path = "Font.Color",
         .Idents = ColorIdents,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Font(O).Color; },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 TFont F = T::Font(O);
                 F.Color = static_cast<TColor>(V);
                 T::SetFont(O, F);
             },
         .Stored = T::FontIsOwn},
        {.Path = "Font.Height",
         .Min = -MaxFontPixels,
         .Max = MaxFontPixels,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Font(O).Height; },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 TFont F = T::Font(O);
                 F.Height = static_cast<std::int32_t>(V);
                 T::SetFont(O, F);
             },
         .Stored = T::FontIsOwn},
        {.Path = "Font.Name",
         .Kind = TPropKind::pkString,
         .GetText = [](const TObj& O) { return T::Font(O).Name; },
         .SetText =
             [](TObj& O, const QString& V) {
                 // A font always has a name; an empty one is ignored, as the platform's fonts do.
                 if (V.isEmpty())
                     return;
                 TFont F = T::Font(O);
                 F.Name = V;
                 T::SetFont(O, F);
             },
         .Stored = T::FontIsOwn},
        {.Path = "Font.Pitch",
         .Kind = TPropKind::pkEnum,
         .Names = FontPitchNames,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Font(O).Pitch; },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 TFont F = T::Font(O);
                 F.Pitch = static_cast<TFontPitch>(V);
                 T::SetFont(O, F);
             },
         .Default = fpDefault,
         .Stored = T::FontIsOwn},
        {.Path = "Font.Size",
         .Min = -MaxFontPixels,
         .Max = MaxFontPixels,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Font(O).Size(T::Resolution(O)); },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 TFont F = T::Font(O);
                 F.SetSize(static_cast<std::int32_t>(V), T::Resolution(O));
                 if (F.Height < -MaxFontPixels || F.Height > MaxFontPixels)
                     InvalidPropertyValue();
                 T::SetFont(O, F);
             },
         .Stored = StoredNever<TObj>},
        {.Path = "Font.Style",
         .Kind = TPropKind::pkSet,
         .Names = FontStyleNames,
         .GetOrd = [](const TObj& O) -> std::int64_t { return T::Font(O).Style.Bits(); },
         .SetOrd =
             [](TObj& O, std::int64_t V) {
                 TFont F = T::Font(O);
                 F.Style = TFontStyles::FromBits(static_cast<std::uint32_t>(V));
                 T::SetFont(O, F);
             },
         .Stored = T::FontIsOwn},
    }};
}
