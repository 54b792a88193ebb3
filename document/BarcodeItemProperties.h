#pragma once

#include "document/PropertyTable.h"

#include <span>
#include <string_view>

class TBarcodeItem;

// The barcode item's stored properties in writing order: the printable item's, then its own.
std::span<const TProperty<TBarcodeItem>> BarcodeItemProperties();

// Of the paths read for an item, the one a rejection of its settings at the end of reading names.
std::string_view RejectedBarcodePath(std::span<const std::string_view> Paths);
