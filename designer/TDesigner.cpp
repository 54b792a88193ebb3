#include "designer/TDesigner.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "designer/TDesignPanel.h"
#include "designer/TDragOutline.h"
#include "designer/TGrabHandle.h"
#include "document/TPrintable.h"

#include <QHash>
#include <QScrollBar>

#include <algorithm>
#include <string>

namespace {

// The panels that host an active designer's page, so that a second designer cannot take one.
QHash<const TDesignPanel*, const TDesigner*>& PanelUsers() {
    static QHash<const TDesignPanel*, const TDesigner*> Users;
    return Users;
}

const QColor HandleColor(0, 0, 0);
const QColor MultiSelectHandleColor(128, 128, 128);
const QColor InactiveHandleColor(128, 128, 128);
const QColor InactiveHandleBorderColor(0, 0, 0);
const QColor LockedHandleColor(255, 0, 0);

} // namespace

std::uint32_t DesignLocks(const QObject& Component) {
    return Component.property("DesignInfo").toUInt() & 0xFFFF;
}

int TDesignerSelectedComponents::Count() const {
    return FOwner.FActive ? static_cast<int>(FOwner.FSelection.size()) : 0;
}

QObject* TDesignerSelectedComponents::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    return FOwner.FSelection[static_cast<std::size_t>(Index)].Component;
}

void TDesignerGrid::SetXStep(int Value) {
    FXStep = std::clamp(Value, 2, 32);
}

void TDesignerGrid::SetYStep(int Value) {
    FYStep = std::clamp(Value, 2, 32);
}

TDesigner::TDesigner(QObject* Parent) : QObject(Parent) {}

TDesigner::~TDesigner() {
    QObject::disconnect(FControlWatch);
    if (FActive) {
        // Quietly: nobody listens to a designer that is going.
        blockSignals(true);
        Deactivate();
    }
}

void TDesigner::SetDesignPanel(TDesignPanel* Value) {
    if (FActive)
        Raise(Msg::DesignerMustBeInactive);
    FDesignPanel = Value;
}

void TDesigner::SetDesignControl(QWidget* Value) {
    if (FActive)
        Raise(Msg::DesignerMustBeInactive);
    QObject::disconnect(FControlWatch);
    FDesignControl = Value;
    if (Value != nullptr)
        FControlWatch =
            connect(Value, &QObject::destroyed, this, &TDesigner::DesignControlDestroyed);
}

void TDesigner::SetActive(bool Value) {
    if (Value == FActive)
        return;
    if (Value)
        Activate();
    else
        Deactivate();
}

void TDesigner::Activate() {
    QWidget* Control = FDesignControl;
    TDesignPanel* Panel = FDesignPanel;
    if (Control == nullptr)
        Raise(Msg::DesignControlNotSpecified);
    if (Control->parentWidget() != nullptr)
        Raise(Msg::DesignControlParentMustBeNil);
    if (Panel == nullptr)
        Raise(Msg::DesignPanelNotSpecified);
    if (const TDesigner* User = PanelUsers().value(Panel); User != nullptr && User != this)
        Raise(Msg::DesignPanelUsedByAnother, {Panel->objectName().toStdString()});
    FBusy = true;
    PanelUsers().insert(Panel, this);
    FSavedPos = Control->pos();
    Control->move(0, 0);
    Panel->Host(Control);
    Watch(Panel);
    Watch(Panel->viewport());
    Watch(Control);
    for (QObject* Child : Control->children())
        if (auto* Widget = qobject_cast<QWidget*>(Child))
            Watch(Widget);
    // Scrolling the surface counts as a change of the design.
    for (QScrollBar* Bar : {Panel->horizontalScrollBar(), Panel->verticalScrollBar()})
        FPanelWatch.push_back(
            connect(Bar, &QScrollBar::valueChanged, this, [this] { Modified(); }));
    FPanelWatch.push_back(connect(Panel, &QObject::destroyed, this, [this] {
        PanelUsers().remove(FDesignPanel);
        FActive = false;
        FSelection.clear();
    }));
    Panel->viewport()->update();
    FFocused = Panel->hasFocus();
    FHandlesShown = true;
    FBusy = false;
    FActive = true;
    Add(Control);
    emit OnActiveChange();
    if (FFocused)
        emit OnFocused();
}

void TDesigner::Deactivate() {
    CancelDrag();
    FHandlesShown = false;
    if (!FSelection.empty()) {
        BeginBatch();
        while (!FSelection.empty())
            Remove(FSelection.back().Component);
        EndBatch();
    }
    for (const QMetaObject::Connection& Connection : FPanelWatch)
        QObject::disconnect(Connection);
    FPanelWatch.clear();
    TDesignPanel* Panel = FDesignPanel;
    QWidget* Control = FDesignControl;
    if (Control != nullptr) {
        Unwatch(Control);
        for (QObject* Child : Control->children())
            if (auto* Widget = qobject_cast<QWidget*>(Child))
                Unwatch(Widget);
    }
    if (Panel != nullptr) {
        Unwatch(Panel);
        Unwatch(Panel->viewport());
        if (Control != nullptr && Panel->Hosted() == Control) {
            Panel->Unhost();
            Control->move(FSavedPos);
        }
        PanelUsers().remove(Panel);
        Panel->viewport()->update();
    }
    FActive = false;
    emit OnActiveChange();
}

void TDesigner::Watch(QWidget* Control) {
    Control->installEventFilter(this);
}

void TDesigner::Unwatch(QWidget* Control) {
    Control->removeEventFilter(this);
}

void TDesigner::DesignControlDestroyed() {
    if (FBusy)
        return;
    // A control being destroyed is not handed back; it leaves its panel by itself.
    QObject::disconnect(FControlWatch);
    FDesignControl = nullptr;
    if (FActive)
        Deactivate();
}

// ---- Selection ----

bool TDesigner::IsDesignable(const QObject* Component) const {
    if (Component == nullptr || FDesignControl == nullptr)
        return false;
    if (Component == FDesignControl)
        return true;
    return Component->parent() == FDesignControl && qobject_cast<const TPrintable*>(Component);
}

bool TDesigner::IsSelected(const QObject* Component) const {
    return std::any_of(FSelection.begin(), FSelection.end(),
                       [Component](const TSelCtrlItem& E) { return E.Component == Component; });
}

void TDesigner::Add(QObject* Component) {
    if (IsSelected(Component))
        return;
    if (!IsDesignable(Component))
        Raise(Msg::ComponentCannotBeSelected, {Component->objectName().toStdString()});
    TSelCtrlItem Entry{Component, {}, dmNone};
    auto* Control = qobject_cast<QWidget*>(Component);
    if (Component != FDesignControl && Control != nullptr && Control->parentWidget() != nullptr)
        for (int I = 0; I < 8; ++I)
            Entry.Handles[static_cast<std::size_t>(I)] =
                new TGrabHandle(*this, Control, static_cast<TGrabPosition>(I));
    FSelection.push_back(Entry);
    // A destroyed component leaves the selection at once, whoever destroys it.
    connect(Component, &QObject::destroyed, this, &TDesigner::ComponentDestroyed);
    SelectionChanged();
}

void TDesigner::Remove(QObject* Component) {
    const auto It =
        std::find_if(FSelection.begin(), FSelection.end(),
                     [Component](const TSelCtrlItem& E) { return E.Component == Component; });
    if (It == FSelection.end())
        return;
    // QPointer: the handles are the page's children and may be going with it.
    for (const QPointer<TGrabHandle>& Handle : It->Handles)
        delete Handle.data();
    QObject::disconnect(Component, &QObject::destroyed, this, &TDesigner::ComponentDestroyed);
    FSelection.erase(It);
    SelectionChanged();
}

void TDesigner::SelectOnly(QObject* Component) {
    BeginBatch();
    while (!FSelection.empty() && FSelection.front().Component != Component)
        Remove(FSelection.front().Component);
    while (FSelection.size() > 1)
        Remove(FSelection.back().Component);
    if (FSelection.empty())
        Add(Component);
    EndBatch();
}

void TDesigner::SelectList(const std::vector<QObject*>& List) {
    BeginBatch();
    for (std::size_t I = FSelection.size(); I-- > 0;)
        if (std::find(List.begin(), List.end(), FSelection[I].Component) == List.end())
            Remove(FSelection[I].Component);
    for (QObject* Component : List)
        Add(Component);
    EndBatch();
}

void TDesigner::EndBatch() {
    if (FBatch > 0)
        --FBatch;
    if (FBatch == 0 && FPending)
        SelectionChanged();
}

void TDesigner::SelectionChanged() {
    if (FBatch > 0) {
        FPending = true;
        return;
    }
    FPending = false;
    PlaceHandles();
    emit OnChangeSelection();
}

void TDesigner::ComponentDestroyed(QObject* Component) {
    // Outside any batch: whoever destroys a selected component, the change is reported at once.
    const int Batch = FBatch;
    FBatch = 0;
    Remove(Component);
    FBatch = Batch;
}

QObject* TDesigner::Current() const {
    return FSelection.empty() ? nullptr : FSelection.back().Component;
}

void TDesigner::SelectAll() {
    if (!FActive)
        Raise(Msg::DesignerMustBeActive);
    QWidget* Control = FDesignControl;
    if (Control == nullptr)
        return;
    BeginBatch();
    // Copied: every item added gives the page eight handles more.
    const QObjectList Children = Control->children();
    for (QObject* Child : Children)
        if (IsDesignable(Child))
            Add(Child);
    EndBatch();
}

// ---- Grab handles ----

void TDesigner::PlaceHandles() {
    for (TSelCtrlItem& Entry : FSelection)
        PlaceHandlesOf(Entry);
}

void TDesigner::PlaceHandlesOf(TSelCtrlItem& Entry) {
    auto* Control = qobject_cast<QWidget*>(Entry.Component);
    if (Control == nullptr || Entry.Handles[0] == nullptr)
        return;
    Entry.Mode = !FHandlesShown || Entry.Component == FDesignControl ? dmNone
                 : FSelection.size() == 1                            ? dmSingle
                                                                     : dmMultiple;
    const std::uint32_t Locks = DesignLocks(*Control);
    QColor Fill;
    QColor Border;
    if (!FFocused && Entry.Mode == dmSingle) {
        Fill = InactiveHandleColor;
        Border = InactiveHandleBorderColor;
    } else {
        Fill = Entry.Mode == dmSingle ? HandleColor : MultiSelectHandleColor;
        Border = Fill;
        if (FFocused && (Locks & dlNoMove) != 0)
            Fill = LockedHandleColor;
        if (FFocused && (Locks & dlNoResize) != 0)
            Border = LockedHandleColor;
    }
    const QRect B = Control->geometry();
    const int L = B.x();
    const int T = B.y();
    const int W = B.width();
    const int H = B.height();
    const int E = Entry.Mode == dmSingle ? 2 : 0;
    const std::array<QPoint, 8> At = {QPoint(L - E, T - E),
                                      QPoint(L + W / 2 - 2, T - E),
                                      QPoint(L + W + E - 5, T - E),
                                      QPoint(L + W + E - 5, T + H / 2 - 2),
                                      QPoint(L + W + E - 5, T + H + E - 5),
                                      QPoint(L + W / 2 - 2, T + H + E - 5),
                                      QPoint(L - E, T + H + E - 5),
                                      QPoint(L - E, T + H / 2 - 2)};
    const bool Sizable = Entry.Mode == dmSingle && (Locks & dlNoResize) == 0;
    for (std::size_t I = 0; I < GrabHandles.size(); ++I) {
        TGrabHandle* Handle = Entry.Handles[I];
        if (Handle == nullptr)
            continue;
        const bool Visible =
            Entry.Mode == dmSingle || (Entry.Mode == dmMultiple && GrabHandles[I].Corner());
        if (!Visible) {
            Handle->hide();
            continue;
        }
        Handle->move(At[I]);
        Handle->SetColors(Fill, Border);
        Handle->setCursor(Sizable ? GrabHandles[I].Cursor : Qt::ArrowCursor);
        Handle->raise();
        Handle->show();
    }
}

void TDesigner::SetHandlesShown(bool Value) {
    if (FHandlesShown == Value)
        return;
    FHandlesShown = Value;
    PlaceHandles();
}

void TDesigner::SetFocused(bool Value) {
    if (FFocused == Value)
        return;
    FFocused = Value;
    PlaceHandles();
    if (Value)
        emit OnFocused();
}

void TDesigner::Modified(TDesignChange Change, bool ByKey) {
    FLastChange = Change;
    FLastChangeByKey = ByKey;
    PlaceHandles();
    emit OnChange();
}
