#pragma once

#include "barcode/TBarcodeEngine.h"

#include <array>
#include <cstdint>
#include <string_view>

class QPainter;
class QRect;
class QWidget;

enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
inline constexpr std::array<std::string_view, 7> PenStyleNames = {
    "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};

// Lines along the edges of a page or an item, on screen and on paper.
class TPrintFrame {
public:
    // The indexes of the four line switches.
    enum TFrameLine : std::uint8_t { flTop, flBottom, flLeft, flRight };

    explicit TPrintFrame(QWidget* Parent = nullptr) : FParent(Parent) {}

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool DrawLine(TFrameLine Line) const { return FDraw[Line]; }
    void SetDrawLine(TFrameLine Line, bool Value);
    bool DrawTop() const { return FDraw[flTop]; }
    void SetDrawTop(bool Value) { SetDrawLine(flTop, Value); }
    bool DrawBottom() const { return FDraw[flBottom]; }
    void SetDrawBottom(bool Value) { SetDrawLine(flBottom, Value); }
    bool DrawLeft() const { return FDraw[flLeft]; }
    void SetDrawLeft(bool Value) { SetDrawLine(flLeft, Value); }
    bool DrawRight() const { return FDraw[flRight]; }
    void SetDrawRight(bool Value) { SetDrawLine(flRight, Value); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    // Points (1/72 inch); -1 is one device pixel.
    std::int32_t Width() const { return FWidth; }
    void SetWidth(std::int32_t Value);

    QWidget* Parent() const { return FParent; }
    void SetParent(QWidget* Parent) { FParent = Parent; }

    bool AnyLine() const { return FDraw[0] || FDraw[1] || FDraw[2] || FDraw[3]; }

    // Line thickness in device pixels for a scale of device pixels per native unit.
    std::int32_t Thickness(long double Scale) const;

    // Draws the switched-on lines as filled bands inside Rect, whose right and bottom edges are
    // exclusive (x + width, y + height). ScaleX and ScaleY are device pixels per native unit.
    void PaintFrame(QPainter& Canvas, const QRect& Rect, long double ScaleX,
                    long double ScaleY) const;

private:
    void Changed();

    TColor FColor = clBlack;
    std::array<bool, 4> FDraw{};
    TPenStyle FStyle = psSolid;
    std::int32_t FWidth = 1;
    QWidget* FParent;
};
