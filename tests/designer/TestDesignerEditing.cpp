// Editing on the design surface as a person does it: clicks, drags, keys, on a real page with
// barcode items, through the offscreen platform.

#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "designer/TGrabHandle.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// A shown panel with an active designer on a page holding items at the given bounds.
struct TSurface {
    TDesignPanel Panel;
    std::unique_ptr<TReportPage> Page = std::make_unique<TReportPage>();
    TDesigner Designer;
    std::vector<TBarcodeItem*> Items;

    explicit TSurface(const std::vector<QRect>& Bounds) {
        for (const QRect& B : Bounds) {
            auto* Item = new TBarcodeItem(Page.get());
            Item->SetParent(Page.get());
            Item->SetBounds(B.x(), B.y(), B.width(), B.height());
            Items.push_back(Item);
        }
        Panel.resize(900, 700);
        Panel.show();
        Designer.SetDesignPanel(&Panel);
        Designer.SetDesignControl(Page.get());
        Designer.SetActive(true);
        QVERIFY(QTest::qWaitForWindowExposed(&Panel));
        Panel.setFocus();
    }
    ~TSurface() {
        Designer.SetActive(false);
        Page.reset();
    }

    std::vector<QObject*> Selection() const {
        std::vector<QObject*> Result;
        for (int I = 0; I < Designer.SelectedComponents().Count(); ++I)
            Result.push_back(Designer.SelectedComponents().Items(I));
        return Result;
    }
    std::vector<TGrabHandle*> VisibleHandles() const {
        std::vector<TGrabHandle*> Result;
        for (TGrabHandle* Handle : Page->findChildren<TGrabHandle*>())
            if (Handle->isVisible())
                Result.push_back(Handle);
        return Result;
    }
    TGrabHandle* Handle(int Index) const {
        for (TGrabHandle* H : VisibleHandles())
            if (H->Position() == Index)
                return H;
        return nullptr;
    }
    // The visible handle Index's fill, border and place; invalid values when it is not shown.
    QColor Fill(int Index) const {
        const TGrabHandle* H = Handle(Index);
        return H != nullptr ? H->Fill() : QColor();
    }
    QColor Border(int Index) const {
        const TGrabHandle* H = Handle(Index);
        return H != nullptr ? H->Border() : QColor();
    }
    QRect Place(int Index) const {
        const TGrabHandle* H = Handle(Index);
        return H != nullptr ? H->geometry() : QRect();
    }
    void Key(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
        QTest::keyClick(&Panel, static_cast<Qt::Key>(Key), Modifiers);
    }
};

// Presses at From on Widget, moves by Offset (in two steps, as a hand does) and releases.
void Drag(QWidget* Widget, QPoint From, QPoint Offset,
          Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    QTest::mousePress(Widget, Qt::LeftButton, Modifiers, From);
    QTest::mouseMove(Widget, From + Offset / 2);
    QTest::mouseMove(Widget, From + Offset);
    QTest::mouseRelease(Widget, Qt::LeftButton, Modifiers, From + Offset);
}

} // namespace

class TestDesignerEditing : public QObject {
    Q_OBJECT
private slots:
    void ClickSelectsAndShowsHandles();
    void DragsSnapToTheGrid();
    void DragEndsWhenTheWindowLosesTheMouse();
    void ShiftAndCtrlClicks();
    void RubberBandSelectsWhatItTouches();
    void ResizeByHandleFlipsPastTheOppositeEdge();
    void KeysEditAndNavigate();
    void DeleteKeepsThePage();
    void SelectAllShowsCornerHandles();
    void ScrollingIsAChange();
    void DestroyingThePageEndsTheDesign();
};

// A move, a resize or a rubber band under way ends as Esc ends it when another window becomes
// active, a popup opens or another widget takes the mouse: the mouse is free, nothing moved, and
// the rest of the gesture changes nothing.
void TestDesignerEditing::DragEndsWhenTheWindowLosesTheMouse() {
    enum TGesture { gMove, gResize, gBand };
    enum TLoss { lOtherWindow, lPopup, lGrab };
    const struct {
        const char* Name;
        TGesture Gesture;
        TLoss Loss;
    } Rows[] = {
        {"move, another window", gMove, lOtherWindow},
        {"resize, a popup", gResize, lPopup},
        {"rubber band, a grab", gBand, lGrab},
        {"move, a grab", gMove, lGrab},
    };
    for (const auto& Row : Rows) {
        TSurface S({QRect(50, 60, 100, 50)});
        QApplication::setActiveWindow(&S.Panel);
        QVERIFY(QTest::qWaitForWindowActive(&S.Panel));
        QTest::mouseClick(S.Items[0], Qt::LeftButton, {}, QPoint(10, 10));
        QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
        QWidget* Target = S.Page.get();
        if (Row.Gesture == gMove)
            Target = S.Items[0];
        else if (Row.Gesture == gResize)
            Target = S.Handle(4);
        QVERIFY2(Target != nullptr, Row.Name);
        const QPoint From = Row.Gesture == gBand ? QPoint(300, 300) : QPoint(2, 2);
        QTest::mousePress(Target, Qt::LeftButton, {}, From);
        QTest::mouseMove(Target, From + QPoint(20, 20));
        QVERIFY2(QWidget::mouseGrabber() != nullptr, Row.Name);
        QWidget Other;
        QMenu Menu;
        Menu.addAction(QStringLiteral("Entry"));
        switch (Row.Loss) {
        case lOtherWindow:
            Other.show();
            QApplication::setActiveWindow(&Other);
            QVERIFY(QTest::qWaitForWindowActive(&Other));
            break;
        case lPopup:
            Menu.popup(QPoint(400, 400));
            QVERIFY(QTest::qWaitForWindowExposed(&Menu));
            Menu.close();
            break;
        case lGrab:
            Other.show();
            Other.grabMouse();
            Other.releaseMouse();
            break;
        }
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QTest::mouseMove(Target, From + QPoint(40, 40));
        QTest::mouseRelease(Target, Qt::LeftButton, {}, From + QPoint(40, 40));
        QCOMPARE(S.Items[0]->geometry(), QRect(50, 60, 100, 50));
        QCOMPARE(Changes.count(), 0);
        // The press of a band selected the page; the cancelled band selects nothing more.
        QCOMPARE(S.Selection(),
                 std::vector<QObject*>{Row.Gesture == gBand ? static_cast<QObject*>(S.Page.get())
                                                            : S.Items[0]});
    }
}

// An unselected item pressed without modifiers becomes the only selection at once; after the
// release it shows eight black 5 by 5 handles centred on its outline (e = 2, left 50, top 50,
// width 100, height 50 computed by hand); with no movement nothing changed.
void TestDesignerEditing::ClickSelectsAndShowsHandles() {
    TSurface S({QRect(50, 50, 100, 50)});
    QSignalSpy Selections(&S.Designer, &TDesigner::OnChangeSelection);
    QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
    QTest::mousePress(S.Items[0], Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(Selections.count(), 1);
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[0]});
    QTest::mouseRelease(S.Items[0], Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(Changes.count(), 0);
    const QPoint Expected[8] = {{48, 48},  {98, 48}, {147, 48}, {147, 73},
                                {147, 97}, {98, 97}, {48, 97},  {48, 73}};
    QCOMPARE(S.VisibleHandles().size(), std::size_t(8));
    for (int I = 0; I < 8; ++I) {
        QCOMPARE(S.Place(I), QRect(Expected[I], QSize(5, 5)));
        QCOMPARE(S.Fill(I), QColor(Qt::black));
    }
    // Without the focus the handles turn grey with a black border.
    S.Panel.clearFocus();
    QTRY_COMPARE(S.Fill(0), QColor(128, 128, 128));
    QCOMPARE(S.Border(0), QColor(Qt::black));
}

// Pointer offsets snap to multiples of the 8-pixel grid, halves to the even multiple:
// 3 -> 0, 4 -> 0, 5 -> 8, 12 -> 16, 20 -> 16, -5 -> -8.
void TestDesignerEditing::DragsSnapToTheGrid() {
    const struct {
        int Offset;
        int Moved;
    } Rows[] = {{3, 0}, {4, 0}, {5, 8}, {12, 16}, {20, 16}, {-5, -8}};
    for (const auto& Row : Rows) {
        TSurface S({QRect(50, 60, 100, 50)});
        QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
        Drag(S.Items[0], QPoint(20, 20), QPoint(Row.Offset, Row.Offset));
        QCOMPARE(S.Items[0]->pos(), QPoint(50 + Row.Moved, 60 + Row.Moved));
        QCOMPARE(Changes.count(), Row.Moved != 0 ? 1 : 0);
        QCOMPARE(S.VisibleHandles().size(), std::size_t(8));
    }
}

void TestDesignerEditing::ShiftAndCtrlClicks() {
    TSurface S({QRect(50, 50, 100, 50), QRect(300, 50, 100, 50)});
    QObject* Page = S.Page.get();
    QTest::mouseClick(S.Items[0], Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QCOMPARE(S.Selection(), (std::vector<QObject*>{Page, S.Items[0]}));
    // The item is shown with grey corner handles only; the page shows none.
    QCOMPARE(S.VisibleHandles().size(), std::size_t(4));
    QCOMPARE(S.Fill(0), QColor(128, 128, 128));
    QTest::mouseClick(S.Items[1], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[1]});
    // Shift-clicking the only selected item leaves the page selected.
    QTest::mouseClick(S.Items[1], Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QCOMPARE(S.Selection(), std::vector<QObject*>{Page});
    // Pressing beside the page changes nothing.
    QTest::mouseClick(S.Items[0], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(S.Panel.viewport(), Qt::LeftButton, {}, QPoint(880, 20));
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[0]});
}

// The band takes every item whose bounds it touches, edges included (right = left + width),
// and leaves the page alone when it touches nothing.
void TestDesignerEditing::RubberBandSelectsWhatItTouches() {
    TSurface S({QRect(50, 50, 100, 50), QRect(300, 50, 100, 50)});
    QObject* Page = S.Page.get();
    // From the page at (160, 120) up to (150, 100): the first item's bottom-right corner.
    Drag(S.Page.get(), QPoint(160, 120), QPoint(-10, -20));
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[0]});
    Drag(S.Page.get(), QPoint(160, 120), QPoint(100, 100));
    QCOMPARE(S.Selection(), std::vector<QObject*>{Page});
    // Ctrl-dragging from inside an item bands too: here across both items.
    Drag(S.Items[0], QPoint(10, 10), QPoint(300, 0), Qt::ControlModifier);
    QCOMPARE(S.Selection(), (std::vector<QObject*>{S.Items[0], S.Items[1]}));
}

// Left 50, width 100; the middle-right handle dragged 120 to the left puts the right edge at
// 30, left of the left edge: the rectangle turns over to left 30, width 20.
void TestDesignerEditing::ResizeByHandleFlipsPastTheOppositeEdge() {
    TSurface S({QRect(50, 50, 100, 50)});
    QTest::mouseClick(S.Items[0], Qt::LeftButton, {}, QPoint(5, 5));
    QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
    TGrabHandle* Right = S.Handle(3);
    QVERIFY(Right != nullptr);
    const QPoint At = S.Place(3).center();
    QTest::mousePress(Right, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(S.Page.get(), At + QPoint(-60, 7));
    QTest::mouseMove(S.Page.get(), At + QPoint(-120, 7));
    QTest::mouseRelease(S.Page.get(), Qt::LeftButton, {}, At + QPoint(-120, 7));
    QCOMPARE(S.Items[0]->geometry(), QRect(30, 50, 20, 50));
    QCOMPARE(Changes.count(), 1);
}

void TestDesignerEditing::KeysEditAndNavigate() {
    // Three items in creation order: a, b to its right, c below a.
    TSurface S({QRect(50, 50, 1, 40), QRect(200, 50, 40, 40), QRect(50, 200, 40, 40)});
    QObject* Page = S.Page.get();
    QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
    // Tab with only the page selected does nothing.
    S.Key(Qt::Key_Tab);
    QCOMPARE(S.Selection(), std::vector<QObject*>{Page});
    QTest::mouseClick(S.Items[0], Qt::LeftButton, {}, QPoint(0, 5));
    // Shift+Left: width 1 becomes 0, and stays 0.
    S.Key(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(S.Items[0]->width(), 0);
    S.Key(Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(S.Items[0]->width(), 0);
    S.Key(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(S.Items[0]->width(), 1);
    // Ctrl+Right moves by one pixel, one change per press.
    S.Key(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(S.Items[0]->pos(), QPoint(51, 50));
    QCOMPARE(Changes.count(), 4);
    // Plain arrows select the nearest neighbour: right of a is b, below a is c.
    S.Key(Qt::Key_Right);
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[1]});
    S.Key(Qt::Key_Left);
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[0]});
    S.Key(Qt::Key_Down);
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[2]});
    S.Key(Qt::Key_Down); // nothing below c
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[2]});
    // Tab goes on in creation order and wraps; Shift+Tab goes back.
    S.Key(Qt::Key_Tab);
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[0]});
    S.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(S.Selection(), std::vector<QObject*>{S.Items[2]});
    // Esc selects the page.
    S.Key(Qt::Key_Escape);
    QCOMPARE(S.Selection(), std::vector<QObject*>{Page});
    QCOMPARE(Changes.count(), 4);
}

void TestDesignerEditing::DeleteKeepsThePage() {
    TSurface S({QRect(50, 50, 100, 50), QRect(300, 50, 100, 50)});
    QObject* Page = S.Page.get();
    QTest::mouseClick(S.Items[0], Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    QSignalSpy Selections(&S.Designer, &TDesigner::OnChangeSelection);
    QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
    QPointer<TBarcodeItem> Deleted = S.Items[0];
    S.Key(Qt::Key_Delete);
    QVERIFY(Deleted.isNull());
    QCOMPARE(S.Selection(), std::vector<QObject*>{Page});
    QCOMPARE(Selections.count(), 1);
    QCOMPARE(Changes.count(), 1);
    // With the page alone, Del does nothing.
    S.Key(Qt::Key_Delete);
    QCOMPARE(S.Page->findChildren<TBarcodeItem*>().size(), 1);
    QCOMPARE(Changes.count(), 1);
    // Destroyed from outside, each selected item reports on its own.
    S.Designer.SelectAll();
    Selections.clear();
    delete S.Items[1];
    QCOMPARE(Selections.count(), 1);
    QCOMPARE(S.Selection(), std::vector<QObject*>{Page});
}

void TestDesignerEditing::SelectAllShowsCornerHandles() {
    TSurface S({QRect(50, 50, 100, 50), QRect(300, 50, 100, 50)});
    QSignalSpy Selections(&S.Designer, &TDesigner::OnChangeSelection);
    S.Designer.SelectAll();
    QCOMPARE(Selections.count(), 1);
    QCOMPARE(S.Selection(), (std::vector<QObject*>{S.Page.get(), S.Items[0], S.Items[1]}));
    // Corners only, inside the outline (e = 0): the first item's top-left one at (50, 50).
    QCOMPARE(S.VisibleHandles().size(), std::size_t(8));
    for (int I = 0; I < 8; ++I)
        QCOMPARE(S.Fill(I), I % 2 == 0 ? QColor(128, 128, 128) : QColor());
    QCOMPARE(S.Place(0).y(), 50);
    S.Designer.SelectAll();
    QCOMPARE(Selections.count(), 1);
}

void TestDesignerEditing::ScrollingIsAChange() {
    TSurface S({});
    S.Panel.resize(300, 300);
    QTRY_VERIFY(S.Panel.verticalScrollBar()->maximum() > 0);
    QSignalSpy Changes(&S.Designer, &TDesigner::OnChange);
    S.Panel.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Changes.count(), 1);
    S.Panel.verticalScrollBar()->setValue(S.Panel.verticalScrollBar()->value());
    QCOMPARE(Changes.count(), 1);
}

// The page goes with a selected item on it (the handles are the page's children too): the
// designer deactivates and nothing is freed twice.
void TestDesignerEditing::DestroyingThePageEndsTheDesign() {
    TSurface S({QRect(50, 50, 100, 50), QRect(300, 50, 100, 50)});
    S.Designer.SelectAll();
    QTest::mouseClick(S.Items[1], Qt::LeftButton, {}, QPoint(5, 5));
    S.Page.reset();
    QVERIFY(!S.Designer.Active());
    QCOMPARE(S.Designer.SelectedComponents().Count(), 0);
    QCOMPARE(S.Panel.Hosted(), nullptr);
}

QTEST_MAIN(TestDesignerEditing)
#include "TestDesignerEditing.moc"
