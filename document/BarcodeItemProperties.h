#pragma once

#include "document/PropertyTable.h"

#include <span>

class TBarcodeItem;

// The barcode item's stored properties in writing order: the printable item's, then its own.
std::span<const TProperty<TBarcodeItem>> BarcodeItemProperties();
