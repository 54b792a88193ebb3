#pragma once

#include "barcode/TBarcodeEngine.h"

#include <QColor>

// System colours are FF000000 plus the system colour index.
inline constexpr TColor SystemColorBase = static_cast<TColor>(0xFF000000u);
inline constexpr TColor clWindow = SystemColorBase + 5;
inline constexpr TColor clWindowText = SystemColorBase + 8;

// The colour to draw with; system colours come from the application's palette.
QColor ToQColor(TColor Color);
