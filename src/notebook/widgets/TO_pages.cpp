#include "notebook/widgets/TO_pages.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookEdits.h"
#include "notebook/NotebookSchema.h"
#include "notebook/TEditHistory.h"
#include "shell/IGuider.h"
#include "shell/IMainWindow.h"
#include "tree/TKelPigger.h"

#include <QListWidget>
#include <QPushButton>

namespace quillo {

namespace {

const QString Name = QStringLiteral("NAME");

} // namespace

TO_pages::TO_pages(IMainWindow& main, QWidget* parent)
    : TO_list(main, QStringLiteral("page"), parent)
{
    Btn_new_page = new QPushButton(QStringLiteral("&New..."), this);
    Btn_new_page->setObjectName(QStringLiteral("Btn_new_page"));
    Btn_delete_page = new QPushButton(QStringLiteral("&Delete"), this);
    Btn_delete_page->setObjectName(QStringLiteral("Btn_delete_page"));
    AddButton(Btn_new_page);
    AddButton(Btn_delete_page);
    AddButton(Btn_change);
    connect(Btn_new_page, &QPushButton::clicked, this, &TO_pages::NewPage);
    connect(Btn_delete_page, &QPushButton::clicked, this, &TO_pages::DeletePage);
    connect(Btn_change, &QPushButton::clicked, this, &TO_pages::RenamePage);
    OnDeleteKey(Btn_delete_page);
    UpdateButtons();
}

void TO_pages::UpdateButtons()
{
    TO_list::UpdateButtons();
    const bool selected = SelectedNode() != nullptr;
    Btn_delete_page->setEnabled(selected && LB1->count() > 1);
    Btn_change->setEnabled(selected);
    Btn_new_page->setEnabled(List() != nullptr);
}

void TO_pages::NewPage()
{
    TKelPigger* pages = List();
    if (!pages)
        return;
    QString text = QStringLiteral("THE_PAGE");
    if (!m_main.Prompts().InputQuery(QStringLiteral("New page creation"), QStringLiteral("Name of the new page"), text))
        return;
    if (TKelPigger* page = m_main.AddPage(text)) {
        Bind(pages);
        SelectNode(page);
    }
}

void TO_pages::RenamePage()
{
    TKelPigger* pages = List();
    TKelPigger* page = SelectedNode();
    if (!page)
        return;
    QString name = page->GetAttr(Name);
    if (!m_main.Prompts().InputQuery(QStringLiteral("Change page name"), QStringLiteral("New name of the page:"), name))
        return;
    if (pages->FindChildByAttr(Name, name)) {
        m_main.Prompts().Msg(NotebookEdits::PageExistsMessage(name));
        return;
    }
    TEditStep step(m_main.History(), QStringLiteral("Rename page"), *pages);
    IGuider& guider = m_main.Guider();
    guider.Select(page);
    page->SetAttr(Name, name);
    guider.RefreshSelected();
    m_main.StructureChanged();
    m_main.ShowPageList();
    Bind(pages);
    SelectNode(page);
}

void TO_pages::DeletePage()
{
    TKelPigger* pages = List();
    TKelPigger* page = SelectedNode();
    // The last page stays: a notebook always has one.
    if (!page || pages->ChildCount() < 2)
        return;
    const QString question
        = QStringLiteral("Are you sure you really want to delete the page \"%1\" and all the ingormation the page "
                         "contains?")
              .arg(page->GetAttr(Name));
    if (!m_main.Prompts().SureChecked(question))
        return;
    m_main.ReleaseRecordGrid();
    TEditStep step(m_main.History(), QStringLiteral("Delete page"), *pages);
    IGuider& guider = m_main.Guider();
    if (QTreeWidgetItem* item = guider.ItemOf(page))
        guider.DeleteItem(item);
    else
        delete page;
    m_main.ShowPageList();
    m_main.StructureChanged();
    Bind(pages);
}

} // namespace quillo
