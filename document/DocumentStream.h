#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QWidget;
class TPrintable;
class TReportPage;
class TStreamClass;

// Document files and clipboard data are component streams: the signature "TPF0" and one
// component record. These functions turn a page into those bytes and back.

// An item costs some two kilobytes while a record of one can take 16 bytes; a page with more than
// this many items is refused rather than let a small file take all memory.
inline constexpr std::size_t MaxItemsPerPage = 20000;

// The page with all its items, as a document file holds it.
std::string WritePageStream(const TReportPage& Page);

// Reads a document's bytes into Page, a page freshly created for it: the page's own properties,
// then every item. Throws TException with the reader's message; on failure the page holds what
// was read before it, so callers read into a page they can throw away.
void ReadPageStream(std::string_view Data, TReportPage& Page);

// A new page that stores what Page stores, items and all: something to change without touching
// Page (a merge's sheets, a preview).
std::unique_ptr<TReportPage> CopyOfPage(const TReportPage& Page);

// A page's stored bytes cut where its items begin and end, so that versions of a page that differ
// in a few items can be kept and put back item by item: Head is the signature and the page's own
// record, then comes one record per item in stacking order; with the end marker they are the
// bytes WritePageStream gives.
struct TPageRecords {
    std::string Head;
    std::vector<std::string> Items;
    bool operator==(const TPageRecords&) const = default;
};
TPageRecords WritePageRecords(const TReportPage& Page);
std::string JoinPageRecords(const TPageRecords& Records);

// Gives a page that holds items the page properties of Head (a TPageRecords head), as reading
// Head into a new page would, and leaves its items be.
void ReadPageHead(std::string_view Head, TReportPage& Page);
// Reads an item record as WritePageRecords cuts it onto Page, at Position in stacking order.
TPrintable& InsertItemRecord(TReportPage& Page, std::string_view Record, std::size_t Position);
// The page's items in stacking order.
std::vector<TPrintable*> PageItems(const TReportPage& Page);

// One item as the clipboard carries it: the signature and the item's record, which is byte for
// byte its record in a document file.
std::string WriteItemStream(const TPrintable& Item);

// Reads one item of a registered class, with no owner, placed on Parent (when given) before its
// properties are read, and with its bounds applied. On failure nothing is left behind.
std::unique_ptr<TPrintable> ReadItemStream(std::string_view Data, QWidget* Parent);

// The reader's steps one at a time, for building a page from another description: each assigns
// one stored property from the bytes of its value (which Value produces) and fails with the
// messages reading a file gives, "Error reading ..." included.
void ReadPageProperty(TReportPage& Page, std::string_view Path,
                      const std::function<std::string()>& Value);
void ReadItemProperty(TPrintable& Item, std::string_view Path,
                      const std::function<std::string()>& Value);
// Ends the reading of an item whose records at Paths were read, in that order; a rejection by the
// item's validation names a property as reading errors do.
void EndItemReading(TPrintable& Item, const TStreamClass& Class,
                    std::span<const std::string_view> Paths);
// Gives an item on Page its component name, under the reader's rules for names.
void SetItemName(TReportPage& Page, TPrintable& Item, std::string_view Name);
