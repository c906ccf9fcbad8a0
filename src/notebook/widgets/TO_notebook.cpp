#include "notebook/widgets/TO_notebook.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookEdits.h"
#include "notebook/NotebookSchema.h"
#include "notebook/TEditHistory.h"
#include "shell/IGuider.h"
#include "shell/IMainWindow.h"
#include "tree/TKelPigger.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillo {

TO_notebook::TO_notebook(IMainWindow& main, QWidget* parent)
    : QFrame(parent)
    , m_main(main)
{
    Edit_nb_name = new QLineEdit(this);
    Edit_nb_name->setObjectName(QStringLiteral("Edit_nb_name"));
    Memo_nb_dsc = new QPlainTextEdit(this);
    Memo_nb_dsc->setObjectName(QStringLiteral("Memo_nb_dsc"));
    Memo_nb_dsc->setTabChangesFocus(true);
    RG_tab_position = new QGroupBox(QStringLiteral("Page tab position"), this);
    RG_tab_position->setObjectName(QStringLiteral("RG_tab_position"));
    RB_top = new QRadioButton(QStringLiteral("Top"), RG_tab_position);
    RB_top->setObjectName(QStringLiteral("RB_top"));
    RB_right = new QRadioButton(QStringLiteral("Right"), RG_tab_position);
    RB_right->setObjectName(QStringLiteral("RB_right"));
    auto* tabLayout = new QHBoxLayout(RG_tab_position);
    tabLayout->addWidget(RB_top);
    tabLayout->addWidget(RB_right);
    tabLayout->addStretch();
    SE_rpp = new QSpinBox(this);
    SE_rpp->setObjectName(QStringLiteral("SE_rpp"));
    SE_rpp->setRange(1, 500);

    Btn_new_notebook = new QPushButton(QStringLiteral("&New..."), this);
    Btn_new_notebook->setObjectName(QStringLiteral("Btn_new_notebook"));
    Btn_delete_notebook = new QPushButton(QStringLiteral("&Delete"), this);
    Btn_delete_notebook->setObjectName(QStringLiteral("Btn_delete_notebook"));
    Btn_apply = new QPushButton(QStringLiteral("&Apply"), this);
    Btn_apply->setObjectName(QStringLiteral("Btn_apply"));
    btn_reminder = new QPushButton(QStringLiteral("Birthday Reminder"), this);
    btn_reminder->setObjectName(QStringLiteral("btn_reminder"));
    Btn_print_notebook = new QPushButton(QStringLiteral("Print notebook..."), this);
    Btn_print_notebook->setObjectName(QStringLiteral("Btn_print_notebook"));
    Label_hint = new QLabel(
        QStringLiteral("Select a notebook in the guider on the left to see and change it, or press New... to add one."),
        this);
    Label_hint->setObjectName(QStringLiteral("Label_hint"));
    Label_hint->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Notebook name :"), Edit_nb_name);
    form->addRow(QStringLiteral("Description:"), Memo_nb_dsc);
    form->addRow(RG_tab_position);
    form->addRow(QStringLiteral("Max. records per page:"), SE_rpp);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btn_new_notebook);
    buttons->addWidget(Btn_delete_notebook);
    buttons->addWidget(btn_reminder);
    buttons->addWidget(Btn_print_notebook);
    buttons->addStretch();
    buttons->addWidget(Btn_apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_hint);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);

    connect(Edit_nb_name, &QLineEdit::textChanged, this, &TO_notebook::Edited);
    connect(Memo_nb_dsc, &QPlainTextEdit::textChanged, this, &TO_notebook::Edited);
    connect(RB_right, &QRadioButton::toggled, this, &TO_notebook::Edited);
    connect(SE_rpp, &QSpinBox::valueChanged, this, &TO_notebook::Edited);
    connect(Edit_nb_name, &QLineEdit::returnPressed, Btn_apply, &QPushButton::click);
    connect(Btn_apply, &QPushButton::clicked, this, &TO_notebook::Apply);
    connect(Btn_new_notebook, &QPushButton::clicked, this, &TO_notebook::NewNotebook);
    connect(Btn_delete_notebook, &QPushButton::clicked, this, &TO_notebook::DeleteNotebook);
    connect(Btn_print_notebook, &QPushButton::clicked, this, &TO_notebook::PrintNotebookWanted);
    connect(btn_reminder, &QPushButton::clicked, this, [this] { m_main.EditReminderSettings(m_notebook); });
    Load(nullptr);
}

void TO_notebook::Load(TKelPigger* notebook)
{
    const QScopedValueRollback loading(m_loading, true);
    m_notebook = notebook;
    const TNotebookProps props = notebook ? TNotebookProps::Read(*notebook) : TNotebookProps();
    Edit_nb_name->setText(props.name);
    Memo_nb_dsc->setPlainText(props.description);
    (props.rightTabs ? RB_right : RB_top)->setChecked(true);
    SE_rpp->setValue(notebook ? props.rpp : NotebookSchema::DefaultRpp);
    for (QWidget* control : std::initializer_list<QWidget*> { Edit_nb_name, Memo_nb_dsc, RG_tab_position, SE_rpp,
             Btn_delete_notebook, btn_reminder, Btn_print_notebook })
        control->setEnabled(notebook != nullptr);
    Label_hint->setVisible(notebook == nullptr);
    Btn_apply->setEnabled(false);
    emit PendingEditsChanged();
}

void TO_notebook::Edited()
{
    if (m_loading || !m_notebook || Btn_apply->isEnabled())
        return;
    Btn_apply->setEnabled(true);
    emit PendingEditsChanged();
}

bool TO_notebook::HasPendingEdits() const { return m_notebook && Btn_apply->isEnabled(); }

bool TO_notebook::ApplyPending()
{
    if (!HasPendingEdits())
        return false;
    Apply();
    return true;
}

void TO_notebook::Apply()
{
    Btn_apply->setEnabled(false);
    emit PendingEditsChanged();
    TKelPigger* notebook = m_notebook;
    if (!notebook)
        return;
    TEditStep step(m_main.History(), QStringLiteral("Change notebook"), *notebook);
    TNotebookProps props;
    props.name = Edit_nb_name->text();
    props.description = Memo_nb_dsc->toPlainText();
    props.rightTabs = RB_right->isChecked();
    props.rpp = SE_rpp->value();
    props.Apply(*notebook);
    m_main.StructureChanged();
    IGuider& guider = m_main.Guider();
    if (QTreeWidgetItem* item = guider.ItemOf(notebook))
        guider.RefreshItem(*item);
    m_main.SetChanged(true);
}

void TO_notebook::NewNotebook()
{
    if (m_document)
        m_main.NewNotebook();
}

void TO_notebook::DeleteNotebook()
{
    TKelPigger* notebook = m_notebook;
    if (!notebook)
        return;
    const QString refusal = NotebookEdits::NotebookDeletionRefusal(m_main.Document(), *notebook);
    if (!refusal.isEmpty()) {
        m_main.Prompts().Msg(refusal);
        return;
    }
    const QString question
        = QStringLiteral("The notebook \"%1\" will be deleted. All the information will be lost. Continue?")
              .arg(notebook->GetAttr(QStringLiteral("NAME")));
    if (!m_main.Prompts().SureChecked(question))
        return;
    m_main.DeleteNotebook(*notebook);
    Load(nullptr);
}

} // namespace quillo
