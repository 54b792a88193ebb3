#pragma once

#include "common/TCsvReader.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class TDataSource;
class TReportPage;

// The page's data source as the window shows it: its columns for the Data field list and its
// first record on the design surface. The file is read again only when the page names another
// source or the file changed since.
class TDataPreview {
public:
    // Reads the source Page names, relative to Folder; one that cannot be read counts as none.
    void Read(const TReportPage& Page, const QString& Folder);
    // Empty without a readable source.
    const std::vector<QString>& Columns() const;

    // Every barcode item of Page that a merge fills shows the first record's values, each as
    // the merge would put them, and is marked; the others show what they store.
    void Show(TReportPage& Page) const;

    TDataPreview();
    ~TDataPreview();
    TDataPreview(const TDataPreview&) = delete;
    TDataPreview& operator=(const TDataPreview&) = delete;

private:
    QString FKey;
    // Open past its first record; none when the page names none or it cannot be read.
    std::unique_ptr<TDataSource> FSource;
    std::optional<TCsvRecord> FFirst;
};
