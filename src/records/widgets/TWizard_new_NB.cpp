#include "records/widgets/TWizard_new_NB.h"

#include "notebook/IPrompts.h"
#include "notebook/ProgramPaths.h"
#include "printing/widgets/TKelFileEdit.h"
#include "printing/widgets/TO_prn_page.h"
#include "records/NewNotebookPlan.h"
#include "tree/EKelError.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quillo {

namespace {

enum Step { NameStep, FieldsStep, PagesStep, TemplateStep };

QLabel* NewLabel(const QString& text, QWidget* parent, QWidget* buddy = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QWidget* NewSheet(const char* name)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(QLatin1String(name));
    return sheet;
}

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QListWidgetItem* AddChecked(QListWidget* list, const QString& text)
{
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    return item;
}

QStringList CheckedItems(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            items.append(list->item(i)->text());
    return items;
}

// Enables add while edit holds more than blanks, and adds on Enter.
void WireCustomEdit(QLineEdit* edit, QPushButton* add)
{
    add->setEnabled(false);
    QObject::connect(
        edit, &QLineEdit::textChanged, add, [=](const QString& text) { add->setEnabled(!text.trimmed().isEmpty()); });
    QObject::connect(edit, &QLineEdit::returnPressed, add, [=] {
        if (add->isEnabled())
            add->click();
    });
}

} // namespace

TWizard_new_NB::TWizard_new_NB(IPrompts& prompts, IFileDialogs& fileDialogs, IDesktop& desktop, QWidget* parent)
    : TWizard(parent)
    , m_prompts(prompts)
    , m_fileDialogs(fileDialogs)
{
    setObjectName(QStringLiteral("TWizard_new_NB"));
    setWindowTitle(QStringLiteral("New notebook"));
    AddStep(NewNameStep());
    AddStep(NewFieldsStep());
    AddStep(NewPagesStep());
    AddStep(NewTemplateStep());
    O_prn_page1->SetServices(&prompts, &fileDialogs, &desktop);
    // Enter belongs to the boxes of the steps; no button of a dialog presses itself on it.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    resize(640, 480);
    UpdateButtons();
    connect(this, &QDialog::finished, this, [this](int result) {
        m_finished = result == QDialog::Accepted;
        if (m_finished)
            Build();
    });
}

QString TWizard_new_NB::CustomFolder() { return ProgramPaths::Resolve(QStringLiteral("..\\custom")); }

QWidget* TWizard_new_NB::NewNameStep()
{
    QWidget* sheet = NewSheet("TabSheet1");
    Edit1 = Named(new QLineEdit(sheet), "Edit1");
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(NewLabel(QStringLiteral("New notebook name:"), sheet, Edit1));
    layout->addWidget(Edit1);
    layout->addStretch(1);
    connect(Edit1, &QLineEdit::textChanged, this, &TWizard_new_NB::UpdateButtons);
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (btnNext->isEnabled())
            btnNext->click();
    });
    return sheet;
}

QWidget* TWizard_new_NB::NewFieldsStep()
{
    QWidget* sheet = NewSheet("TabSheet2");
    CLB_fields = Named(new QListWidget(sheet), "CLB_fields");
    for (const char* name : { "FIRST_NAME", "LAST_NAME", "ADDR", "PHONES", "E-MAIL" })
        AddChecked(CLB_fields, QLatin1String(name))->setCheckState(Qt::Unchecked);
    Edit_custom_field = Named(new QLineEdit(sheet), "Edit_custom_field");
    SB_add_custom_fld = Named(new QPushButton(QStringLiteral("Add custom field"), sheet), "SB_add_custom_fld");
    SB_custom_fld_set = Named(new QPushButton(QStringLiteral("Custom fieldsets"), sheet), "SB_custom_fld_set");
    WireCustomEdit(Edit_custom_field, SB_add_custom_fld);

    auto* layout = new QGridLayout(sheet);
    layout->addWidget(NewLabel(QStringLiteral("Check the fields the notebook needs, load a custom field set or add a "
                                              "custom field. You can change the field set later. Alternative field "
                                              "titles are edited after the notebook is created, with the \"Change\" "
                                              "button of the \"Fields\" page."),
                          sheet),
        0, 0, 1, 2);
    layout->addWidget(NewLabel(QStringLiteral("Field set:"), sheet, CLB_fields), 1, 0, 1, 2);
    layout->addWidget(CLB_fields, 2, 0, 3, 1);
    layout->addWidget(Edit_custom_field, 2, 1);
    layout->addWidget(SB_add_custom_fld, 3, 1);
    layout->addWidget(SB_custom_fld_set, 4, 1, Qt::AlignTop);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);

    connect(SB_add_custom_fld, &QPushButton::clicked, this, [this] { AddCustom(CLB_fields, Edit_custom_field); });
    connect(SB_custom_fld_set, &QPushButton::clicked, this, [this] { LoadSet(CLB_fields, true); });
    return sheet;
}

QWidget* TWizard_new_NB::NewPagesStep()
{
    QWidget* sheet = NewSheet("TabSheet3");
    CLB_pages = Named(new QListWidget(sheet), "CLB_pages");
    Edit_custom_page = Named(new QLineEdit(sheet), "Edit_custom_page");
    SB_add_custom_page = Named(new QPushButton(QStringLiteral("Add custom page"), sheet), "SB_add_custom_page");
    SB_clear_pages = Named(new QPushButton(QStringLiteral("Clear pageset"), sheet), "SB_clear_pages");
    SB_ABC = Named(new QPushButton(QStringLiteral("English ABC"), sheet), "SB_ABC");
    SB_custom_pg_set = Named(new QPushButton(QStringLiteral("Custom pagesets"), sheet), "SB_custom_pg_set");
    WireCustomEdit(Edit_custom_page, SB_add_custom_page);

    auto* layout = new QGridLayout(sheet);
    layout->addWidget(NewLabel(QStringLiteral("Define please the pageset of the notebook. You can do it now as well "
                                              "as you will be able to change the pageset later."),
                          sheet),
        0, 0, 1, 2);
    layout->addWidget(NewLabel(QStringLiteral("Pages of the notebook:"), sheet, CLB_pages), 1, 0, 1, 2);
    layout->addWidget(CLB_pages, 2, 0, 5, 1);
    layout->addWidget(Edit_custom_page, 2, 1);
    layout->addWidget(SB_add_custom_page, 3, 1);
    layout->addWidget(SB_clear_pages, 4, 1);
    layout->addWidget(SB_ABC, 5, 1);
    layout->addWidget(SB_custom_pg_set, 6, 1, Qt::AlignTop);
    layout->setRowStretch(6, 1);
    layout->setColumnStretch(0, 1);

    connect(SB_add_custom_page, &QPushButton::clicked, this, [this] { AddCustom(CLB_pages, Edit_custom_page); });
    connect(SB_clear_pages, &QPushButton::clicked, CLB_pages, &QListWidget::clear);
    connect(SB_ABC, &QPushButton::clicked, this, [this] {
        CLB_pages->clear();
        for (const QString& page : NewNotebookLists::EnglishAbc())
            AddChecked(CLB_pages, page);
    });
    connect(SB_custom_pg_set, &QPushButton::clicked, this, [this] { LoadSet(CLB_pages, false); });
    return sheet;
}

QWidget* TWizard_new_NB::NewTemplateStep()
{
    QWidget* sheet = NewSheet("TabSheet4");
    O_prn_page1 = Named(new TO_prn_page(sheet), "O_prn_page1");
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(NewLabel(QStringLiteral("Page print template"), sheet));
    layout->addWidget(O_prn_page1, 1);
    return sheet;
}

void TWizard_new_NB::UpdateButtons()
{
    TWizard::UpdateButtons();
    const bool last = CurrentPageIndex() == TemplateStep;
    btnNext->setEnabled(!last && Edit1 && !Edit1->text().trimmed().isEmpty());
    btnFinish->setEnabled(last);
}

void TWizard_new_NB::PageChanged()
{
    // Each step starts in its box, so the keyboard alone gets through the wizard.
    QWidget* const firstBox[] = { Edit1, Edit_custom_field, Edit_custom_page, O_prn_page1->KelFileEdit1 };
    firstBox[CurrentPageIndex()]->setFocus();
    // Only moving forwards past an empty list is stopped.
    if (PrevPageIndex() == FieldsStep && CurrentPageIndex() == PagesStep && CheckedItems(CLB_fields).isEmpty()) {
        ShowPage(FieldsStep);
        m_prompts.Msg(QStringLiteral("At least one field must be defined"));
    } else if (PrevPageIndex() == PagesStep && CurrentPageIndex() == TemplateStep
        && CheckedItems(CLB_pages).isEmpty()) {
        ShowPage(PagesStep);
        m_prompts.Msg(QStringLiteral("At least one page must be defined"));
    }
}

void TWizard_new_NB::AddCustom(QListWidget* list, QLineEdit* edit)
{
    const QString name = NewNotebookLists::CustomName(edit->text());
    if (name.isEmpty())
        return;
    QListWidgetItem* item = nullptr;
    for (int i = 0; i < list->count() && !item; ++i)
        if (list->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            item = list->item(i);
    if (!item)
        item = AddChecked(list, name);
    item->setCheckState(Qt::Checked);
    list->setCurrentItem(item);
    list->scrollToItem(item);
    edit->clear();
}

void TWizard_new_NB::LoadSet(QListWidget* list, bool fields)
{
    const QString filter = fields ? QStringLiteral("Custom fieldset (*.fds);;All files (*)")
                                  : QStringLiteral("Custom pageset (*.pgs);;All files (*)");
    const QString path = m_fileDialogs.OpenFileName(
        fields ? QStringLiteral("Custom fieldsets") : QStringLiteral("Custom pagesets"), CustomFolder(), filter);
    if (path.isEmpty())
        return;
    QStringList names;
    try {
        names = NewNotebookLists::ReadSetFile(path, fields);
    } catch (const EKelError& error) {
        m_prompts.ShowMessage(error.Message());
        return;
    }
    list->clear();
    for (const QString& name : names)
        AddChecked(list, name);
}

void TWizard_new_NB::Begin(TKelPigger& root)
{
    m_root = &root;
    m_notebook = nullptr;
    m_finished = false;
    O_prn_page1->SetNotebook(nullptr);
    O_prn_page1->SB_show_template->setText(QStringLiteral("Show template"));
    ShowPage(NameStep);
}

void TWizard_new_NB::Open(TKelPigger& root)
{
    Begin(root);
    open();
}

bool TWizard_new_NB::ExecuteWizard(TKelPigger* root)
{
    if (!root)
        return false;
    Begin(*root);
    exec();
    return m_finished;
}

TNewNotebookPlan TWizard_new_NB::Plan() const
{
    TNewNotebookPlan plan;
    plan.name = Edit1->text();
    plan.printTemplate = O_prn_page1->TemplateFileName();
    plan.fields = CheckedItems(CLB_fields);
    plan.pages = CheckedItems(CLB_pages);
    return plan;
}

void TWizard_new_NB::Build()
{
    if (m_root)
        m_notebook = &Plan().AppendTo(*m_root);
}

} // namespace quillo
