#include "document/TColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// System colour indexes to the palette roles that play the same part.
QPalette::ColorRole SystemRole(int Index) {
    switch (Index) {
    case 1:  // clBackground
    case 12: // clAppWorkSpace
    case 15: // clBtnFace
    case 30: // clMenuBar
        return QPalette::Button;
    case 5: // clWindow
    case 4: // clMenu
        return QPalette::Base;
    case 2:  // clActiveCaption
    case 13: // clHighlight
    case 26: // clHotLight
    case 29: // clMenuHighlight
        return QPalette::Highlight;
    case 9:  // clCaptionText
    case 14: // clHighlightText
        return QPalette::HighlightedText;
    case 16: // clBtnShadow
    case 17: // clGrayText
        return QPalette::Mid;
    case 18: // clBtnText
        return QPalette::ButtonText;
    case 20: // clBtnHighlight
        return QPalette::Light;
    case 21: // cl3DDkShadow
    case 6:  // clWindowFrame
        return QPalette::Shadow;
    case 22: // cl3DLight
        return QPalette::Midlight;
    case 23: // clInfoText
        return QPalette::ToolTipText;
    case 24: // clInfoBk
        return QPalette::ToolTipBase;
    default:
        return QPalette::WindowText;
    }
}

} // namespace

QColor ToQColor(TColor Color) {
    if (Color < 0) {
        const int Index = Color & 0xFF;
        const QPalette Palette =
            QGuiApplication::instance() != nullptr ? QGuiApplication::palette() : QPalette();
        return Palette.color(SystemRole(Index));
    }
    // Red in the low byte; clNone and clDefault (above 24 bits) draw as black.
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}
