#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class TReportPage;

// A page's measurement unit. The order is stored in document files.
enum class TPageUnit : std::uint8_t { MM, Inches, Pixels, Characters, Native };
inline constexpr std::array<std::string_view, 5> PageUnitNames = {"MM", "Inches", "Pixels",
                                                                  "Characters", "Native"};

// Lengths held in native units (tenths of a millimetre) and read and written in a chosen unit.
// The arithmetic is in long double, in a fixed order, because documents store the results bit for
// bit.
class TUnitBase {
public:
    // Unit, resolution and zoom as a new page or item starts with them: the unit from the locale,
    // the screen's resolution, zoom 100.
    TUnitBase();
    virtual ~TUnitBase() = default;
    TUnitBase(const TUnitBase&) = delete;
    TUnitBase& operator=(const TUnitBase&) = delete;

    virtual long double NativeToUnits(TPageUnit Unit, bool Horizontal, long double Value) const;
    virtual long double UnitsToNative(TPageUnit Unit, bool Horizontal, long double Value) const;

    TPageUnit Units() const { return FUnits; }
    virtual void SetUnits(TPageUnit Value);

    // Switch to pixels for pixel-based reads and writes, and back; the pair does not nest.
    void BeginPixelUnits();
    void RestoreUnits();

    std::int32_t Resolution() const { return FResolution; }
    std::int32_t Zoom() const { return FZoom; }
    // Stores the zoom only; the owner re-applies its control.
    void SetZoom(std::int32_t Value) { FZoom = Value; }

    // Set while ApplyToControl resizes the control, so the resize does not flow back.
    bool Updating() const { return FUpdating; }
    void SetUpdating(bool Value) { FUpdating = Value; }

    // The page whose font size the Characters unit uses.
    TReportPage* ReportPage() const { return FReportPage; }
    void SetReportPage(TReportPage* Page) { FReportPage = Page; }

    // Sets the control's pixel bounds from the native values.
    virtual void ApplyToControl() = 0;

    // The defined property "Values": the native values in index order, read and written as they
    // are, without the setters.
    virtual std::size_t ValueCount() const = 0;
    virtual long double NativeValue(std::size_t Index) const = 0;
    std::vector<long double> WriteValues() const;
    // Throws "Invalid property value" unless exactly ValueCount values are given.
    virtual void ReadValues(std::span<const long double> Values);
    // Called once the document has been read.
    virtual void AfterReading() { ApplyToControl(); }

protected:
    virtual void StoreNativeValue(std::size_t Index, long double Value) = 0;
    // The absolute size in points of the page font, for the Characters unit.
    long double FontPoints() const;

private:
    TPageUnit FUnits;
    TPageUnit FRememberedUnits;
    std::int32_t FResolution;
    std::int32_t FZoom = 100;
    bool FUpdating = false;
    TReportPage* FReportPage = nullptr;
};

// The initial unit on this system: Inches where the locale measures in inches, else MM.
TPageUnit SystemUnits();
