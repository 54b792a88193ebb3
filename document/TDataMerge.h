#pragma once

#include "common/TCsvReader.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBarcodeItem;
class TReportPage;

// Where the records of a data merge come from: delimited text or a number sequence. Read from the
// start as often as asked, one record at a time.
class TDataSource {
public:
    virtual ~TDataSource() = default;
    virtual const std::vector<QString>& Columns() const = 0;
    // From the first record again.
    virtual void Rewind() = 0;
    // The next record; false after the last one.
    virtual bool Next(TCsvRecord& Record) = 0;
    // A number sequence: its one column "#" is the number, and the lines are no file's.
    virtual bool Sequence() const { return false; }
};

// A CSV file (Path "-": standard input, kept in a temporary file so that it can be read twice).
std::unique_ptr<TDataSource> OpenDataFile(const QString& Path);
// FROM:TO or FROM:TO:STEP, one record per number.
std::unique_ptr<TDataSource> NumberSequence(const QString& Text);
// The source a page's DataSource names, "sequence:FROM:TO:STEP" or a file relative to Folder;
// none when the page names none.
std::unique_ptr<TDataSource> OpenPageSource(const TReportPage& Page, const QString& Folder);
// How a page stores a sequence as its data source.
QString SequenceDataSource(const QString& Sequence);
// A page's DataSource named relative to From, named relative to To: the same file for a
// document saved into another folder. Sequences and absolute names stay as they are.
QString MovedDataSource(const QString& Source, const QString& From, const QString& To);

// Whether a merge fills the item: it has a data field, or a "${...}" in a title row.
bool MergeBinds(const TBarcodeItem& Item);

// The sheets a data merge makes of a page, put onto that page one after the other: the barcode
// item with a DataField takes the field's value as its text, "${column}", "${#}" and "${#:6}"
// in its title rows take the record's value and number. Before anything is drawn, Check reads
// every record and tries it on every item it will reach, so that bad data stops the run before
// a sheet prints. The page is changed for good: merge onto a copy.
class TMergeRun {
public:
    // Raises when the page uses a column the source lacks, or nothing on it uses the source.
    TMergeRun(TReportPage& Page, TDataSource& Source);
    ~TMergeRun();
    TMergeRun(const TMergeRun&) = delete;
    TMergeRun& operator=(const TMergeRun&) = delete;

    // Tries every record on the items it will reach; raises the first failure, naming the record,
    // its line and its column. Counts the sheets.
    void Check();
    std::int64_t Sheets() const { return FSheets; }
    // The next sheet's values onto the page; false when the records are used up. Items a last
    // sheet has no record for leave the page.
    bool NextSheet();
    // Record's values on every bound item, for showing one record: an item whose barcode refuses
    // its value keeps the text it stores.
    void ShowRecord(const TCsvRecord& Record);

private:
    struct TBinding;
    void FillTitles(TBinding& Binding, const TCsvRecord& Record);
    void FillText(TBinding& Binding, const TCsvRecord& Record, bool Trying);
    void Apply(TBinding& Binding, const TCsvRecord& Record, bool Trying);

    TReportPage& FPage;
    TDataSource& FSource;
    std::vector<std::unique_ptr<TBinding>> FBindings;
    bool FPerItem = false;
    std::int64_t FSheets = 0;
    bool FDone = false;
};
