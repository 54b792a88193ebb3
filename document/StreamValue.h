#pragma once

#include "document/StreamFormat.h"

#include <cstdint>
#include <string_view>
#include <vector>

// One stored value as the stream holds it, of any kind, without converting it for a property.
// Strings and names are views into the stream's bytes, which must outlive the value.

struct TStreamRecord;

struct TStreamValue {
    TValueType Type = TValueType::vaNull;
    std::int64_t Integer = 0;              // integer tags; a collection item's index (-1: none)
    long double Float = 0;                 // extended, single, date; currency as units of 1/10000
    std::string_view Bytes;                // strings and identifiers as stored, binary data
    std::vector<std::string_view> Members; // set
    std::vector<TStreamValue> Items;       // list, collection
    std::vector<TStreamRecord> Records;    // one collection item's properties
};

struct TStreamRecord {
    std::string_view Path;
    TStreamValue Value;
};
