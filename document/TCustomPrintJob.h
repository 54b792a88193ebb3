#pragma once

#include "common/Rounding.h"

#include <algorithm>
#include <cstdint>

class QPainter;

// What an item needs of the job that prints its page: the canvas of the current sheet and the
// conversion of native lengths (tenths of a millimetre, measured from the sheet's edge) to device
// pixels. A printer job and a job that renders onto an image or a PDF both provide it.
class TCustomPrintJob {
public:
    virtual ~TCustomPrintJob() = default;

    virtual QPainter& Canvas() = 0;

    // Device pixels per native unit.
    long double XFactor() const { return FXFactor; }
    long double YFactor() const { return FYFactor; }
    // The device's unprintable left and top edges, in native units.
    long double LeftWaste() const { return FLeftWaste; }
    long double TopWaste() const { return FTopWaste; }

    // Positions from the sheet's edge and lengths, to whole device pixels (halves to even).
    std::int32_t DeviceX(long double X) const { return ToPixel((X - FLeftWaste) * FXFactor); }
    std::int32_t DeviceY(long double Y) const { return ToPixel((Y - FTopWaste) * FYFactor); }
    std::int32_t DeviceWidth(long double W) const { return ToPixel(W * FXFactor); }
    std::int32_t DeviceHeight(long double H) const { return ToPixel(H * FYFactor); }

protected:
    TCustomPrintJob() = default;
    TCustomPrintJob(const TCustomPrintJob&) = default;
    TCustomPrintJob& operator=(const TCustomPrintJob&) = default;

    // Device pixels per native unit at the device's resolution; a device that reports no
    // sensible resolution is taken at 96 dots per inch, as a job without a printer is.
    void SetResolution(int DotsPerInchX, int DotsPerInchY) {
        FXFactor = FactorAt(DotsPerInchX);
        FYFactor = FactorAt(DotsPerInchY);
    }

    static constexpr long double ScreenFactor = 0.37795L;
    long double FXFactor = ScreenFactor;
    long double FYFactor = ScreenFactor;
    long double FLeftWaste = 0;
    long double FTopWaste = 0;

private:
    static long double FactorAt(int DotsPerInch) {
        const long double F = DotsPerInch / 254.0L;
        return F < 0.1L ? ScreenFactor : F;
    }
    // Far beyond any sheet; keeps absurd lengths from overflowing the conversion, and the result
    // safe to add to.
    static constexpr std::int32_t PixelLimit = 1 << 28;
    static std::int32_t ToPixel(long double Value) { return ClampedPixels(Value, PixelLimit); }
};
