#pragma once

#include "tree/TKelPigger.h"

#include <QStringList>

#include <functional>

namespace quillo {

using TNodeVisitor = std::function<void(TKelPigger& node)>;
// A pre-order walk from a start node; the main window's walk lets pending events run between nodes.
using TWalker = std::function<void(TKelPigger& start, const TNodeVisitor& visit)>;

// Edits of notebook structure that keep the records in step. No widgets here: the panels ask
// the questions and mirror the results in the guider.
namespace NotebookEdits {

// Calls visit for start and then every descendant in child order, depth first. beforeEach runs
// before every node. The visitor may change attributes, not the shape of the tree.
void WalkTree(TKelPigger& start, const TNodeVisitor& visit, const std::function<void()>& beforeEach = {});

// NAME of every child, in child order.
QStringList ChildNames(const TKelPigger& list);

QString PageExistsMessage(const QString& name);
QString FieldExistsMessage(const QString& name);
QString EmptyFieldNameMessage();

// The name a new field or page takes from what the user typed (the name rule applied), or an empty
// string with refusal saying why none can be added: the name is empty (fields) or taken.
QString NewFieldName(const TKelPigger& fields, const QString& typed, QString& refusal);
QString NewPageName(const TKelPigger& pages, const QString& typed, QString& refusal);

// Moves every record's value from oldName to newName in the records below notebook; the notebook's own
// references to the field (the birthday field BDF) follow.
void MoveFieldValues(TKelPigger& notebook, const QString& oldName, const QString& newName, const TWalker& walk);
// Removes the value stored under name from every record below notebook, and the notebook's references to it.
void RemoveFieldValues(TKelPigger& notebook, const QString& name, const TWalker& walk);

// Whether notebook may go from root: what stays must still pass the opening check, or the file could not be
// opened again. The message says why not; empty when it may.
QString NotebookDeletionRefusal(const TKelPigger& root, const TKelPigger& notebook);

// Moves child one place up or down among its siblings; returns its new index, or -1 when it
// is already at that end.
int MoveChildStep(TKelPigger& list, TKelPigger& child, bool up);

} // namespace NotebookEdits

// What the notebook panel edits.
struct TNotebookProps {
    QString name;
    QString description;
    bool rightTabs = false;
    int rpp = 10;

    static TNotebookProps Read(const TKelPigger& notebook);
    void Apply(TKelPigger& notebook) const;
};

// What the field properties dialog edits.
struct TFieldProps {
    QString name;
    QString title;
    // 0 to NotebookSchema::MaxFieldWidth; a stored width beyond that reads as the nearest end.
    int width = 100;
    // One of the feature texts, empty for none; any other stored value is carried unchanged.
    QString feature;

    static TFieldProps Read(const TKelPigger& field);
};

// The field properties dialog as the field list uses it.
class IFieldPropsEditor {
public:
    virtual ~IFieldPropsEditor() = default;
    // Shows props; on "OK" stores the answer in props and whether the title was typed in.
    virtual bool Execute(TFieldProps& props, bool& titleEdited) = 0;
};

} // namespace quillo
