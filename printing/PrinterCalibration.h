#pragma once

#include <QString>

// How far a printer puts its print off where it is meant to be, corrected on every run on that
// printer: kept in the user's settings by the queue's name, never in a document, since it
// belongs to the printer and its paper guide, not to the label.
struct TCalibration {
    // Millimetres the print moves right and down.
    long double OffsetX = 0;
    long double OffsetY = 0;
    bool operator==(const TCalibration&) const = default;
};

TCalibration CalibrationOf(const QString& Printer);
void SetCalibration(const QString& Printer, const TCalibration& Value);

// The offsets a calibration takes: a few centimetres at most, as a paper guide can be off.
inline constexpr long double CalibrationLimit = 50;
