#include "designer/TDesigner.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "designer/TDesignPanel.h"

#include <algorithm>
#include <string>

int TDesignerSelectedComponents::Count() const {
    return FOwner.FActive ? static_cast<int>(FOwner.FSelection.size()) : 0;
}

QObject* TDesignerSelectedComponents::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    return FOwner.FSelection[static_cast<std::size_t>(Index)];
}

TDesigner::TDesigner(QObject* Parent) : QObject(Parent) {}

TDesigner::~TDesigner() {
    QObject::disconnect(FControlWatch);
    for (QObject* Component : FSelection)
        QObject::disconnect(Component, nullptr, this, nullptr);
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
    Panel->Host(Control);
    FActive = true;
    AddToSelection(Control);
    emit OnChangeSelection();
}

void TDesigner::Deactivate() {
    if (!FSelection.empty()) {
        for (QObject* Component : FSelection)
            QObject::disconnect(Component, nullptr, this, nullptr);
        FSelection.clear();
        emit OnChangeSelection();
    }
    if (FDesignPanel != nullptr && FDesignControl != nullptr &&
        FDesignPanel->Hosted() == FDesignControl)
        FDesignPanel->Unhost();
    FActive = false;
}

bool TDesigner::AddToSelection(QObject* Component) {
    if (std::find(FSelection.begin(), FSelection.end(), Component) != FSelection.end())
        return false;
    FSelection.push_back(Component);
    // A destroyed component leaves the selection at once, whoever destroys it.
    connect(Component, &QObject::destroyed, this, &TDesigner::ComponentDestroyed);
    return true;
}

void TDesigner::ComponentDestroyed(QObject* Component) {
    const auto It = std::find(FSelection.begin(), FSelection.end(), Component);
    if (It == FSelection.end())
        return;
    FSelection.erase(It);
    emit OnChangeSelection();
}

void TDesigner::DesignControlDestroyed() {
    // A control being destroyed is not handed back; it leaves its panel by itself.
    FDesignControl = nullptr;
    if (FActive)
        Deactivate();
}

void TDesigner::SelectAll() {
    if (!FActive)
        Raise(Msg::DesignerMustBeActive);
    QWidget* Control = FDesignControl;
    if (Control == nullptr)
        return;
    bool Added = false;
    for (QObject* Child : Control->children())
        if (Child->inherits("TPrintable"))
            Added = AddToSelection(Child) || Added;
    if (Added)
        emit OnChangeSelection();
}
