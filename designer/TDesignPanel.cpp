#include "designer/TDesignPanel.h"

#include <QContextMenuEvent>
#include <QScrollBar>

namespace {

// One line step of either scroll bar, in pixels.
constexpr int ScrollStep = 8;

} // namespace

TDesignPanel::TDesignPanel(QWidget* Parent) : QScrollArea(Parent) {
    resize(185, 41);
    setFocusPolicy(Qt::StrongFocus);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetBorderStyle(bsSingle);
    // Around the page, and everywhere while nothing is hosted, the surface shows the main window's
    // button face.
    setBackgroundRole(QPalette::Button);
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(ScrollStep);
    verticalScrollBar()->setSingleStep(ScrollStep);
}

void TDesignPanel::Host(QWidget* Control) {
    // Widgets take their parent's background role unless they have their own: the page and its
    // items keep showing their own colour on the button-face surface.
    Control->setBackgroundRole(QPalette::Window);
    setWidget(Control);
    Control->show();
}

QWidget* TDesignPanel::Unhost() {
    QWidget* Control = takeWidget();
    if (Control != nullptr)
        Control->setParent(nullptr);
    viewport()->update();
    return Control;
}

void TDesignPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone && Value != bsSingle)
        return;
    FBorderStyle = Value;
    if (Value == bsSingle)
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else
        setFrameStyle(QFrame::NoFrame);
}

void TDesignPanel::contextMenuEvent(QContextMenuEvent* Event) {
    if (Hosted() != nullptr)
        Event->accept();
    else
        QScrollArea::contextMenuEvent(Event);
}
