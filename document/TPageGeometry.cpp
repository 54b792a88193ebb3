#include "document/TPageGeometry.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"

#include <QWidget>

#include <algorithm>

namespace {

// A length in pixels as a control size: rounded halves to even, and kept within what a control
// can take, so that a stored value no screen can show (negative, huge, not a number) cannot
// overflow the conversion.
int ControlPixels(long double Pixels) {
    return std::max(ClampedPixels(Pixels, QWIDGETSIZE_MAX), 0);
}

} // namespace

TPageGeometry::TPageGeometry(TReportPage* Page) {
    SetReportPage(Page);
    SetPageValue(pvBottomMargin, 0);
    if (Units() == TPageUnit::Inches) {
        SetUnits(TPageUnit::Inches);
        SetPaperSize(TPaperSize::Letter);
        SetPageValue(pvTopMargin, 0.5L);
        SetPageValue(pvBottomMargin, 0.5L);
        SetPageValue(pvRightMargin, 0.5L);
        SetPageValue(pvLeftMargin, 0.5L);
    } else {
        SetUnits(TPageUnit::MM);
        SetPaperSize(TPaperSize::A4);
        SetPageValue(pvTopMargin, 10);
        SetPageValue(pvBottomMargin, 10);
        SetPageValue(pvLeftMargin, 10);
        SetPageValue(pvRightMargin, 10);
    }
    FRuler = true;
    FColumns = 1;
}

long double TPageGeometry::GetPageValue(int Index) const {
    if (Index < 0 || Index > pvColumnSpace)
        Index = pvColumnSpace;
    return NativeToUnits(Units(), IsHorizontal(Index), FValues[static_cast<std::size_t>(Index)]);
}

void TPageGeometry::SetPageValue(int Index, long double Value) {
    if (Index < 0 || Index > pvColumnSpace)
        return;
    if ((Index == pvLength || Index == pvWidth) && FPaperSize != TPaperSize::Custom)
        return;
    FValues[static_cast<std::size_t>(Index)] = UnitsToNative(Units(), IsHorizontal(Index), Value);
    switch (Index) {
    case pvBottomMargin:
    case pvLength:
    case pvWidth:
        ApplyToControl();
        LayoutBands();
        break;
    default:
        LayoutBands();
        Repaint();
        break;
    }
}

void TPageGeometry::SetColumns(std::int32_t Value) {
    if (Value == FColumns || Value < 1)
        return;
    FColumns = Value;
    LayoutBands();
    Repaint();
}

void TPageGeometry::SetOrientation(TPrinterOrientation Value) {
    FOrientation = Value;
    SetPaperSize(FPaperSize);
}

void TPageGeometry::SetPaperSize(TPaperSize Value) {
    // A value beyond the table (a damaged document) has no dimensions to apply.
    if (static_cast<std::size_t>(Value) >= PaperSizeCount)
        return;
    if (IsNamedPaperSize(Value)) {
        const TPaperDimension& Paper = PaperDimensions[static_cast<std::size_t>(Value)];
        if (FOrientation == poLandscape)
            TakeDimensions(Paper.Length, Paper.Width);
        else
            TakeDimensions(Paper.Width, Paper.Length);
    }
    FPaperSize = Value;
}

void TPageGeometry::SetDefaultPaper(long double Width, long double Length) {
    TakeDimensions(Width, Length);
    FPaperSize = TPaperSize::Default;
}

void TPageGeometry::SetCustomPaper(long double Width, long double Length) {
    TakeDimensions(Width, Length);
    FPaperSize = TPaperSize::Custom;
}

void TPageGeometry::TakeDimensions(long double Width, long double Length) {
    BeginPixelUnits();
    SetUnits(TPageUnit::MM);
    // Width and Length take values only on a Custom page.
    FPaperSize = TPaperSize::Custom;
    SetPageValue(pvWidth, Width);
    SetPageValue(pvLength, Length);
    RestoreUnits();
    LayoutBands();
}

void TPageGeometry::SetRuler(bool Value) {
    if (Value == FRuler)
        return;
    FRuler = Value;
    Repaint();
    if (ReportPage() != nullptr)
        ReportPage()->SetUnits(ReportPage()->Units());
}

void TPageGeometry::SetUnits(TPageUnit Value) {
    TUnitBase::SetUnits(Value);
    Repaint();
}

void TPageGeometry::ApplyToControl() {
    TReportPage* Page = ReportPage();
    if (Updating() || Page == nullptr)
        return;
    SetUpdating(true);
    const int PixelWidth = ControlPixels(NativeToUnits(TPageUnit::Pixels, true, FValues[pvWidth]));
    Page->SetBounds(Page->x(), Page->y(), PixelWidth, Page->height());
    const int PixelHeight =
        ControlPixels(NativeToUnits(TPageUnit::Pixels, false, FValues[pvLength]));
    Page->SetBounds(Page->x(), Page->y(), Page->width(), PixelHeight);
    SetUpdating(false);
}

long double TPageGeometry::NativeValue(std::size_t Index) const {
    return Index < PageValueCount ? FValues[Index] : FValues[pvColumnSpace];
}

void TPageGeometry::ReadValues(std::span<const long double> Values) {
    TUnitBase::ReadValues(Values);
    ApplyToControl();
}

void TPageGeometry::StoreNativeValue(std::size_t Index, long double Value) {
    if (Index < PageValueCount)
        FValues[Index] = Value;
}

void TPageGeometry::LayoutBands() {
    if (ReportPage() != nullptr)
        ReportPage()->LayoutBands();
}

void TPageGeometry::Repaint() {
    if (ReportPage() != nullptr)
        ReportPage()->update();
}
