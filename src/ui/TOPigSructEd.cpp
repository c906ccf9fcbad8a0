#include "ui/TOPigSructEd.h"

#include "notebook/NotebookSchema.h"
#include "tree/TKelPigger.h"

#include <QHeaderView>
#include <QSet>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace quillo {

namespace {

// The guider's view: a click or key always selects the item it lands on (Ctrl+click does not deselect it),
// and a click beside the items keeps the selection, so the panels always show the node the user sees marked.
class TGuiderTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent*) const override
    {
        if (!index.isValid())
            return QItemSelectionModel::NoUpdate;
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
};

class TPigItem : public QTreeWidgetItem {
public:
    explicit TPigItem(TKelPigger& node)
        : Node(&node)
    {
    }

    TKelPigger* Node;
};

} // namespace

TOPigSructEd::TOPigSructEd(QWidget* parent)
    : QFrame(parent)
{
    TV1 = new TGuiderTree(this);
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setColumnCount(1);
    TV1->setHeaderHidden(true);
    TV1->setIndentation(19);
    TV1->setSelectionMode(QAbstractItemView::SingleSelection);
    TV1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TV1->setAllColumnsShowFocus(true);
    // The selection stays as visible as with focus, so the user sees which node the panel shows.
    QPalette palette = TV1->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(
        QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Active, QPalette::HighlightedText));
    TV1->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TV1);
    // A mouse press makes an item current before it selects it, the keyboard selects before it moves the current
    // item: only the selection itself is the same on every road.
    connect(TV1, &QTreeWidget::itemSelectionChanged, this, &TOPigSructEd::SelectionChanged);
}

bool TOPigSructEd::ShowNode(const TKelPigger&) const { return true; }

QString TOPigSructEd::NodeCaption(const TKelPigger& node) const { return QString::fromUtf8(node.Tag()); }

bool TOPigSructEd::NodeIsEmpty(const TKelPigger& node) const { return node.ChildCount() == 0; }

void TOPigSructEd::NodeImage(QTreeWidgetItem&) const { }

void TOPigSructEd::SetRoot(TKelPigger* root)
{
    TV1->clear();
    m_root = root;
    Rebuild();
}

QTreeWidgetItem* TOPigSructEd::NewItem(TKelPigger& node)
{
    auto* item = new TPigItem(node);
    item->setText(0, NodeCaption(node));
    NodeImage(*item);
    return item;
}

void TOPigSructEd::Rebuild()
{
    // Branches the user opened or closed stay so; nodes new to the tree open down to the field and page sets.
    QSet<const TKelPigger*> known;
    QSet<const TKelPigger*> expanded;
    for (QTreeWidgetItemIterator it(TV1); *it; ++it) {
        known.insert(NodeOf(*it));
        if ((*it)->isExpanded())
            expanded.insert(NodeOf(*it));
    }
    TV1->clear();
    if (!m_root)
        return;
    QTreeWidgetItem* rootItem = NewItem(*m_root);
    TV1->addTopLevelItem(rootItem);
    AddShownChildren(*rootItem, *m_root);
    for (QTreeWidgetItemIterator it(TV1); *it; ++it) {
        const TKelPigger* node = NodeOf(*it);
        const bool opensFresh = (*it)->parent() == nullptr || (*it)->parent()->parent() == nullptr;
        (*it)->setExpanded(known.contains(node) ? expanded.contains(node) : opensFresh);
    }
}

void TOPigSructEd::AddShownChildren(QTreeWidgetItem& item, TKelPigger& node)
{
    if (NodeIsEmpty(node))
        qDeleteAll(item.takeChildren());
    for (int i = 0; i < node.ChildCount(); ++i) {
        TKelPigger& child = *node.Child(i);
        if (!ShowNode(child))
            continue;
        QTreeWidgetItem* childItem = NewItem(child);
        item.addChild(childItem);
        if (child.ChildCount() > 0)
            AddShownChildren(*childItem, child);
    }
}

TKelPigger* TOPigSructEd::NodeOf(const QTreeWidgetItem* item)
{
    const auto* pigItem = dynamic_cast<const TPigItem*>(item);
    return pigItem ? pigItem->Node : nullptr;
}

TKelPigger* TOPigSructEd::SelectedNode() const
{
    const QList<QTreeWidgetItem*> selected = TV1->selectedItems();
    return selected.isEmpty() ? nullptr : NodeOf(selected.constFirst());
}

QTreeWidgetItem* TOPigSructEd::ItemOf(const TKelPigger* node) const
{
    if (!node)
        return nullptr;
    for (QTreeWidgetItemIterator it(TV1); *it; ++it)
        if (NodeOf(*it) == node)
            return *it;
    return nullptr;
}

void TOPigSructEd::Select(const TKelPigger* node)
{
    QTreeWidgetItem* item = ItemOf(node);
    if (!item) {
        // Clearing both the current item and the selection must report one change, not two.
        {
            const QSignalBlocker blocker(TV1);
            TV1->setCurrentItem(nullptr);
            TV1->clearSelection();
        }
        emit SelectionChanged();
        return;
    }
    TV1->setCurrentItem(item);
    item->setSelected(true);
    TV1->scrollToItem(item);
}

void TOPigSructEd::SelectFirst() { Select(NodeOf(TV1->topLevelItem(0))); }

TKelPigger* TOPigSructEd::AddChild(QTreeWidgetItem* parentItem)
{
    TKelPigger* parentNode = NodeOf(parentItem);
    if (!parentNode)
        return nullptr;
    auto* node = new TKelPigger(parentNode);
    node->SetTag("THEPIG");
    parentItem->addChild(NewItem(*node));
    return node;
}

void TOPigSructEd::DeleteItem(QTreeWidgetItem* item)
{
    TKelPigger* node = NodeOf(item);
    if (!node)
        return;
    delete item;
    delete node;
}

void TOPigSructEd::RefreshItem(QTreeWidgetItem& item)
{
    if (TKelPigger* node = NodeOf(&item)) {
        item.setText(0, NodeCaption(*node));
        NodeImage(item);
    }
}

void TOPigSructEd::RefreshSelected()
{
    if (QTreeWidgetItem* item = ItemOf(SelectedNode()))
        RefreshItem(*item);
}

void TOPigSructEd::InsertBefore(QTreeWidgetItem* moving, QTreeWidgetItem* anchor)
{
    QTreeWidgetItem* parent = moving->parent();
    if (!parent || parent != anchor->parent() || moving == anchor)
        return;
    const bool expanded = moving->isExpanded();
    parent->takeChild(parent->indexOfChild(moving));
    parent->insertChild(parent->indexOfChild(anchor), moving);
    moving->setExpanded(expanded);
}

void TOPigSructEd::MoveItem(QTreeWidgetItem* item, QTreeWidgetItem* other, bool upwards)
{
    if (!item || !other)
        return;
    // Taking an item out moves the current item; the user's selection must not change.
    QTreeWidgetItem* current = TV1->currentItem();
    const bool selected = current && current->isSelected();
    {
        const QSignalBlocker blocker(TV1);
        InsertBefore(item, other);
        if (!upwards)
            InsertBefore(other, item);
        TV1->setCurrentItem(current);
        if (current)
            current->setSelected(selected);
    }
}

namespace {

bool IsAncestorOf(const TKelPigger* ancestor, const TKelPigger* node)
{
    for (; node; node = node->Parent())
        if (node == ancestor)
            return true;
    return false;
}

} // namespace

bool TOPigSructEd::SwapNodes(TKelPigger* a, TKelPigger* b)
{
    // Loading one node replaces its subtree, which would free the other if it lay inside.
    if (!a || !b || (a != b && (IsAncestorOf(a, b) || IsAncestorOf(b, a))))
        return false;
    const QByteArray textA = a->SaveToText();
    const QByteArray textB = b->SaveToText();
    a->LoadFromText(textB);
    b->LoadFromText(textA);
    return true;
}

TKelPigger* TOPigSructEd::CurrentNotebookOf() const { return NotebookSchema::NotebookOf(SelectedNode()); }

} // namespace quillo
