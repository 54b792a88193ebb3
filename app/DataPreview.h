#pragma once

#include "common/TCsvReader.h"

#include <QString>

#include <optional>
#include <vector>

class TReportPage;

// The page's data source as the window shows it: its columns for the Data field list and its
// first record on the design surface. The file is read again only when the page names another
// source or the file changed since.
class TDataPreview {
public:
    // Reads the source Page names, relative to Folder; one that cannot be read counts as none.
    void Read(const TReportPage& Page, const QString& Folder);
    // Empty without a readable source.
    const std::vector<QString>& Columns() const { return FColumns; }

    // Every barcode item of Page that a merge fills shows the first record's values, each as
    // the merge would put them, and is marked; the others show what they store.
    void Show(TReportPage& Page) const;

private:
    QString FKey;
    bool FReadable = false;
    bool FSequence = false;
    std::vector<QString> FColumns;
    std::optional<TCsvRecord> FFirst;
};
