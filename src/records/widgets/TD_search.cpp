#include "records/widgets/TD_search.h"

#include "notebook/IPrompts.h"
#include "records/NodeLookup.h"
#include "records/SlicedWalk.h"
#include "records/widgets/ILookupHost.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillo {

namespace {

const QString StaleHitMessage = QStringLiteral(
    "The found text is no longer there: it was deleted or changed after the search.\nPlease search again.");

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter belongs to the edit box (search) and the list (go to), never to a default button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TD_search::TD_search(ILookupHost& host, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("TD_search"));
    setWindowTitle(QStringLiteral("Search"));
    setWindowModality(Qt::ApplicationModal);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    auto* searchFor = new QLabel(QStringLiteral("Search for:"), this);
    searchFor->setBuddy(Edit1);
    RB_global = new QRadioButton(QStringLiteral("Global search"), this);
    RB_global->setObjectName(QStringLiteral("RB_global"));
    RB_global->setChecked(true);
    RB_down = new QRadioButton(QStringLiteral("Search down from the current node"), this);
    RB_down->setObjectName(QStringLiteral("RB_down"));
    CB_case = new QCheckBox(QStringLiteral("Case sensitive"), this);
    CB_case->setObjectName(QStringLiteral("CB_case"));
    CB_in_records = new QCheckBox(QStringLiteral("Search in records only"), this);
    CB_in_records->setObjectName(QStringLiteral("CB_in_records"));
    CB_in_records->setChecked(true);
    Btn_search = NewButton(QStringLiteral("Search"), "Btn_search", this);
    Btn_stop = NewButton(QStringLiteral("Stop"), "Btn_stop", this);
    Btn_stop->setToolTip(QStringLiteral("Stops the search that runs (Esc)"));
    Btn_go_to = NewButton(QStringLiteral("Go to"), "Btn_go_to", this);
    CancelBtn = NewButton(QStringLiteral("Cancel"), "CancelBtn", this);
    LV1 = new QTreeWidget(this);
    LV1->setObjectName(QStringLiteral("LV1"));
    LV1->setHeaderLabels({ QStringLiteral("Found context"), QStringLiteral("Context owner") });
    LV1->setRootIsDecorated(false);
    LV1->setUniformRowHeights(true);
    LV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV1->setSelectionMode(QAbstractItemView::SingleSelection);
    LV1->setColumnWidth(0, 200);
    LV1->setColumnWidth(1, 100);
    LV1->installEventFilter(this);
    Label_found = new QLabel(this);
    Label_found->setObjectName(QStringLiteral("Label_found"));

    auto* scope = new QGroupBox(this);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(RB_global);
    scopeLayout->addWidget(RB_down);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : { Btn_search, Btn_stop, Btn_go_to, CancelBtn })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(searchFor, 0, 0);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(scope, 2, 0);
    auto* options = new QHBoxLayout;
    options->addWidget(CB_case);
    options->addWidget(CB_in_records);
    options->addStretch();
    grid->addLayout(options, 3, 0);
    grid->addWidget(LV1, 4, 0);
    grid->addWidget(Label_found, 5, 0);
    grid->addLayout(buttons, 0, 1, 5, 1);
    grid->setRowStretch(4, 1);
    resize(520, 420);

    connect(Edit1, &QLineEdit::textChanged, this, &TD_search::UpdateControls);
    connect(Edit1, &QLineEdit::returnPressed, this, &TD_search::Search);
    connect(RB_global, &QRadioButton::clicked, this, &TD_search::ClearList);
    connect(RB_down, &QRadioButton::clicked, this, &TD_search::ClearList);
    connect(LV1, &QTreeWidget::itemSelectionChanged, this, &TD_search::UpdateControls);
    connect(LV1, &QTreeWidget::itemDoubleClicked, this, &TD_search::GoTo);
    connect(Btn_search, &QPushButton::clicked, this, &TD_search::Search);
    connect(Btn_stop, &QPushButton::clicked, this, [this] { m_stop = true; });
    connect(Btn_go_to, &QPushButton::clicked, this, &TD_search::GoTo);
    connect(CancelBtn, &QPushButton::clicked, this, [this] {
        m_closeWhenStopped = m_searching;
        reject();
    });
    UpdateControls();
}

void TD_search::ShowSearch(TKelPigger* root, TKelPigger* current)
{
    m_root = root;
    m_current = current;
    UpdateControls();
    if (root)
        Present();
}

void TD_search::ShowSearch(TKelPigger* root, TKelPigger* current, bool global)
{
    (global ? RB_global : RB_down)->setChecked(true);
    ShowSearch(root, current);
}

void TD_search::Present()
{
    show();
    raise();
    activateWindow();
    Edit1->setFocus();
    Edit1->selectAll();
}

void TD_search::DocumentChanged()
{
    m_stop = m_searching;
    m_pending.clear();
    m_root = nullptr;
    m_current = nullptr;
    ClearList();
    if (isVisible() && !m_searching)
        QDialog::reject();
}

void TD_search::UpdateControls()
{
    if (!m_current || m_searching) {
        if (!m_current)
            RB_global->setChecked(true);
        RB_down->setEnabled(false);
    } else {
        RB_down->setEnabled(true);
    }
    RB_global->setEnabled(!m_searching);
    CB_case->setEnabled(!m_searching);
    CB_in_records->setEnabled(!m_searching);
    Btn_search->setEnabled(!m_searching && !TRecordSearch::PreparePattern(Edit1->text(), true).isEmpty());
    Btn_stop->setEnabled(m_searching);
    Btn_go_to->setEnabled(!m_searching && !LV1->selectedItems().isEmpty());
}

void TD_search::ClearList()
{
    LV1->clear();
    m_found = 0;
    Label_found->clear();
    UpdateControls();
}

void TD_search::Search()
{
    // Enter in the edit box comes here too while a search runs.
    if (m_searching)
        return;
    ClearList();
    TKelPigger* start = RB_global->isChecked() ? m_root : m_current;
    const TRecordSearch search(Edit1->text(), CB_case->isChecked(), CB_in_records->isChecked());
    if (!start || search.IsEmpty())
        return;
    m_searching = true;
    m_stop = false;
    UpdateControls();
    Label_found->setText(QStringLiteral("Searching..."));
    const bool complete = WalkInSlices(
        *start, [&](TKelPigger& node) { search.Visit(node, m_pending); }, m_sliceMs, [this] { return AtSlice(); });
    ListPending();
    m_searching = false;
    UpdateControls();
    const QString found = m_found == 1 ? QStringLiteral("1 hit") : QStringLiteral("%1 hits").arg(m_found);
    if (!complete)
        Label_found->setText(QStringLiteral("Search stopped: %1 so far").arg(found));
    else if (m_found > MaxListedHits)
        Label_found->setText(
            QStringLiteral("%1, the first %2 listed: a longer search text finds fewer").arg(found).arg(MaxListedHits));
    else
        Label_found->setText(m_found == 0 ? QStringLiteral("Not found") : found);
    if (m_closeWhenStopped) {
        m_closeWhenStopped = false;
        QDialog::reject();
    }
}

bool TD_search::AtSlice()
{
    // Input may reach only this dialog (it is modal): Stop, Esc and Cancel end the walk, nothing edits the tree.
    ListPending();
    QCoreApplication::processEvents();
    return !m_stop;
}

void TD_search::ListPending()
{
    QList<QTreeWidgetItem*> items;
    for (const TSearchHit& hit : m_pending) {
        if (m_found++ >= MaxListedHits)
            continue;
        auto* item
            = new QTreeWidgetItem(QStringList { hit.node->AttrValue(hit.attr), QString::fromUtf8(hit.node->Tag()) });
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(hit.node)));
        items.append(item);
    }
    m_pending.clear();
    LV1->addTopLevelItems(items);
    if (m_searching && m_found > 0)
        Label_found->setText(QStringLiteral("Searching... %1 found").arg(m_found));
}

TKelPigger* TD_search::NodeOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<TKelPigger*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

void TD_search::GoTo()
{
    QTreeWidgetItem* item = LV1->currentItem();
    if (m_searching || !item || !item->isSelected())
        return;
    TKelPigger* node = NodeOf(item);
    if (!node)
        return;
    // The list may be older than the last edit of the grid: follow only a node that is still in the document
    // and still holds what was found.
    if (!NodeLookup::Contains(m_host.Document(), node) || !NodeLookup::HoldsValue(*node, item->text(0))) {
        m_host.Prompts().Msg(StaleHitMessage);
        delete item;
        UpdateControls();
        return;
    }
    accept();
    m_host.GoToNode(*node);
}

void TD_search::reject()
{
    // Esc stops a running search and leaves the dialog open; Cancel and the close box close it once stopped.
    if (m_searching) {
        m_stop = true;
        return;
    }
    QDialog::reject();
}

void TD_search::closeEvent(QCloseEvent* event)
{
    if (m_searching) {
        m_stop = true;
        m_closeWhenStopped = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TD_search::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LV1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GoTo();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quillo
