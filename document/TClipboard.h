#pragma once

#include <memory>

class QWidget;
class TPrintable;

// Items travel through the system clipboard as their component stream, under the format
// "Tessmira Component", which every running copy of the program knows by that name.
class TClipboard {
public:
    // The one shared instance.
    static TClipboard& Instance();

    // Replaces whatever the clipboard holds with Item's stream, and nothing else.
    void PutComponent(const TPrintable& Item);
    // The item the clipboard holds, created on Parent, or nullptr when it holds none. A stream
    // that cannot be read fails with the reader's message and leaves nothing behind.
    std::unique_ptr<TPrintable> GetComponent(QWidget* Parent) const;
    bool HasComponent() const;

private:
    TClipboard() = default;
};
