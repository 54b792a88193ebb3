#include "app/DocumentFile.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReportPage.h"

#include <QFile>
#include <QFileInfo>

std::unique_ptr<TReportPage> NewDocumentPage() {
    auto Page = std::make_unique<TReportPage>();
    Page->SetPrintIfEmpty(true);
    return Page;
}

std::unique_ptr<TReportPage> ReadDocument(const QString& Path) {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        Raise(Msg::CannotOpenFile,
              {QFileInfo(Path).absoluteFilePath().toStdString(), File.errorString().toStdString()});
    // The component-stream reader plugs in here.
    Raise(Msg::DocumentFormatNotAvailable);
}

void WriteDocument(const TReportPage&, const QString&) {
    // The component-stream writer plugs in here; nothing is created before it exists, so an
    // existing file is never truncated.
    Raise(Msg::DocumentFormatNotAvailable);
}
