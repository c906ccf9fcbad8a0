#include "notebook/NotebookEdits.h"

#include "notebook/NotebookSchema.h"

#include <vector>

namespace quillo {

namespace {

const QString Name = QStringLiteral("NAME");
const QString BirthdayField = QStringLiteral("BDF");

// Field names match ignoring case, as records store them upper-cased.
bool NamesField(const TKelPigger& notebook, const QString& attribute, const QString& fieldName)
{
    return notebook.GetAttr(attribute).compare(fieldName, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace NotebookEdits {

void WalkTree(TKelPigger& start, const TNodeVisitor& visit, const std::function<void()>& beforeEach)
{
    // Iterative: documents may nest deeper than the stack allows recursion.
    std::vector<TKelPigger*> pending { &start };
    while (!pending.empty()) {
        TKelPigger* node = pending.back();
        pending.pop_back();
        if (beforeEach)
            beforeEach();
        visit(*node);
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            pending.push_back(node->Child(i));
    }
}

QStringList ChildNames(const TKelPigger& list)
{
    QStringList names;
    names.reserve(list.ChildCount());
    for (int i = 0; i < list.ChildCount(); ++i)
        names.append(list.Child(i)->GetAttr(Name));
    return names;
}

QString PageExistsMessage(const QString& name) { return QStringLiteral("Page \"%1\" already exists").arg(name); }

QString FieldExistsMessage(const QString& name) { return QStringLiteral("Field \"%1\" already exists").arg(name); }

QString EmptyFieldNameMessage() { return QStringLiteral("A field must have a name"); }

QString NewFieldName(const TKelPigger& fields, const QString& typed, QString& refusal)
{
    const QString name = NotebookSchema::SanitizeName(typed);
    // Records keep values under the field's name; a nameless field would write an unreadable file.
    refusal = name.isEmpty()                            ? EmptyFieldNameMessage()
        : fields.FindChildByAttr(Name, name) != nullptr ? FieldExistsMessage(name)
                                                        : QString();
    return refusal.isEmpty() ? name : QString();
}

QString NewPageName(const TKelPigger& pages, const QString& typed, QString& refusal)
{
    const QString name = NotebookSchema::SanitizeName(typed);
    refusal = pages.FindChildByAttr(Name, name) ? PageExistsMessage(name) : QString();
    return refusal.isEmpty() ? name : QString();
}

void MoveFieldValues(TKelPigger& notebook, const QString& oldName, const QString& newName, const TWalker& walk)
{
    walk(notebook, [&](TKelPigger& node) {
        if (node.Tag() != "REC")
            return;
        const QString value = node.GetAttr(oldName);
        node.SetAttr(newName, value);
        node.DeleteAttr(oldName);
    });
    if (NamesField(notebook, BirthdayField, oldName))
        notebook.SetAttr(BirthdayField, newName);
}

void RemoveFieldValues(TKelPigger& notebook, const QString& name, const TWalker& walk)
{
    walk(notebook, [&](TKelPigger& node) {
        if (node.Tag() == "REC")
            node.DeleteAttr(name);
    });
    if (NamesField(notebook, BirthdayField, name))
        notebook.DeleteAttr(BirthdayField);
}

QString NotebookDeletionRefusal(const TKelPigger& root, const TKelPigger& notebook)
{
    for (int i = 0; i < root.ChildCount(); ++i) {
        const TKelPigger& other = *root.Child(i);
        if (&other == &notebook || other.Tag() != "NOTEBOOK")
            continue;
        // The opening check looks at the first notebook only, so the next one decides.
        return NotebookSchema::NotebookFault(other).isEmpty()
            ? QString()
            : QStringLiteral("The notebook \"%1\" cannot be deleted: the notebook after it would come first and "
                             "it has no field or no page, so the file could not be opened again.")
                  .arg(notebook.GetAttr(Name));
    }
    return QStringLiteral("The notebook \"%1\" is the last one of this file and cannot be deleted: a notebook file "
                          "holds at least one notebook.")
        .arg(notebook.GetAttr(Name));
}

int MoveChildStep(TKelPigger& list, TKelPigger& child, bool up)
{
    const int index = list.IndexOfChild(&child);
    const int target = up ? index - 1 : index + 1;
    if (index < 0 || target < 0 || target >= list.ChildCount())
        return -1;
    list.MoveChild(index, target);
    return target;
}

} // namespace NotebookEdits

TNotebookProps TNotebookProps::Read(const TKelPigger& notebook)
{
    TNotebookProps props;
    props.name = notebook.GetAttr(Name);
    props.description = QString::fromUtf8(notebook.Text());
    props.rightTabs = notebook.GetAttr(QStringLiteral("RIGHT_TAB_POSITION")) == QLatin1String("Y");
    props.rpp = NotebookSchema::Rpp(notebook);
    return props;
}

void TNotebookProps::Apply(TKelPigger& notebook) const
{
    notebook.SetAttr(Name, name);
    notebook.SetAttr(QStringLiteral("RIGHT_TAB_POSITION"), rightTabs ? QStringLiteral("Y") : QString());
    notebook.SetAttr(QStringLiteral("RPP"), QString::number(rpp));
    notebook.SetText(description.toUtf8());
}

TFieldProps TFieldProps::Read(const TKelPigger& field)
{
    TFieldProps props;
    props.name = field.GetAttr(Name);
    props.title = field.GetAttr(QStringLiteral("TITLE"));
    const QString width = field.GetAttr(QStringLiteral("WIDTH"));
    bool ok = true;
    props.width = width.isEmpty() ? 100 : width.trimmed().toInt(&ok);
    if (!ok)
        props.width = 100;
    props.width = qBound(0, props.width, NotebookSchema::MaxFieldWidth);
    props.feature = field.GetAttr(QStringLiteral("FEATURE"));
    return props;
}

} // namespace quillo
