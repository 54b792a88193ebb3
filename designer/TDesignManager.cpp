#include "designer/TDesignManager.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "designer/TDesigner.h"

#include <algorithm>
#include <string>

TDesignManager::TDesignManager(QObject* Parent) : QObject(Parent) {}

void TDesignManager::AddDesigner(TDesigner* Designer) {
    if (Designer == nullptr)
        return;
    if (std::find(FDesigners.begin(), FDesigners.end(), Designer) != FDesigners.end())
        Raise(Msg::DuplicateDesigner, {Designer->objectName().toStdString()});
    FDesigners.emplace_back(Designer);
    // Connected before the main window's handlers are, the manager hears of every change first.
    connect(Designer, &TDesigner::OnChangeSelection, this, [this, Designer] {
        if (Designer == FCurrent) {
            CopySelection();
            emit OnChangeSelection();
        }
    });
    connect(Designer, &TDesigner::OnChange, this, [this, Designer] {
        if (Designer == FCurrent)
            emit OnChange();
    });
    connect(Designer, &TDesigner::OnActiveChange, this, [this, Designer] {
        if (Designer == FCurrent && !Designer->Active()) {
            FCurrent = nullptr;
            FSelection.clear();
            emit OnCurrentDesignerChange();
        }
    });
    connect(Designer, &TDesigner::OnFocused, this, [this, Designer] {
        if (FAutoCurrentDesigner && Designer != FCurrent && Designer->Active())
            SetCurrentDesigner(Designer);
    });
}

TDesigner* TDesignManager::Designers(int Index) const {
    if (Index < 0 || Index >= DesignerCount())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    return FDesigners[static_cast<std::size_t>(Index)];
}

void TDesignManager::SetCurrentDesigner(TDesigner* Value) {
    if (Value != nullptr && !Value->Active())
        Raise(Msg::CurrentDesignerMustBeActive);
    FCurrent = Value;
    CopySelection();
    emit OnCurrentDesignerChange();
}

void TDesignManager::CopySelection() {
    FSelection.clear();
    TDesigner* Current = FCurrent;
    if (Current == nullptr)
        return;
    const TDesignerSelectedComponents& Selected = Current->SelectedComponents();
    for (int I = 0; I < Selected.Count(); ++I) {
        QObject* Component = Selected.Items(I);
        if (!(FExcludeDesignControl && Component == Current->DesignControl()))
            FSelection.push_back(Component);
    }
}
