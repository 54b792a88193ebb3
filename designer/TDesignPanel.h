#pragma once

#include <QScrollArea>

// The scrolling area of the main window that shows the designed page at its top-left corner.
class TDesignPanel : public QScrollArea {
    Q_OBJECT
public:
    explicit TDesignPanel(QWidget* Parent = nullptr);

    void Host(QWidget* Control);
    // Gives the hosted control back without a parent; nullptr when nothing is hosted.
    QWidget* Unhost();
    QWidget* Hosted() const { return widget(); }
};
