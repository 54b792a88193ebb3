#pragma once

#include "document/PropertyTable.h"

#include <span>

class TReportPage;

// The page's stored properties in writing order, nested objects and defined values included.
std::span<const TProperty<TReportPage>> PageProperties();
