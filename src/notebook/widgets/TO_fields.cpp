#include "notebook/widgets/TO_fields.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookEdits.h"
#include "notebook/NotebookSchema.h"
#include "notebook/TEditHistory.h"
#include "shell/IGuider.h"
#include "shell/IMainWindow.h"
#include "tree/TKelPigger.h"

#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>

namespace quillo {

namespace {

const QString Name = QStringLiteral("NAME");
const QString OldName = QStringLiteral("OLD_NAME");

} // namespace

TO_fields::TO_fields(IMainWindow& main, QWidget* parent)
    : TO_list(main, QStringLiteral("field"), parent)
{
    Btn_new_field = new QPushButton(QStringLiteral("&New..."), this);
    Btn_new_field->setObjectName(QStringLiteral("Btn_new_field"));
    Btn_delete_field = new QPushButton(QStringLiteral("&Delete"), this);
    Btn_delete_field->setObjectName(QStringLiteral("Btn_delete_field"));
    AddButton(Btn_new_field);
    AddButton(Btn_delete_field);
    AddButton(Btn_change);
    connect(Btn_new_field, &QPushButton::clicked, this, &TO_fields::NewField);
    connect(Btn_delete_field, &QPushButton::clicked, this, &TO_fields::DeleteField);
    connect(Btn_change, &QPushButton::clicked, this, &TO_fields::ChangeField);
    OnDeleteKey(Btn_delete_field);
    UpdateButtons();
}

void TO_fields::UpdateButtons()
{
    TO_list::UpdateButtons();
    const bool editable = SelectedNode() != nullptr && LB1->count() > 1;
    Btn_delete_field->setEnabled(editable);
    Btn_change->setEnabled(editable);
    Btn_new_field->setEnabled(List() != nullptr);
}

void TO_fields::NewField()
{
    TKelPigger* fields = List();
    if (!fields)
        return;
    QString text = QStringLiteral("THE_FIELD");
    if (!m_main.Prompts().InputQuery(
            QStringLiteral("New field creation"), QStringLiteral("Name of the new field"), text))
        return;
    if (TKelPigger* field = m_main.AddField(text)) {
        Bind(fields);
        SelectNode(field);
    }
}

void TO_fields::DeleteField()
{
    TKelPigger* fields = List();
    TKelPigger* field = SelectedNode();
    // The last field stays: a notebook always has one.
    if (!field || fields->ChildCount() < 2)
        return;
    const QString name = field->GetAttr(Name);
    const QString question
        = QStringLiteral("Are you sure you really want to delete the field \"%1\" and all the ingormation the field "
                         "contains?")
              .arg(name);
    if (!m_main.Prompts().SureChecked(question))
        return;
    m_main.ReleaseRecordGrid();
    // The values go with the field: the step holds the whole notebook.
    TKelPigger* notebook = NotebookSchema::NotebookOf(fields);
    TEditStep step(m_main.History(), QStringLiteral("Delete field"), notebook ? *notebook : *fields);
    if (notebook) {
        NotebookEdits::RemoveFieldValues(*notebook, name,
            [this](TKelPigger& start, const TNodeVisitor& visit) { m_main.WalkDocument(start, visit); });
    }
    IGuider& guider = m_main.Guider();
    if (QTreeWidgetItem* item = guider.ItemOf(field))
        guider.DeleteItem(item);
    else
        delete field;
    m_main.StructureChanged();
    m_main.ShowFieldList();
    Bind(fields);
}

void TO_fields::ChangeField()
{
    TKelPigger* fields = List();
    TKelPigger* field = SelectedNode();
    if (!field || !m_editor)
        return;
    TFieldProps props = TFieldProps::Read(*field);
    bool titleEdited = false;
    if (!m_editor->Execute(props, titleEdited))
        return;
    // A rename reaches every record of the notebook.
    TKelPigger* notebook = NotebookSchema::NotebookOf(fields);
    TEditStep step(m_main.History(), QStringLiteral("Change field"), notebook ? *notebook : *fields);
    const QString newName = NotebookSchema::SanitizeName(props.name);
    // The feature is kept even when the name is refused below.
    if (field->GetAttr(QStringLiteral("FEATURE")) != props.feature) {
        field->SetAttr(QStringLiteral("FEATURE"), props.feature);
        m_main.SetChanged(true);
    }
    if (newName.isEmpty()) {
        m_main.Prompts().Msg(NotebookEdits::EmptyFieldNameMessage());
        return;
    }
    TKelPigger* holder = fields->FindChildByAttr(Name, newName);
    if (holder && holder != field) {
        m_main.Prompts().Msg(NotebookEdits::FieldExistsMessage(newName));
        return;
    }
    field->SetAttr(QStringLiteral("WIDTH"), QString::number(props.width));
    m_main.StructureChanged();
    m_main.ShowFieldList();
    // A name that differs only in letter case finds the field itself and is left as it was.
    if (!holder)
        RenameField(*field, newName);
    field->SetAttr(QStringLiteral("TITLE"), props.title.trimmed());
    IGuider& guider = m_main.Guider();
    if (QTreeWidgetItem* item = guider.ItemOf(field))
        guider.RefreshItem(*item);
    if (titleEdited)
        guider.Select(field);
    m_main.StructureChanged();
    Bind(fields);
    SelectNode(field);
}

void TO_fields::RenameField(TKelPigger& field, const QString& newName)
{
    IGuider& guider = m_main.Guider();
    guider.Select(&field);
    const QString oldName = field.GetAttr(Name);
    field.SetAttr(OldName, oldName);
    field.SetAttr(Name, newName);
    guider.RefreshSelected();
    {
        // OLD_NAME marks a rename in progress only; it never stays in the document.
        const auto clearMark = qScopeGuard([&field] { field.DeleteAttr(OldName); });
        if (TKelPigger* notebook = NotebookSchema::NotebookOf(&field)) {
            NotebookEdits::MoveFieldValues(*notebook, oldName, newName,
                [this](TKelPigger& start, const TNodeVisitor& visit) { m_main.WalkDocument(start, visit); });
        }
    }
    m_main.StructureChanged();
    m_main.ShowFieldList();
}

} // namespace quillo
