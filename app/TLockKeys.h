#pragma once

#include <QObject>

// Caps Lock and Num Lock as the status bar shows them. Asked from the X server when the program
// runs on X11; elsewhere followed from the lock-key presses the program sees, starting off.
class TLockKeys : public QObject {
    Q_OBJECT
public:
    explicit TLockKeys(QObject* Parent = nullptr);
    ~TLockKeys() override;

    bool CapsLock() const { return FCapsLock; }
    bool NumLock() const { return FNumLock; }
    // Reads the keyboard's indicators again where the platform can tell them.
    void Refresh();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    bool FCapsLock = false;
    bool FNumLock = false;
    bool FFromX11 = false;
};

// Reads the X server's Caps Lock and Num Lock indicators; false when there is no X11 display.
bool QueryX11LockKeys(bool& CapsLock, bool& NumLock);
