#pragma once

#include "printing/PrinterCalibration.h"

#include <QString>

class TCustomPrintJob;

// The calibration sheet: rulers along the top and left edges in millimetres, and crosses 10 mm
// from two edges in each corner, so that the user can read off the paper how far the printer
// puts its print from where it is meant to be. Width by Length native units, on the job's
// current sheet; the text names the printer and the offsets already applied.
inline constexpr long double CalibrationCrossInset = 100; // native units: 10 mm

void PaintCalibrationSheet(TCustomPrintJob& Job, long double Width, long double Length,
                           const QString& Printer, const TCalibration& Applied);
