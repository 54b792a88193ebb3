#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class TDesignPanel;
class TDesigner;

// Read-only view of the designer's selection; item 0 is the first component selected.
class TDesignerSelectedComponents {
public:
    explicit TDesignerSelectedComponents(const TDesigner& Owner) : FOwner(Owner) {}
    int Count() const;
    QObject* Items(int Index) const;

private:
    const TDesigner& FOwner;
};

// Makes a page editable on a design panel and keeps the ordered selection of its components.
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

    // Adds every printable component of the design control, keeping what is selected.
    void SelectAll();
    const TDesignerSelectedComponents& SelectedComponents() const { return FSelectedView; }

signals:
    void OnChange();
    void OnChangeSelection();

private:
    friend class TDesignerSelectedComponents;

    void Activate();
    void Deactivate();
    bool AddToSelection(QObject* Component);
    void ComponentDestroyed(QObject* Component);
    void DesignControlDestroyed();

    QPointer<TDesignPanel> FDesignPanel;
    QPointer<QWidget> FDesignControl;
    QMetaObject::Connection FControlWatch;
    bool FActive = false;
    std::vector<QObject*> FSelection;
    TDesignerSelectedComponents FSelectedView{*this};
};
