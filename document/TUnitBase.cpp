#include "document/TUnitBase.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/SystemFacts.h"
#include "document/TReportPage.h"

#include <cstdlib>

namespace {

// Average character cell of the Characters unit at a font size s, in millimetres.
long double CharWidth(long double Points) {
    return 80.0L / Points / 2.54L;
}
long double CharHeight(long double Points) {
    return 145.3L / Points / 2.54L;
}

} // namespace

TPageUnit SystemUnits() {
    return SystemFacts().USMeasurement ? TPageUnit::Inches : TPageUnit::MM;
}

TUnitBase::TUnitBase()
    : FUnits(SystemUnits()), FRememberedUnits(FUnits), FResolution(SystemFacts().PixelsPerInch) {}

long double TUnitBase::NativeToUnits(TPageUnit Unit, bool Horizontal, long double Value) const {
    switch (Unit) {
    case TPageUnit::MM:
        return Value / 10;
    case TPageUnit::Inches:
        return Value / 254;
    case TPageUnit::Pixels: {
        long double T = 254.0L / FResolution;
        T = Value / T;
        T = T * FZoom;
        T = T / 100;
        return T;
    }
    case TPageUnit::Characters: {
        const long double Points = FontPoints();
        return Horizontal ? Value / CharWidth(Points) / 10 : Value / CharHeight(Points) / 10;
    }
    case TPageUnit::Native:
        break;
    }
    return Value;
}

long double TUnitBase::UnitsToNative(TPageUnit Unit, bool Horizontal, long double Value) const {
    switch (Unit) {
    case TPageUnit::MM:
        return Value * 10;
    case TPageUnit::Inches:
        return Value * 254;
    case TPageUnit::Pixels: {
        long double T = 254.0L / FResolution;
        T = Value * T;
        T = T / FZoom;
        T = T * 100;
        return T;
    }
    case TPageUnit::Characters: {
        const long double Points = FontPoints();
        return Horizontal ? Value * CharWidth(Points) * 10 : Value * CharHeight(Points) * 10;
    }
    case TPageUnit::Native:
        break;
    }
    return Value;
}

void TUnitBase::SetUnits(TPageUnit Value) {
    FUnits = Value;
}

void TUnitBase::BeginPixelUnits() {
    FRememberedUnits = FUnits;
    FUnits = TPageUnit::Pixels;
}

void TUnitBase::RestoreUnits() {
    SetUnits(FRememberedUnits);
}

std::vector<long double> TUnitBase::WriteValues() const {
    std::vector<long double> Values(ValueCount());
    for (std::size_t I = 0; I < Values.size(); ++I)
        Values[I] = NativeValue(I);
    return Values;
}

void TUnitBase::ReadValues(std::span<const long double> Values) {
    if (Values.size() != ValueCount())
        Raise(Msg::InvalidPropertyValue);
    for (std::size_t I = 0; I < Values.size(); ++I)
        StoreNativeValue(I, Values[I]);
}

long double TUnitBase::FontPoints() const {
    // Without a page the page font's own default size stands in.
    const int Points = FReportPage != nullptr ? FReportPage->Font().Size(FResolution) : 0;
    return Points != 0 ? std::abs(Points) : 10;
}
