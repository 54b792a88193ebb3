#pragma once

#include "document/TPaperSize.h"
#include "document/TUnitBase.h"

#include <array>
#include <cstdint>
#include <string_view>

enum TPrinterOrientation : std::uint8_t { poPortrait, poLandscape };
inline constexpr std::array<std::string_view, 2> PrinterOrientationNames = {"poPortrait",
                                                                            "poLandscape"};

// The paper of a page: type, orientation, width, length, margins and columns, held in native
// units and read and written in the current unit.
class TPageGeometry : public TUnitBase {
public:
    // Indexes of the seven lengths, in the order of the stored "Values".
    enum TPageValue : std::uint8_t {
        pvBottomMargin,
        pvLength,
        pvTopMargin,
        pvWidth,
        pvLeftMargin,
        pvRightMargin,
        pvColumnSpace
    };
    static constexpr std::size_t PageValueCount = 7;

    // Sets up a new page's paper from the locale: Letter with 0.5 in margins where the locale
    // measures in inches, else A4 with 10 mm margins.
    explicit TPageGeometry(TReportPage* Page);

    // A length in the current unit; an index out of range reads ColumnSpace.
    long double GetPageValue(int Index) const;
    // Width and Length are ignored unless the paper type is Custom; an unknown index is ignored.
    void SetPageValue(int Index, long double Value);

    long double BottomMargin() const { return GetPageValue(pvBottomMargin); }
    void SetBottomMargin(long double Value) { SetPageValue(pvBottomMargin, Value); }
    long double Length() const { return GetPageValue(pvLength); }
    void SetLength(long double Value) { SetPageValue(pvLength, Value); }
    long double TopMargin() const { return GetPageValue(pvTopMargin); }
    void SetTopMargin(long double Value) { SetPageValue(pvTopMargin, Value); }
    long double Width() const { return GetPageValue(pvWidth); }
    void SetWidth(long double Value) { SetPageValue(pvWidth, Value); }
    long double LeftMargin() const { return GetPageValue(pvLeftMargin); }
    void SetLeftMargin(long double Value) { SetPageValue(pvLeftMargin, Value); }
    long double RightMargin() const { return GetPageValue(pvRightMargin); }
    void SetRightMargin(long double Value) { SetPageValue(pvRightMargin, Value); }
    long double ColumnSpace() const { return GetPageValue(pvColumnSpace); }
    void SetColumnSpace(long double Value) { SetPageValue(pvColumnSpace, Value); }

    std::int32_t Columns() const { return FColumns; }
    void SetColumns(std::int32_t Value);
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation Value);
    TPaperSize PaperSize() const { return FPaperSize; }
    void SetPaperSize(TPaperSize Value);
    // "Default size" on a printer whose current paper is Width by Length millimetres.
    void SetDefaultPaper(long double Width, long double Length);
    // A Custom Size of Width by Length millimetres, whatever the page's unit.
    void SetCustomPaper(long double Width, long double Length);
    bool Ruler() const { return FRuler; }
    void SetRuler(bool Value);

    void SetUnits(TPageUnit Value) override;
    // Sizes the page control to the paper at the current resolution and zoom.
    void ApplyToControl() override;

    std::size_t ValueCount() const override { return PageValueCount; }
    long double NativeValue(std::size_t Index) const override;
    // Stores the lengths as read and sizes the page control to them.
    void ReadValues(std::span<const long double> Values) override;

protected:
    void StoreNativeValue(std::size_t Index, long double Value) override;

private:
    static bool IsHorizontal(int Index) { return Index >= pvWidth; }
    // Width by Length millimetres, whatever the paper type, as a named paper gives them.
    void TakeDimensions(long double Width, long double Length);
    void LayoutBands();
    void Repaint();

    std::array<long double, PageValueCount> FValues{};
    std::int32_t FColumns = 1;
    TPrinterOrientation FOrientation = poPortrait;
    TPaperSize FPaperSize = TPaperSize::Default;
    bool FRuler = true;
};
