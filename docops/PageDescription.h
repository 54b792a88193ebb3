#pragma once

#include <memory>
#include <string>
#include <string_view>

class TReportPage;

// A document's stored records shown as text or JSON, and a page built from such JSON.
//
// The JSON has the shape {"class": "TQuickRep", "properties": {path: value, ...},
// "items": [{"class": "TQRepBarcode", "name": "...", "properties": {...}}, ...]}: paths and their
// order are the file's; identifiers, enumerations and strings are strings, booleans booleans,
// integers and floats numbers (floats with every digit they need), sets and lists arrays. An
// item may give "bounds": [left, top, width, height] in pixels.

// One line per stored record, "path = value", the page's first and then each item's as
// "items[i].path"; the class (and a name, when there is one) lead each component.
std::string DumpDocumentText(std::string_view Data);
std::string DumpDocumentJson(std::string_view Data);

// A new page as New makes it, with the description's page properties applied in order, and each
// item created as Insert barcode does with its properties applied in order, all through the
// reader's own assignment; "bounds" are applied afterwards as the designer sets bounds.
std::unique_ptr<TReportPage> BuildDocumentPage(std::string_view Json);
