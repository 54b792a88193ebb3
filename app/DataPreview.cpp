#include "app/DataPreview.h"

#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/TBarcodeItem.h"
#include "document/TDataMerge.h"
#include "document/TReportPage.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>

namespace {

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

} // namespace

TDataPreview::TDataPreview() = default;
TDataPreview::~TDataPreview() = default;

const std::vector<QString>& TDataPreview::Columns() const {
    static const std::vector<QString> None;
    return FSource ? FSource->Columns() : None;
}

void TDataPreview::Read(const TReportPage& Page, const QString& Folder) {
    const QString Key = SourceKey(Page, Folder);
    if (Key == FKey)
        return;
    FKey = Key;
    FSource.reset();
    FFirst.reset();
    try {
        std::unique_ptr<TDataSource> Source = OpenPageSource(Page, Folder);
        if (!Source)
            return;
        TCsvRecord Record;
        if (Source->Next(Record))
            FFirst = std::move(Record);
        FSource = std::move(Source);
    } catch (const std::exception&) {
        FSource.reset();
        FFirst.reset();
    }
}

void TDataPreview::Show(TReportPage& Page) const {
    const std::vector<TBarcodeItem*> Items = BarcodeItems(Page);
    const bool Any = FSource && std::any_of(Items.begin(), Items.end(),
                                            [](const TBarcodeItem* I) { return MergeBinds(*I); });
    // The merge works on a copy: the page's own items keep their stored values.
    std::unique_ptr<TReportPage> Copy;
    std::vector<TBarcodeItem*> Filled;
    if (Any && FFirst) {
        try {
            Copy = CopyOfPage(Page);
            TMergeRun(*Copy, *FSource).ShowRecord(*FFirst);
            Filled = BarcodeItems(*Copy);
        } catch (const std::exception&) {
            Filled.clear();
        }
    }
    const bool Merged = Filled.size() == Items.size();
    for (std::size_t I = 0; I < Items.size(); ++I) {
        if (!FSource || !MergeBinds(*Items[I])) {
            Items[I]->SetShownValues(std::nullopt);
            continue;
        }
        const TBarcodeItem& From = Merged ? *Filled[I] : *Items[I];
        Items[I]->SetShownValues(
            TShownValues{From.BarcodeText(), From.TitleRow1(), From.TitleRow2()});
    }
}
