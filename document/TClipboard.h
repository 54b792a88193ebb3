#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QWidget;
class TPrintable;

// One more form of an item on the clipboard, for other programs: a MIME type and its bytes.
struct TClipboardFormat {
    QString Mime;
    QByteArray Data;
};

// Items travel through the system clipboard as their component stream, under the format
// "Tessmira Component", which every running copy of the program knows by that name; other
// programs may find the item in more forms beside it, which nothing here reads back.
class TClipboard {
public:
    // The one shared instance.
    static TClipboard& Instance();

    // Replaces whatever the clipboard holds with Item's stream and the forms Also.
    void PutComponent(const TPrintable& Item, const std::vector<TClipboardFormat>& Also = {});
    // The item the clipboard holds, created on Parent, or nullptr when it holds none. A stream
    // that cannot be read fails with the reader's message and leaves nothing behind.
    std::unique_ptr<TPrintable> GetComponent(QWidget* Parent) const;
    bool HasComponent() const;

private:
    TClipboard() = default;
};
