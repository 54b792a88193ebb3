#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class TDesigner;

// Tracks which designer is current and keeps a copy of its selection.
class TDesignManager : public QObject {
    Q_OBJECT
public:
    explicit TDesignManager(QObject* Parent = nullptr);

    // Adds a designer to Designers; one the manager already holds is refused.
    void AddDesigner(TDesigner* Designer);
    int DesignerCount() const { return static_cast<int>(FDesigners.size()); }
    TDesigner* Designers(int Index) const;

    TDesigner* CurrentDesigner() const { return FCurrent; }
    // Only an active designer can become current.
    void SetCurrentDesigner(TDesigner* Value);
    bool AutoCurrentDesigner() const { return FAutoCurrentDesigner; }
    void SetAutoCurrentDesigner(bool Value) { FAutoCurrentDesigner = Value; }
    bool ExcludeDesignControl() const { return FExcludeDesignControl; }
    void SetExcludeDesignControl(bool Value) { FExcludeDesignControl = Value; }
    const std::vector<QObject*>& Selection() const { return FSelection; }

signals:
    void OnChangeSelection();
    void OnCurrentDesignerChange();
    void OnChange();

private:
    void CopySelection();

    std::vector<QPointer<TDesigner>> FDesigners;
    QPointer<TDesigner> FCurrent;
    std::vector<QObject*> FSelection;
    bool FAutoCurrentDesigner = true;
    bool FExcludeDesignControl = false;
};
