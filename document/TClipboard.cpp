#include "document/TClipboard.h"

#include "document/DocumentStream.h"
#include "document/TPrintable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Qt's name for a clipboard format registered by name on every platform: the same name gives
// the same format in every program that uses it.
const QString ComponentFormat =
    QStringLiteral("application/x-qt-windows-mime;value=\"Tessmira Component\"");

} // namespace

TClipboard& TClipboard::Instance() {
    static TClipboard Clipboard;
    return Clipboard;
}

void TClipboard::PutComponent(const TPrintable& Item, const std::vector<TClipboardFormat>& Also) {
    const std::string Stream = WriteItemStream(Item);
    auto* Data = new QMimeData;
    Data->setData(ComponentFormat,
                  QByteArray(Stream.data(), static_cast<qsizetype>(Stream.size())));
    for (const TClipboardFormat& Form : Also)
        Data->setData(Form.Mime, Form.Data);
    // The clipboard takes the data, and drops everything it held before.
    QGuiApplication::clipboard()->setMimeData(Data);
}

std::unique_ptr<TPrintable> TClipboard::GetComponent(QWidget* Parent) const {
    const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
    if (Data == nullptr || !Data->hasFormat(ComponentFormat))
        return nullptr;
    const QByteArray Bytes = Data->data(ComponentFormat);
    return ReadItemStream(
        std::string_view(Bytes.constData(), static_cast<std::size_t>(Bytes.size())), Parent);
}

bool TClipboard::HasComponent() const {
    const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
    return Data != nullptr && Data->hasFormat(ComponentFormat);
}
