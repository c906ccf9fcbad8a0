#pragma once

class QTreeWidgetItem;

namespace quillo {

class TKelPigger;

// What the panels change in the guider after they change the document's structure. Items never own
// their nodes.
class IGuider {
public:
    virtual ~IGuider() = default;

    // The item showing the node, or nullptr when the node is not shown.
    virtual QTreeWidgetItem* ItemOf(const TKelPigger* node) const = 0;
    virtual void Select(const TKelPigger* node) = 0;
    virtual void RefreshSelected() = 0;
    virtual void RefreshItem(QTreeWidgetItem& item) = 0;
    // Destroys the item and then its node.
    virtual void DeleteItem(QTreeWidgetItem* item) = 0;
    // Mirrors a MoveChild of two neighbours: item goes in front of other; moving down, other then goes in
    // front of item.
    virtual void MoveItem(QTreeWidgetItem* item, QTreeWidgetItem* other, bool upwards) = 0;
};

} // namespace quillo
