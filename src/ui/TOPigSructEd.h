#pragma once

#include "shell/IGuider.h"

#include <QFrame>

class QTreeWidget;
class QTreeWidgetItem;

namespace quillo {

class TKelPigger;

// A tree view that mirrors a document: one item per shown node, each item pointing to its node.
// Items never own nodes; after a change of structure the caller rebuilds or refreshes.
class TOPigSructEd : public QFrame, public IGuider {
    Q_OBJECT

public:
    explicit TOPigSructEd(QWidget* parent = nullptr);

    QTreeWidget* TV1 = nullptr;

    virtual bool ShowNode(const TKelPigger& node) const;
    virtual QString NodeCaption(const TKelPigger& node) const;
    virtual bool NodeIsEmpty(const TKelPigger& node) const;
    virtual void NodeImage(QTreeWidgetItem& item) const;

    void SetRoot(TKelPigger* root);
    TKelPigger* Root() const { return m_root; }
    void Rebuild();

    static TKelPigger* NodeOf(const QTreeWidgetItem* item);
    TKelPigger* SelectedNode() const;
    QTreeWidgetItem* ItemOf(const TKelPigger* node) const override;
    void Select(const TKelPigger* node) override;
    void SelectFirst();

    // Creates an empty node (tag THEPIG) as the last child of the item's node, with its item.
    TKelPigger* AddChild(QTreeWidgetItem* parentItem);
    void DeleteItem(QTreeWidgetItem* item) override;
    void RefreshSelected() override;
    void RefreshItem(QTreeWidgetItem& item) override;
    void MoveItem(QTreeWidgetItem* item, QTreeWidgetItem* other, bool upwards) override;
    // Exchanges the whole content of two nodes through their text form; false when either is missing or
    // one lies inside the other.
    static bool SwapNodes(TKelPigger* a, TKelPigger* b);
    // The NOTEBOOK the selected node belongs to (or is), or nullptr.
    TKelPigger* CurrentNotebookOf() const;

signals:
    void SelectionChanged();

private:
    QTreeWidgetItem* NewItem(TKelPigger& node);
    void AddShownChildren(QTreeWidgetItem& item, TKelPigger& node);
    void InsertBefore(QTreeWidgetItem* moving, QTreeWidgetItem* anchor);

    TKelPigger* m_root = nullptr;
};

} // namespace quillo
