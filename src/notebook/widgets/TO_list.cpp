#include "notebook/widgets/TO_list.h"

#include "notebook/NotebookEdits.h"
#include "notebook/TEditHistory.h"
#include "notebook/widgets/QuilloIcons.h"
#include "shell/IGuider.h"
#include "shell/IMainWindow.h"
#include "tree/TKelPigger.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace quillo {

TO_list::TO_list(IMainWindow& main, const QString& noun, QWidget* parent)
    : QFrame(parent)
    , m_main(main)
    , m_noun(noun)
{
    LB1 = new QListWidget(this);
    LB1->setObjectName(QStringLiteral("LB1"));
    Btn_change = new QPushButton(QStringLiteral("&Change..."), this);
    Btn_change->setObjectName(QStringLiteral("Btn_change"));
    SB_move_up = new QToolButton(this);
    SB_move_up->setObjectName(QStringLiteral("SB_move_up"));
    SB_move_up->setToolTip(QStringLiteral("move the %1 up").arg(noun));
    SB_move_up->setIcon(QuilloIcons::ToolIcon(QuilloIcons::Tool::Up));
    SB_move_up->setShortcut(QKeySequence(QStringLiteral("Alt+Up")));
    SB_move_dn = new QToolButton(this);
    SB_move_dn->setObjectName(QStringLiteral("SB_move_dn"));
    SB_move_dn->setToolTip(QStringLiteral("move the %1 down").arg(noun));
    SB_move_dn->setIcon(QuilloIcons::ToolIcon(QuilloIcons::Tool::Down));
    SB_move_dn->setShortcut(QKeySequence(QStringLiteral("Alt+Down")));

    m_layout = new QGridLayout(this);
    m_layout->addWidget(LB1, 0, 0, 8, 1);
    m_layout->setColumnStretch(0, 1);
    m_layout->setRowStretch(6, 1);
    auto* moves = new QHBoxLayout;
    moves->addWidget(SB_move_up);
    moves->addWidget(SB_move_dn);
    moves->addStretch();
    m_layout->addLayout(moves, 7, 1);

    // A click makes a row current before it selects it, the keyboard the other way round: follow both.
    connect(LB1, &QListWidget::currentRowChanged, this, &TO_list::UpdateButtons);
    connect(LB1, &QListWidget::itemSelectionChanged, this, &TO_list::UpdateButtons);
    connect(SB_move_up, &QToolButton::clicked, this, [this] { MoveSelected(true); });
    connect(SB_move_dn, &QToolButton::clicked, this, [this] { MoveSelected(false); });
    // Double-click, Enter and F2 on an entry are "Change...".
    const auto change = [this] {
        if (Btn_change->isEnabled())
            Btn_change->click();
    };
    connect(LB1, &QListWidget::itemActivated, Btn_change, change);
    auto* renameKey = new QShortcut(QKeySequence(Qt::Key_F2), LB1, nullptr, nullptr, Qt::WidgetShortcut);
    connect(renameKey, &QShortcut::activated, Btn_change, change);
}

void TO_list::OnDeleteKey(QPushButton* remove)
{
    auto* deleteKey = new QShortcut(QKeySequence::Delete, LB1, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, remove, [remove] {
        if (remove->isEnabled())
            remove->click();
    });
}

void TO_list::AddButton(QPushButton* button) { m_layout->addWidget(button, m_buttonRow++, 1); }

void TO_list::Bind(TKelPigger* list)
{
    LB1->clear();
    m_list = list;
    Fill();
}

void TO_list::Fill()
{
    LB1->clear();
    if (m_list)
        LB1->addItems(NotebookEdits::ChildNames(*m_list));
    UpdateButtons();
}

TKelPigger* TO_list::SelectedNode() const
{
    const QListWidgetItem* item = LB1->currentItem();
    if (!m_list || !item || !item->isSelected())
        return nullptr;
    return m_list->FindChildByAttr(QStringLiteral("NAME"), item->text());
}

void TO_list::SelectNode(const TKelPigger* node)
{
    const int index = m_list ? m_list->IndexOfChild(node) : -1;
    if (index >= 0 && index < LB1->count())
        LB1->setCurrentRow(index);
}

void TO_list::MoveSelected(bool up)
{
    TKelPigger* node = SelectedNode();
    if (!node)
        return;
    TKelPigger& list = *m_list;
    const int index = list.IndexOfChild(node);
    TKelPigger* other = list.Child(up ? index - 1 : index + 1);
    if (!other)
        return;
    TEditStep step(m_main.History(), QStringLiteral("Move %1 %2").arg(m_noun, up ? "up" : "down"), list);
    IGuider& guider = m_main.Guider();
    QTreeWidgetItem* item = guider.ItemOf(node);
    QTreeWidgetItem* otherItem = guider.ItemOf(other);
    const int target = NotebookEdits::MoveChildStep(list, *node, up);
    guider.MoveItem(item, otherItem, up);
    m_main.StructureChanged();
    guider.Select(&list);
    Bind(&list);
    LB1->setCurrentRow(target);
    UpdateButtons();
}

void TO_list::UpdateButtons()
{
    const int row = LB1->currentRow();
    const bool selected = row >= 0 && LB1->currentItem() && LB1->currentItem()->isSelected();
    SB_move_up->setEnabled(selected && row > 0);
    SB_move_dn->setEnabled(selected && row < LB1->count() - 1);
}

} // namespace quillo
