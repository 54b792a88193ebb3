#include "app/TLockKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

TLockKeys::TLockKeys(QObject* Parent) : QObject(Parent) {
    FFromX11 = QueryX11LockKeys(FCapsLock, FNumLock);
    QCoreApplication::instance()->installEventFilter(this);
}

TLockKeys::~TLockKeys() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

void TLockKeys::Refresh() {
    if (FFromX11)
        QueryX11LockKeys(FCapsLock, FNumLock);
}

bool TLockKeys::eventFilter(QObject* Watched, QEvent* Event) {
    // Every key event reaches its window exactly once; widgets may see it again on propagation.
    if (Event->type() != QEvent::KeyPress || !Watched->isWindowType())
        return false;
    const auto* Key = static_cast<QKeyEvent*>(Event);
    if (Key->isAutoRepeat() || (Key->key() != Qt::Key_CapsLock && Key->key() != Qt::Key_NumLock))
        return false;
    if (FFromX11) {
        Refresh();
    } else if (Key->key() == Qt::Key_CapsLock) {
        FCapsLock = !FCapsLock;
    } else {
        FNumLock = !FNumLock;
    }
    return false;
}
