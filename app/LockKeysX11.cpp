// Kept apart: the X11 headers define macros (KeyPress, None, Bool) that clash with Qt's names.
#include "app/TLockKeys.h"

#include <QGuiApplication>

#ifdef TESSMIRA_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

bool QueryX11LockKeys(bool& CapsLock, bool& NumLock) {
#ifdef TESSMIRA_HAVE_X11
    auto* X11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    Display* Connection = X11 != nullptr ? X11->display() : nullptr;
    if (Connection == nullptr)
        return false;
    int Caps = 0;
    int Num = 0;
    const Atom CapsAtom = XInternAtom(Connection, "Caps Lock", False);
    const Atom NumAtom = XInternAtom(Connection, "Num Lock", False);
    if (!XkbGetNamedIndicator(Connection, CapsAtom, nullptr, &Caps, nullptr, nullptr) ||
        !XkbGetNamedIndicator(Connection, NumAtom, nullptr, &Num, nullptr, nullptr))
        return false;
    CapsLock = Caps != 0;
    NumLock = Num != 0;
    return true;
#else
    (void)CapsLock;
    (void)NumLock;
    return false;
#endif
}
