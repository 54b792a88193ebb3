#pragma once

#include "document/TFont.h"
#include "document/TPrintFrame.h"
#include "document/TReportPage.h"
#include "document/TUnitBase.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QPainter;
class TCustomPrintJob;
class TPrintable;

// An item's position and size in native units, from which its pixel bounds follow.
class TPrintableSize : public TUnitBase {
public:
    // Indexes of the four lengths, in the order of the stored "Values".
    enum TSizeValue : std::uint8_t { svHeight, svLeft, svTop, svWidth };
    static constexpr std::size_t SizeValueCount = 4;

    explicit TPrintableSize(TPrintable* Item) : FItem(Item) {}

    // A length in the current unit; an index out of range reads Width.
    long double GetSizeValue(int Index) const;
    // Stores a length given in the current unit (nothing for an index out of range) and applies
    // the bounds to the item.
    void SetSizeValue(int Index, long double Value);

    long double Height() const { return GetSizeValue(svHeight); }
    void SetHeight(long double Value) { SetSizeValue(svHeight, Value); }
    long double Left() const { return GetSizeValue(svLeft); }
    void SetLeft(long double Value) { SetSizeValue(svLeft, Value); }
    long double Top() const { return GetSizeValue(svTop); }
    void SetTop(long double Value) { SetSizeValue(svTop, Value); }
    long double Width() const { return GetSizeValue(svWidth); }
    void SetWidth(long double Value) { SetSizeValue(svWidth, Value); }

    // Sets the item's pixel bounds from the native values at the current resolution and zoom.
    void ApplyToControl() override;

    std::size_t ValueCount() const override { return SizeValueCount; }
    long double NativeValue(std::size_t Index) const override;

    static bool IsHorizontal(int Index) { return Index == svLeft || Index == svWidth; }

protected:
    void StoreNativeValue(std::size_t Index, long double Value) override;

private:
    TPrintable* FItem;
    std::array<long double, SizeValueCount> FValues{};
};

// The base of every item on the page: a child control whose pixel bounds follow a position and
// size held in native units, with a frame, and the hooks by which the page prints it.
//
// Reading a document: BeginReading right after creation; the stored properties are assigned
// (pixel bounds only become pending bounds); EndReading once the item's own records are read;
// AfterReading once the whole document is read, which gives the item its pixel bounds.
class TPrintable : public QWidget, public TControlProperties {
    Q_OBJECT

public:
    // The item is owned by Owner (a page) and is placed on nothing until SetParent.
    explicit TPrintable(QWidget* Owner = nullptr);
    ~TPrintable() override;

    TPrintableSize& Size() { return *FSize; }
    const TPrintableSize& Size() const { return *FSize; }
    TPrintFrame& Frame() { return FFrame; }
    const TPrintFrame& Frame() const { return FFrame; }

    // Every change of the pixel bounds goes through here, so the native values follow it.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    int Left() const { return x(); }
    void SetLeft(int Value) { SetBounds(Value, y(), width(), height()); }
    int Top() const { return y(); }
    void SetTop(int Value) { SetBounds(x(), Value, width(), height()); }
    int Width() const { return width(); }
    void SetWidth(int Value) { SetBounds(x(), y(), Value, height()); }
    int Height() const { return height(); }
    void SetHeight(int Value) { SetBounds(x(), y(), width(), Value); }

    // Places the item on Parent; on a page it takes the page's unit and zoom and keeps its pixel
    // position. The item is shown unless it was hidden.
    void SetParent(QWidget* Parent);
    // The page the item sits on, or nullptr.
    TReportPage* ReportPage() const { return FPage; }

    std::int32_t Zoom() const { return FSize->Zoom(); }
    void SetZoom(std::int32_t Value);

    // Printing in a run: between BeginPrint and EndPrint the item draws for the job and its
    // design-time marks are left out.
    void BeginPrint(TCustomPrintJob* Printer);
    void EndPrint();
    bool Printing() const { return FPrinting; }
    TCustomPrintJob* Printer() const { return FPrinter; }
    // Draws the item onto the job's canvas. OffsetX and OffsetY are the origin of the item's
    // container in native units.
    virtual void PrintAt(long double OffsetX, long double OffsetY);

    virtual void BeginReading();
    virtual void EndReading() {}
    virtual void AfterReading();
    bool Reading() const { return FReading; }
    // Pixel bounds received while reading, 0 where none came: left, top, width, height.
    const std::array<int, 4>& PendingBounds() const { return FPendingBounds; }

    // The control's colour; an item's own from creation on (white).
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ColorIsOwn() const { return FColorIsOwn; }
    // The item's own font once set, else its parent's.
    TFont Font() const;
    void SetFont(const TFont& Value);
    bool FontIsOwn() const { return FFontIsOwn; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

protected:
    // The design-time look: corner marks and frame. A derived item draws its content first.
    virtual void Paint(QPainter& Canvas);
    void paintEvent(QPaintEvent* Event) override;
    // A visible change of the item; nothing is drawn while it prints.
    void Changed();

private:
    std::unique_ptr<TPrintableSize> FSize;
    TPrintFrame FFrame{this};
    TReportPage* FPage = nullptr;
    TCustomPrintJob* FPrinter = nullptr;
    bool FPrinting = false;
    bool FReading = false;
    std::array<int, 4> FPendingBounds{};
    TColor FColor = clWhite;
    bool FColorIsOwn = false;
    TFont FFont;
    bool FFontIsOwn = false;
    bool FEnabled = true;
};
