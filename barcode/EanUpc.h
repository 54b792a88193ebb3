#pragma once

#include <string>

class TBarcodeEngine;

// The eight digits an EAN-8 symbol of the engine's settings encodes; raises as EncodeEAN8 does.
// EncodeEAN8 leaves Text as typed, so the readable text is drawn from these instead.
std::string EAN8Digits(const TBarcodeEngine& E);
