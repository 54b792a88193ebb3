#pragma once

#include "designer/TDesignPanel.h"
#include "designer/TGrabHandle.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QMouseEvent;
class QKeyEvent;
class TDesigner;
class TDragOutline;
class TGrabHandle;

// Read-only view of the designer's selection; item 0 is the first component selected.
class TDesignerSelectedComponents {
public:
    explicit TDesignerSelectedComponents(const TDesigner& Owner) : FOwner(Owner) {}
    int Count() const;
    QObject* Items(int Index) const;

private:
    const TDesigner& FOwner;
};

// Grid steps are clamped to 2..32 pixels; snapping uses them whether or not the grid shows.
class TDesignerGrid {
public:
    int XStep() const { return FXStep; }
    void SetXStep(int Value);
    int YStep() const { return FYStep; }
    void SetYStep(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }

private:
    int FXStep = 8;
    int FYStep = 8;
    bool FVisible = true;
};

enum TDesignerHint : std::uint8_t { dhComponent = 1, dhSize = 2, dhMove = 4, dhInsert = 8 };

// Low bits of a component's "DesignInfo" property: what the designer may not do with it.
// What a change reported by OnChange was, for naming it.
enum TDesignChange : std::uint8_t { dcOther, dcMove, dcResize };

enum TDesignLock : std::uint32_t { dlNoMove = 1, dlNoResize = 2, dlNoDelete = 4, dlNoInsert = 8 };
std::uint32_t DesignLocks(const QObject& Component);

// Makes a page editable on a design panel: selection with grab handles, moving and resizing by
// mouse and keyboard, deletion, tool tips and the surface's context menu.
class TDesigner : public QObject {
    Q_OBJECT
public:
    explicit TDesigner(QObject* Parent = nullptr);
    ~TDesigner() override;

    TDesignPanel* DesignPanel() const { return FDesignPanel; }
    void SetDesignPanel(TDesignPanel* Value);
    QWidget* DesignControl() const { return FDesignControl; }
    void SetDesignControl(QWidget* Value);
    bool Active() const { return FActive; }
    void SetActive(bool Value);

    TDesignerGrid& Grid() { return FGrid; }
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool Value) { FSnapToGrid = Value; }
    int Hints() const { return FHints; }
    void SetHints(int Value) { FHints = Value; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* Value) { FPopupMenu = Value; }
    bool ComponentContextPopup() const { return FComponentContextPopup; }
    void SetComponentContextPopup(bool Value) { FComponentContextPopup = Value; }

    // Adds every printable component of the design control, keeping what is selected.
    void SelectAll();
    // Makes Component the whole selection, as a click on it does.
    void SelectOnly(QObject* Component);
    // Makes List the selection, keeping what of it is already selected.
    void SelectList(const std::vector<QObject*>& List);
    const TDesignerSelectedComponents& SelectedComponents() const { return FSelectedView; }
    // What the last OnChange came from, and whether a key press made it.
    TDesignChange LastChange() const { return FLastChange; }
    bool LastChangeByKey() const { return FLastChangeByKey; }

signals:
    void OnChange();
    // Del took items off the page (raised before OnChange).
    void OnDelete();
    // Ctrl and the wheel over the page: zoom in (positive) or out by that many steps.
    void OnZoomWheel(int Steps);
    void OnChangeSelection();
    // For the design manager: the designer was activated or deactivated, or its surface took
    // the keyboard focus.
    void OnActiveChange();
    void OnFocused();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    friend class TDesignerSelectedComponents;
    friend class TGrabHandle;

    enum TDisplayMode { dmNone, dmSingle, dmMultiple };
    struct TSelCtrlItem {
        QObject* Component;
        std::array<QPointer<TGrabHandle>, 8> Handles;
        TDisplayMode Mode = dmNone;
    };
    enum TDragKind { dkNone, dkMove, dkResize, dkRubberBand };
    // A move, resize or rubber band under way: where it started and stands, what it may reach,
    // what it moves and the outlines that show it.
    struct TDragState {
        TDragKind Kind = dkNone;
        QPointer<QWidget> Container;
        QPoint Start;
        QPoint Last;
        bool XLocked = false;
        bool YLocked = false;
        QRect Confine;
        // A move: the controls with their bounds at the start, and the top left they span.
        std::vector<std::pair<QPointer<QWidget>, QRect>> Moved;
        QPoint MinTopLeft;
        QPoint Offset;
        // A resize: the control and the handle that resizes it.
        QPointer<QWidget> Resized;
        TGrabPosition Handle = gpTopLeft;
        std::vector<std::unique_ptr<TDragOutline>> Outlines;
    };

    // Activation
    void Activate();
    void Deactivate();
    void Watch(QWidget* Control);
    void Unwatch(QWidget* Control);
    void DesignControlDestroyed();

    // Selection
    bool IsDesignable(const QObject* Component) const;
    bool IsSelected(const QObject* Component) const;
    void Add(QObject* Component);
    void Remove(QObject* Component);
    void BeginBatch() { ++FBatch; }
    void EndBatch();
    void SelectionChanged();
    void ComponentDestroyed(QObject* Component);
    QObject* Current() const;

    // Grab handles and the modified routine
    void PlaceHandles();
    void PlaceHandlesOf(TSelCtrlItem& Entry);
    void SetHandlesShown(bool Value);
    void SetFocused(bool Value);
    void Modified(TDesignChange Change = dcOther, bool ByKey = false);
    void StartSizing(TGrabHandle& Handle, const QPoint& Global);

    // Input
    bool FilterMouse(QWidget* Target, QMouseEvent& Event);
    void MousePress(QWidget* Target, QMouseEvent& Event);
    bool FilterKey(QKeyEvent& Event);
    void KeyArrow(int Dx, int Dy, Qt::KeyboardModifiers Modifiers);
    void KeyTab(bool Backward);
    void KeyEscape();
    void DeleteSelection();
    void SelectNeighbour(int Dx, int Dy);
    void ShowContextMenu(const QPoint& Global, bool FromKeyboard);
    void ComponentHint(QWidget* Target, const QPoint& Global);

    // Drags
    void StartDrag(TDragKind Kind, QWidget* Container, const QPoint& Global);
    void UpdateDrag(const QPoint& Global);
    void FinishDrag(bool Commit);
    void CancelDrag();
    QPoint Snapped(QPoint Global) const;
    void DragPhase(const QPoint& Point);
    QRect ResizedRect(const QPoint& Offset) const;
    void ShowDragTip(const QString& Text);

    QPointer<TDesignPanel> FDesignPanel;
    QPointer<QWidget> FDesignControl;
    QMetaObject::Connection FControlWatch;
    QPointer<QMenu> FPopupMenu;
    bool FActive = false;
    bool FBusy = false;
    TDesignerGrid FGrid;
    bool FSnapToGrid = true;
    int FHints = dhComponent | dhSize | dhMove | dhInsert;
    bool FComponentContextPopup = true;
    QPoint FSavedPos;
    std::vector<TSelCtrlItem> FSelection;
    TDesignerSelectedComponents FSelectedView{*this};
    int FBatch = 0;
    bool FPending = false;
    bool FHandlesShown = true;
    bool FFocused = false;
    TDesignChange FLastChange = dcOther;
    bool FLastChangeByKey = false;
    std::vector<QMetaObject::Connection> FPanelWatch;

    TDragState FDrag;
    QPointer<QWidget> FLastHinted;
};
