#include "designer/TDesignPanel.h"

TDesignPanel::TDesignPanel(QWidget* Parent) : QScrollArea(Parent) {
    setFocusPolicy(Qt::StrongFocus);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TDesignPanel::Host(QWidget* Control) {
    setWidget(Control);
    Control->show();
}

QWidget* TDesignPanel::Unhost() {
    QWidget* Control = takeWidget();
    if (Control != nullptr)
        Control->setParent(nullptr);
    return Control;
}
