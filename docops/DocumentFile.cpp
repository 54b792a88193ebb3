#include "docops/DocumentFile.h"

#include "common/FileWrite.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/TReportPage.h"

#include <QFile>
#include <QFileInfo>

std::unique_ptr<TReportPage> NewDocumentPage() {
    auto Page = std::make_unique<TReportPage>();
    Page->SetPrintIfEmpty(true);
    return Page;
}

namespace {

// About 180,000 items.
constexpr qint64 MaxDocumentBytes = qint64{256} << 20;

std::unique_ptr<TReportPage> ReadDocumentBytes(const QByteArray& Bytes) {
    return ReadDocumentData(
        std::string_view(Bytes.constData(), static_cast<std::size_t>(Bytes.size())));
}

} // namespace

QByteArray ReadDocumentFile(const QString& Path) {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly))
        Raise(Msg::CannotOpenFile,
              {QFileInfo(Path).absoluteFilePath().toStdString(), File.errorString().toStdString()});
    // The reader works on the bytes in memory, so it can check every length against what is
    // really there. A document never comes near the cap; a larger file is read up to it, so the
    // reader fails on a page record that does not end within it instead of memory running out.
    QByteArray Bytes = File.read(MaxDocumentBytes);
    if (File.error() != QFileDevice::NoError)
        Raise(Msg::StreamReadError);
    return Bytes;
}

std::unique_ptr<TReportPage> ReadDocumentData(std::string_view Data) {
    // A fresh page takes the document; the caller's page stays as it is until this one is whole.
    std::unique_ptr<TReportPage> Page = NewDocumentPage();
    ReadPageStream(Data, *Page);
    return Page;
}

std::unique_ptr<TReportPage> ReadDocument(const QString& Path) {
    return ReadDocumentBytes(ReadDocumentFile(Path));
}

std::unique_ptr<TReportPage> ReadNamedDocument(const QString& Path, const QString& Name) {
    // Opening names the file in its own message; only what the reader says is named here.
    const QByteArray Bytes = ReadDocumentFile(Path);
    try {
        return ReadDocumentBytes(Bytes);
    } catch (const TException& Error) {
        Raise(Msg::CannotOpenDocument, {Name.toStdString(), Error.what()});
    }
}

void WriteDocument(const TReportPage& Page, const QString& Path) {
    WriteWholeFile(Path, QByteArray::fromStdString(WritePageStream(Page)));
}
