#pragma once

#include <QScrollArea>

#include <cstdint>

enum TBorderStyle : std::uint8_t { bsNone, bsSingle };

// The scrolling area of the main window that shows the designed page at its top-left corner. Its
// viewport is the inner window: it carries the page while the designer is active, scrolls by
// 8 pixels a step exactly as far as the page reaches, and shows the button-face colour around
// the page or, with nothing hosted, everywhere.
class TDesignPanel : public QScrollArea {
    Q_OBJECT
public:
    explicit TDesignPanel(QWidget* Parent = nullptr);

    // Shows Control at the top-left corner at its own size; the panel never resizes it.
    void Host(QWidget* Control);
    // Gives the hosted control back without a parent; nullptr when nothing is hosted.
    QWidget* Unhost();
    QWidget* Hosted() const { return widget(); }

    // A sunken single-line border, or none.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

protected:
    // While a page is hosted the designer's menu is the only one: the panel offers none of its
    // own and passes none on to the main window.
    void contextMenuEvent(QContextMenuEvent* Event) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};
