// The designer's input: the filter over the page, its items and the panel, mouse selection,
// the move, resize and rubber-band drags, the keyboard, deletion, tool tips and the context menu.

#include "common/Messages.h"
#include "common/Rounding.h"
#include "common/TException.h"
#include "designer/TDesignPanel.h"
#include "designer/TDesigner.h"
#include "designer/TDragOutline.h"
#include "designer/TGrabHandle.h"
#include "document/StreamClasses.h"
#include "document/TPrintable.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

bool CanMove(const QObject* Component) {
    return (DesignLocks(*Component) & dlNoMove) == 0;
}

bool CanResize(const QObject* Component) {
    return (DesignLocks(*Component) & dlNoResize) == 0;
}

// Items keep their stored position in step with their pixels; other controls just move.
void SetControlBounds(QWidget& Control, const QRect& Bounds) {
    if (auto* Item = qobject_cast<TPrintable*>(&Control))
        Item->SetBounds(Bounds.x(), Bounds.y(), Bounds.width(), Bounds.height());
    else
        Control.setGeometry(Bounds);
}

// The control's outline while it is dragged: its bounds moved by Offset, left and top one
// pixel further in.
QRect DragOutlineOf(const QRect& Bounds, const QPoint& Offset) {
    return QRect(Bounds.left() + 1, Bounds.top() + 1, Bounds.width() - 1, Bounds.height() - 1)
        .translated(Offset);
}

// The pixels from A to B, both included, whichever corner each is. (QRect::normalized() would
// move the corners of a rectangle given backwards by a pixel.)
QRect Spanned(const QPoint& A, const QPoint& B) {
    return QRect(QPoint(std::min(A.x(), B.x()), std::min(A.y(), B.y())),
                 QPoint(std::max(A.x(), B.x()), std::max(A.y(), B.y())));
}

// Left, top, right, bottom with right and bottom exclusive, as the neighbour search measures.
struct TEdges {
    int L, T, R, B;
};

// One quarter turn maps (x, y) to (-y, x); the exclusive edges stay exclusive.
TEdges Turned(TEdges E, int Turns) {
    for (int I = 0; I < Turns; ++I)
        E = TEdges{-(E.B - 1), E.L, -E.T + 1, E.R};
    return E;
}

// The distance of K from the middle of R's left edge; 0 when K spans that middle point
// across the axis and overlaps R along it.
std::int64_t NeighbourDistance(const TEdges& R, const TEdges& K) {
    const std::int64_t Px = R.L;
    const std::int64_t Py = (R.T + R.B) / 2;
    const std::int64_t Dx = std::max<std::int64_t>(0, Px - K.R);
    const std::int64_t Dy = std::max<std::int64_t>({0, K.T - Py, Py - K.B});
    return Dx * Dx + Dy * Dy;
}

bool AcceptedNeighbour(const TEdges& R, const TEdges& K) {
    if (K.R < R.L) {
        const int Gap = R.L - K.R;
        if (K.B < R.T && R.T - K.B > Gap)
            return false;
        if (R.B < K.T && K.T - R.B > Gap)
            return false;
        return true;
    }
    if (R.R < K.L || K.B < R.T || K.T > R.B)
        return false;
    return (K.L + K.R) / 2 < (R.L + R.R) / 2;
}

} // namespace

bool TDesigner::eventFilter(QObject* Watched, QEvent* Event) {
    auto* Widget = qobject_cast<QWidget*>(Watched);
    if (!FActive || Widget == nullptr || FDesignPanel == nullptr)
        return false;
    QWidget* Viewport = FDesignPanel->viewport();
    const bool IsPanel = Widget == FDesignPanel;
    const bool Designed = IsDesignable(Widget);
    if (!IsPanel && Widget != Viewport && !Designed)
        return false; // handles, outlines and anything else on the page
    switch (Event->type()) {
    case QEvent::ChildAdded:
        // New and pasted items are designable at once.
        if (Widget == FDesignControl)
            if (auto* Child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(Event)->child()))
                Watch(Child);
        return false;
    case QEvent::Move:
    case QEvent::Resize:
        if (Designed && Widget != FDesignControl)
            QMetaObject::invokeMethod(
                this,
                [this, Control = QPointer<QWidget>(Widget)] {
                    for (TSelCtrlItem& Entry : FSelection)
                        if (Control != nullptr && Entry.Component == Control)
                            PlaceHandlesOf(Entry);
                },
                Qt::QueuedConnection);
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (IsPanel)
            SetFocused(FDesignPanel->hasFocus());
        // Alt+Tab or a popup takes the focus, and the mouse with it: a drag ends as Esc ends it.
        if (IsPanel && Event->type() == QEvent::FocusOut)
            CancelDrag();
        return false;
    case QEvent::WindowDeactivate:
    case QEvent::UngrabMouse:
        // The window lost the mouse in the middle of a drag.
        CancelDrag();
        return false;
    case QEvent::ContextMenu:
        // A mouse's menu opens on the right button's release; the keyboard's comes here.
        CancelDrag();
        if (static_cast<QContextMenuEvent*>(Event)->reason() == QContextMenuEvent::Keyboard)
            ShowContextMenu(QPoint(), true);
        return true;
    case QEvent::KeyPress:
        return FilterKey(*static_cast<QKeyEvent*>(Event));
    case QEvent::KeyRelease:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (IsPanel)
            return false;
        return FilterMouse(Widget, *static_cast<QMouseEvent*>(Event));
    case QEvent::Wheel:
        if (auto* Wheel = static_cast<QWheelEvent*>(Event);
            !IsPanel && (Wheel->modifiers() & Qt::ControlModifier) != 0 &&
            Wheel->angleDelta().y() != 0) {
            emit OnZoomWheel(Wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
        return !IsPanel;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        return !IsPanel;
    case QEvent::ToolTip:
        if (Designed && Widget != FDesignControl && FDrag.Kind == dkNone &&
            (FHints & dhComponent) != 0) {
            QString Class = QString::fromLatin1(Widget->metaObject()->className());
            if (auto* Item = qobject_cast<TPrintable*>(Widget))
                if (const TStreamClass* Stream = StreamClassOf(*Item))
                    Class =
                        QString::fromLatin1(Stream->StreamName().data(),
                                            static_cast<qsizetype>(Stream->StreamName().size()));
            QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(),
                               Widget->objectName() + QStringLiteral(": ") + Class, Widget);
            return true;
        }
        return !IsPanel;
    default:
        return false;
    }
}

// ---- Mouse ----

bool TDesigner::FilterMouse(QWidget* Target, QMouseEvent& Event) {
    const QPoint Global = Event.globalPosition().toPoint();
    // Another widget took the mouse without a word: the drag ends as Esc ends it.
    if (FDrag.Kind != dkNone && QWidget::mouseGrabber() != FDrag.Container)
        CancelDrag();
    switch (Event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        FDesignPanel->setFocus(Qt::MouseFocusReason);
        QToolTip::hideText();
        // Double clicks and the middle button change nothing.
        if (Event.type() == QEvent::MouseButtonPress &&
            (Event.button() == Qt::LeftButton || Event.button() == Qt::RightButton))
            MousePress(Target, Event);
        return true;
    case QEvent::MouseButtonRelease:
        if (Event.button() == Qt::LeftButton && FDrag.Kind != dkNone) {
            FinishDrag(true);
            SetHandlesShown(true);
        }
        if (Event.button() == Qt::RightButton)
            ShowContextMenu(Global, false);
        return true;
    case QEvent::MouseMove:
        if (FDrag.Kind != dkNone)
            UpdateDrag(Global);
        else
            ComponentHint(Target, Global);
        return true;
    default:
        return true;
    }
}

void TDesigner::MousePress(QWidget* Target, QMouseEvent& Event) {
    if (Target == FDesignPanel->viewport())
        return;
    QObject* Hit = nullptr;
    for (QObject* O = Target; O != nullptr && Hit == nullptr; O = O->parent())
        if (IsDesignable(O))
            Hit = O;
    if (Hit == nullptr)
        return;
    QWidget* Root = FDesignControl;
    const bool Left = Event.button() == Qt::LeftButton;
    const Qt::KeyboardModifiers Modifiers = Event.modifiers();
    const QPoint Global = Event.globalPosition().toPoint();
    if (Modifiers & Qt::ShiftModifier) {
        BeginBatch();
        if (IsSelected(Hit))
            Remove(Hit);
        else if (!(Hit == Root && !FSelection.empty()))
            Add(Hit);
        if (FSelection.empty())
            Add(Root);
        EndBatch();
        return;
    }
    if (Target == Root || (Modifiers & Qt::ControlModifier)) {
        SelectOnly(Root);
        if (Left)
            StartDrag(dkRubberBand, Root, Global);
        return;
    }
    std::vector<QObject*> List;
    if (IsSelected(Hit)) {
        BeginBatch();
        for (std::size_t I = FSelection.size(); I-- > 0;)
            if (I < FSelection.size() && FSelection[I].Component->parent() != Hit->parent())
                Remove(FSelection[I].Component);
        EndBatch();
        for (const TSelCtrlItem& Entry : FSelection)
            List.push_back(Entry.Component);
    } else {
        List = {Hit};
    }
    if (Left && CanMove(Hit) && std::any_of(List.begin(), List.end(), CanMove)) {
        List.erase(
            std::remove_if(List.begin(), List.end(), [](const QObject* C) { return !CanMove(C); }),
            List.end());
        SetHandlesShown(false);
        SelectList(List);
        StartDrag(dkMove, static_cast<QWidget*>(Hit)->parentWidget(), Global);
    } else {
        SelectList(List);
    }
}

void TDesigner::StartSizing(TGrabHandle& Handle, const QPoint& Global) {
    if (!FActive)
        return;
    for (TSelCtrlItem& Entry : FSelection) {
        if (Entry.Component != Handle.Control())
            continue;
        // The corner handles of a multiple selection do not react.
        if (Entry.Mode != dmSingle)
            return;
        FDesignPanel->setFocus(Qt::MouseFocusReason);
        QWidget* Control = Handle.Control();
        if (!CanResize(Control))
            return;
        SetHandlesShown(false);
        SelectOnly(Control);
        FDrag.Resized = Control;
        FDrag.Handle = Handle.Position();
        const TGrabHandleRow& Row = GrabHandles[Handle.Position()];
        StartDrag(dkResize, Control->parentWidget(), Global);
        // An edge's handle moves that edge only.
        FDrag.XLocked = !Row.Left && !Row.Right;
        FDrag.YLocked = !Row.Top && !Row.Bottom;
        return;
    }
}

void TDesigner::ComponentHint(QWidget* Target, const QPoint&) {
    if (Target == FDesignPanel->viewport())
        return;
    QWidget* Hit = nullptr;
    for (QWidget* W = Target; W != nullptr && Hit == nullptr; W = W->parentWidget())
        if (IsDesignable(W))
            Hit = W;
    if (Hit == FDesignControl) {
        QToolTip::hideText();
        FLastHinted = nullptr;
    } else if (Hit != FLastHinted) {
        // Qt shows the new component's tip after its pause, through the tool-tip event.
        QToolTip::hideText();
        FLastHinted = Hit;
    }
}

// ---- Drags ----

void TDesigner::StartDrag(TDragKind Kind, QWidget* Container, const QPoint& Global) {
    QToolTip::hideText();
    FDrag.Container = Container;
    QWidget* Viewport = FDesignPanel->viewport();
    const QRect Visible(Viewport->mapToGlobal(QPoint(0, 0)), Viewport->size());
    const QRect Area(Container->mapToGlobal(QPoint(0, 0)), Container->size());
    FDrag.Confine = Visible & Area;
    FDrag.Start = Global;
    if (!FDrag.Confine.isEmpty())
        FDrag.Start = QPoint(std::clamp(Global.x(), FDrag.Confine.left(), FDrag.Confine.right()),
                             std::clamp(Global.y(), FDrag.Confine.top(), FDrag.Confine.bottom()));
    FDrag.Last = FDrag.Start;
    FDrag.XLocked = false;
    FDrag.YLocked = false;
    FDrag.Offset = QPoint();
    FDrag.Outlines.clear();
    Container->grabMouse();
    // The begin phase: the outlines to draw, then drawn as an update with no offset would.
    const int Outlines = Kind == dkMove ? static_cast<int>(FSelection.size()) : 1;
    if (Kind == dkMove) {
        FDrag.Moved.clear();
        FDrag.MinTopLeft = QPoint(std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
        for (const TSelCtrlItem& Entry : FSelection)
            if (auto* Control = qobject_cast<QWidget*>(Entry.Component)) {
                FDrag.Moved.emplace_back(Control, Control->geometry());
                FDrag.MinTopLeft.setX(std::min(FDrag.MinTopLeft.x(), Control->x()));
                FDrag.MinTopLeft.setY(std::min(FDrag.MinTopLeft.y(), Control->y()));
            }
    }
    for (int I = 0; I < Outlines; ++I)
        FDrag.Outlines.push_back(std::make_unique<TDragOutline>(
            *Container, Kind == dkRubberBand ? 1 : 2, Kind == dkRubberBand));
    FDrag.Kind = Kind;
    DragPhase(FDrag.Start);
}

QPoint TDesigner::Snapped(QPoint Global) const {
    if (!FDrag.Confine.isEmpty())
        Global = QPoint(std::clamp(Global.x(), FDrag.Confine.left(), FDrag.Confine.right()),
                        std::clamp(Global.y(), FDrag.Confine.top(), FDrag.Confine.bottom()));
    const bool Snaps = FSnapToGrid && FDrag.Kind != dkRubberBand;
    const auto Axis = [Snaps](int Value, int Start, int Step, bool Locked) {
        if (Locked)
            return Start;
        if (!Snaps)
            return Value;
        return Start + Step * RoundToInt(static_cast<double>(Value - Start) / Step);
    };
    return {Axis(Global.x(), FDrag.Start.x(), FGrid.XStep(), FDrag.XLocked),
            Axis(Global.y(), FDrag.Start.y(), FGrid.YStep(), FDrag.YLocked)};
}

void TDesigner::UpdateDrag(const QPoint& Global) {
    const QPoint Point = Snapped(Global);
    if (Point == FDrag.Last)
        return;
    FDrag.Last = Point;
    DragPhase(Point);
}

void TDesigner::DragPhase(const QPoint& Point) {
    FDrag.Offset = Point - FDrag.Start;
    switch (FDrag.Kind) {
    case dkRubberBand: {
        const QPoint A = FDrag.Container->mapFromGlobal(FDrag.Start);
        const QPoint B = FDrag.Container->mapFromGlobal(Point);
        FDrag.Outlines.front()->SetRect(Spanned(A, B));
        break;
    }
    case dkMove:
        for (std::size_t I = 0; I < FDrag.Moved.size() && I < FDrag.Outlines.size(); ++I)
            FDrag.Outlines[I]->SetRect(DragOutlineOf(FDrag.Moved[I].second, FDrag.Offset));
        if (FHints & dhMove)
            ShowDragTip(QString::asprintf("%d, %d", FDrag.MinTopLeft.x() + FDrag.Offset.x(),
                                          FDrag.MinTopLeft.y() + FDrag.Offset.y()));
        break;
    case dkResize: {
        const QRect New = ResizedRect(FDrag.Offset);
        FDrag.Outlines.front()->SetRect(DragOutlineOf(New, QPoint()));
        if (FHints & dhSize)
            ShowDragTip(QString::asprintf("%d x %d", New.width(), New.height()));
        break;
    }
    case dkNone:
        break;
    }
}

QRect TDesigner::ResizedRect(const QPoint& Offset) const {
    const QWidget* Resized = FDrag.Resized.data();
    if (Resized == nullptr)
        return {};
    const QRect B = Resized->geometry();
    int L = B.x();
    int T = B.y();
    int R = B.x() + B.width();
    int Bottom = B.y() + B.height();
    const TGrabHandleRow& Row = GrabHandles[FDrag.Handle];
    if (Row.Left)
        L += Offset.x();
    if (Row.Top)
        T += Offset.y();
    if (Row.Right)
        R += Offset.x();
    if (Row.Bottom)
        Bottom += Offset.y();
    // Dragging an edge past the opposite one turns the rectangle over.
    if (L > R)
        std::swap(L, R);
    if (T > Bottom)
        std::swap(T, Bottom);
    return {L, T, R - L, Bottom - T};
}

void TDesigner::ShowDragTip(const QString& Text) {
    QToolTip::showText(FDrag.Last + QPoint(0, 20), Text, FDrag.Container, QRect(), 0x7FFFFFFF);
}

void TDesigner::FinishDrag(bool Commit) {
    const TDragKind Kind = FDrag.Kind;
    FDrag.Kind = dkNone;
    QToolTip::hideText();
    QWidget* Container = FDrag.Container;
    // Whatever the phase does, the grab, the outlines and the confinement go.
    struct TCleanup {
        TDesigner& D;
        QWidget* Container;
        ~TCleanup() {
            if (Container != nullptr && QWidget::mouseGrabber() == Container)
                Container->releaseMouse();
            D.FDrag.Outlines.clear();
            D.FDrag.Confine = QRect();
        }
    } Cleanup{*this, Container};
    if (!Commit || Container == nullptr)
        return;
    switch (Kind) {
    case dkRubberBand: {
        const QRect Band =
            Spanned(Container->mapFromGlobal(FDrag.Start), Container->mapFromGlobal(FDrag.Last));
        FDrag.Outlines.clear();
        BeginBatch();
        const QObjectList Children = Container->children();
        for (QObject* Child : Children) {
            auto* Control = qobject_cast<QWidget*>(Child);
            if (Control == nullptr || !IsDesignable(Control))
                continue;
            const int CR = Control->x() + Control->width();
            const int CB = Control->y() + Control->height();
            const bool Outside = CR < Band.left() || Band.right() < Control->x() ||
                                 CB < Band.top() || Band.bottom() < Control->y();
            if (!Outside)
                Add(Control);
        }
        if (FSelection.size() > 1)
            Remove(FDesignControl);
        EndBatch();
        break;
    }
    case dkMove: {
        FDrag.Outlines.clear();
        if (FDrag.Offset.isNull())
            break;
        for (const auto& [Guarded, Bounds] : FDrag.Moved)
            if (QWidget* Control = Guarded.data(); Control != nullptr && CanMove(Control))
                SetControlBounds(*Control, Bounds.translated(FDrag.Offset));
        Modified(dcMove);
        break;
    }
    case dkResize: {
        FDrag.Outlines.clear();
        const QRect New = ResizedRect(FDrag.Offset);
        QWidget* Resized = FDrag.Resized.data();
        if (Resized != nullptr && New != Resized->geometry()) {
            SetControlBounds(*Resized, New);
            Resized->repaint();
            Modified(dcResize);
        }
        break;
    }
    case dkNone:
        break;
    }
}

void TDesigner::CancelDrag() {
    if (FDrag.Kind == dkNone)
        return;
    FinishDrag(false);
    SetHandlesShown(true);
}

// ---- Keyboard ----

bool TDesigner::FilterKey(QKeyEvent& Event) {
    const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~Qt::KeypadModifier;
    switch (Event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        KeyTab(Event.key() == Qt::Key_Backtab || (Modifiers & Qt::ShiftModifier));
        break;
    case Qt::Key_Escape:
        KeyEscape();
        break;
    case Qt::Key_Left:
        KeyArrow(-1, 0, Modifiers);
        break;
    case Qt::Key_Up:
        KeyArrow(0, -1, Modifiers);
        break;
    case Qt::Key_Right:
        KeyArrow(1, 0, Modifiers);
        break;
    case Qt::Key_Down:
        KeyArrow(0, 1, Modifiers);
        break;
    case Qt::Key_Delete:
        DeleteSelection();
        break;
    default:
        break;
    }
    return true;
}

void TDesigner::KeyArrow(int Dx, int Dy, Qt::KeyboardModifiers Modifiers) {
    if (FSelection.empty())
        return;
    CancelDrag();
    const bool Shift = Modifiers & Qt::ShiftModifier;
    const bool Ctrl = Modifiers & Qt::ControlModifier;
    QObject* Cur = Current();
    if (Shift || Ctrl) {
        if (Cur == FDesignControl)
            return;
        const QObject* Parent = Cur->parent();
        BeginBatch();
        for (std::size_t I = FSelection.size(); I-- > 0;) {
            if (I >= FSelection.size())
                continue;
            QObject* C = FSelection[I].Component;
            if (C->parent() != Parent || (Shift ? !CanResize(C) : !CanMove(C)))
                Remove(C);
        }
        EndBatch();
        if (FSelection.empty())
            return;
        std::vector<QPointer<QWidget>> Controls;
        for (const TSelCtrlItem& Entry : FSelection)
            Controls.emplace_back(qobject_cast<QWidget*>(Entry.Component));
        for (const QPointer<QWidget>& Guarded : Controls) {
            QWidget* Control = Guarded.data();
            if (Control == nullptr)
                continue;
            const QRect B = Control->geometry();
            if (Shift)
                SetControlBounds(*Control, QRect(B.x(), B.y(), std::max(B.width() + Dx, 0),
                                                 std::max(B.height() + Dy, 0)));
            else
                SetControlBounds(*Control, B.translated(Dx, Dy));
        }
        Modified(Shift ? dcResize : dcMove, true);
    } else if (Modifiers == Qt::NoModifier && Cur != FDesignControl) {
        SelectNeighbour(Dx, Dy);
    }
}

void TDesigner::SelectNeighbour(int Dx, int Dy) {
    auto* Cur = qobject_cast<QWidget*>(Current());
    if (Cur == nullptr || Cur->parentWidget() == nullptr)
        return;
    // Turned so that the arrow points to the left.
    const int Turns = Dx < 0 ? 0 : Dy < 0 ? 3 : Dx > 0 ? 2 : 1;
    const auto EdgesOf = [Turns](const QWidget& W) {
        return Turned(TEdges{W.x(), W.y(), W.x() + W.width(), W.y() + W.height()}, Turns);
    };
    const TEdges R = EdgesOf(*Cur);
    QWidget* Best = nullptr;
    std::int64_t BestDistance = 0;
    for (QObject* Child : Cur->parentWidget()->children()) {
        auto* Candidate = qobject_cast<QWidget*>(Child);
        if (Candidate == nullptr || Candidate == Cur || !IsDesignable(Candidate))
            continue;
        const TEdges K = EdgesOf(*Candidate);
        if (!AcceptedNeighbour(R, K))
            continue;
        const std::int64_t Distance = NeighbourDistance(R, K);
        if (Best == nullptr || Distance < BestDistance) {
            Best = Candidate;
            BestDistance = Distance;
        }
    }
    if (Best != nullptr)
        SelectOnly(Best);
}

void TDesigner::KeyTab(bool Backward) {
    CancelDrag();
    QObject* Cur = Current();
    QWidget* Root = FDesignControl.data();
    if (Cur == nullptr || Root == nullptr || Cur == Root)
        return;
    std::vector<QObject*> Owned;
    for (QObject* Child : Root->children())
        if (IsDesignable(Child))
            Owned.push_back(Child);
    const auto It = std::find(Owned.begin(), Owned.end(), Cur);
    if (It == Owned.end() || Owned.size() < 2)
        return;
    const std::size_t N = Owned.size();
    const std::size_t At = static_cast<std::size_t>(It - Owned.begin());
    SelectOnly(Owned[Backward ? (At + N - 1) % N : (At + 1) % N]);
}

void TDesigner::KeyEscape() {
    if (FDrag.Kind != dkNone) {
        CancelDrag();
        return;
    }
    QObject* Target = nullptr;
    if (QObject* Cur = Current(); Cur != nullptr && Cur != FDesignControl)
        for (QObject* O = Cur->parent(); O != nullptr && Target == nullptr; O = O->parent())
            if (IsDesignable(O))
                Target = O;
    SelectOnly(Target != nullptr ? Target : FDesignControl.data());
}

void TDesigner::DeleteSelection() {
    CancelDrag();
    std::vector<QObject*> Doomed;
    for (const TSelCtrlItem& Entry : FSelection)
        if (Entry.Component != FDesignControl)
            Doomed.push_back(Entry.Component);
    if (Doomed.empty())
        return;
    std::vector<const QObject*> Locked;
    for (const QObject* C : Doomed) {
        bool Any = (DesignLocks(*C) & dlNoDelete) != 0;
        for (const QObject* Child : C->children())
            Any =
                Any || (qobject_cast<const QWidget*>(Child) && (DesignLocks(*Child) & dlNoDelete));
        if (Any)
            Locked.push_back(C);
    }
    if (Locked.size() == 1)
        Raise(Msg::ComponentLocked, {Locked.front()->objectName().toStdString()});
    if (Locked.size() > 1)
        Raise(Msg::ComponentsLocked);
    BeginBatch();
    // From the last entry to the first; each one leaves the selection before it goes.
    for (std::size_t I = FSelection.size(); I-- > 0;) {
        if (I >= FSelection.size() || FSelection[I].Component == FDesignControl)
            continue;
        QObject* C = FSelection[I].Component;
        Remove(C);
        delete C;
    }
    EndBatch();
    emit OnDelete();
    Modified();
}

// ---- Context menu ----

void TDesigner::ShowContextMenu(const QPoint& Global, bool FromKeyboard) {
    CancelDrag();
    if (FPopupMenu == nullptr)
        return;
    QPoint At = Global;
    if (FromKeyboard) {
        auto* Only =
            FSelection.size() == 1 ? qobject_cast<QWidget*>(FSelection.front().Component) : nullptr;
        if (FComponentContextPopup && Only != nullptr && Only != FDesignControl)
            At = Only->mapToGlobal(QPoint(Only->width(), 0));
        else
            At = FDesignPanel->viewport()->mapToGlobal(QPoint(0, 0));
    }
    FPopupMenu->popup(At);
}
