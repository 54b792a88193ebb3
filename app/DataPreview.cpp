#include "app/DataPreview.h"

#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/TBarcodeItem.h"
#include "document/TDataMerge.h"
#include "document/TReportPage.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <exception>
#include <memory>
#include <string>

namespace {

// The first record once for every item, as a record-per-item merge asks for them: how many were
// handed out tells at which item a value was refused.
class TFirstRecordAgain final : public TDataSource {
public:
    TFirstRecordAgain(const std::vector<QString>& Columns, const TCsvRecord& Record, bool Sequence)
        : FColumns(Columns), FRecord(Record), FSequence(Sequence) {}
    const std::vector<QString>& Columns() const override { return FColumns; }
    void Rewind() override { FHanded = 0; }
    bool Next(TCsvRecord& Record) override {
        Record = FRecord;
        ++FHanded;
        return true;
    }
    bool Sequence() const override { return FSequence; }
    std::size_t Handed() const { return FHanded; }

private:
    const std::vector<QString>& FColumns;
    const TCsvRecord& FRecord;
    bool FSequence;
    std::size_t FHanded = 0;
};

// What a merge fills: a data field, or a "${...}" in a title row.
bool Bound(const TBarcodeItem& Item) {
    const auto Holes = [](const std::string& Row) {
        const std::size_t Open = Row.find("${");
        return Open != std::string::npos && Row.find('}', Open + 2) != std::string::npos;
    };
    return !Item.DataField().isEmpty() || Holes(Item.TitleRow1()) || Holes(Item.TitleRow2());
}

std::vector<TBarcodeItem*> BarcodeItems(const TReportPage& Page) {
    std::vector<TBarcodeItem*> Items;
    for (TPrintable* Printable : PageItems(Page))
        if (auto* Item = qobject_cast<TBarcodeItem*>(Printable))
            Items.push_back(Item);
    return Items;
}

// Another key when the page names another source, or its file changed.
QString SourceKey(const TReportPage& Page, const QString& Folder) {
    const QString& Source = Page.DataSource();
    if (Source.isEmpty() || Source.startsWith(SequenceDataSource(QString())))
        return Source;
    const QFileInfo File(QDir(Folder).filePath(Source));
    return QStringLiteral("%1|%2|%3")
        .arg(File.absoluteFilePath())
        .arg(File.size())
        .arg(File.lastModified().toMSecsSinceEpoch());
}

// Merges the first record into Copy, record per item, so that an item whose barcode refuses its
// value can be told and left as it is stored; false when the merge cannot start (a column the
// source lacks).
bool MergeFirstRecord(TReportPage& Copy, TFirstRecordAgain& Record) {
    Copy.SetMergeMode(mmRecordPerItem);
    const std::vector<TBarcodeItem*> Items = BarcodeItems(Copy);
    for (;;) {
        std::vector<TBarcodeItem*> Taken;
        for (TBarcodeItem* Item : Items)
            if (Bound(*Item))
                Taken.push_back(Item);
        // Items merged before a refusal hold their values, and titles once filled are no more
        // bound; refilling the others gives them the same.
        if (Taken.empty())
            return true;
        Record.Rewind();
        try {
            TMergeRun Run(Copy, Record);
            Run.NextSheet();
            return true;
        } catch (const TException&) {
            const std::size_t At = Record.Handed();
            if (At == 0 || At > Taken.size() || Taken[At - 1]->DataField().isEmpty())
                return false;
            Taken[At - 1]->SetDataField(QString());
        }
    }
}

} // namespace

void TDataPreview::Read(const TReportPage& Page, const QString& Folder) {
    const QString Key = SourceKey(Page, Folder);
    if (Key == FKey)
        return;
    FKey = Key;
    FReadable = false;
    FSequence = false;
    FColumns.clear();
    FFirst.reset();
    try {
        const std::unique_ptr<TDataSource> Source = OpenPageSource(Page, Folder);
        if (!Source)
            return;
        TCsvRecord Record;
        if (Source->Next(Record))
            FFirst = std::move(Record);
        FColumns = Source->Columns();
        FSequence = Source->Sequence();
        FReadable = true;
    } catch (const std::exception&) {
        FFirst.reset();
        FColumns.clear();
    }
}

void TDataPreview::Show(TReportPage& Page) const {
    const std::vector<TBarcodeItem*> Items = BarcodeItems(Page);
    std::vector<bool> Marked(Items.size(), false);
    bool Any = false;
    for (std::size_t I = 0; I < Items.size(); ++I) {
        Marked[I] = FReadable && Bound(*Items[I]);
        Any = Any || Marked[I];
    }
    // The merge works on a copy: the page's own items keep their stored values.
    std::unique_ptr<TReportPage> Copy;
    std::vector<TBarcodeItem*> Filled;
    if (Any && FFirst) {
        try {
            Copy = std::make_unique<TReportPage>();
            ReadPageStream(WritePageStream(Page), *Copy);
            TFirstRecordAgain Record(FColumns, *FFirst, FSequence);
            if (MergeFirstRecord(*Copy, Record))
                Filled = BarcodeItems(*Copy);
        } catch (const std::exception&) {
            Filled.clear();
        }
    }
    const bool Merged = Filled.size() == Items.size();
    for (std::size_t I = 0; I < Items.size(); ++I) {
        if (!Marked[I]) {
            Items[I]->SetShownValues(std::nullopt);
            continue;
        }
        const TBarcodeItem& From = Merged ? *Filled[I] : *Items[I];
        Items[I]->SetShownValues(
            TShownValues{From.BarcodeText(), From.TitleRow1(), From.TitleRow2()});
    }
}
