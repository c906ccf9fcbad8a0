#include "records/widgets/TO_notepad.h"

#include "notebook/IPrompts.h"
#include "notebook/TEditHistory.h"
#include "notebook/widgets/QuilloIcons.h"
#include "records/RecordDates.h"
#include "records/RecordLinks.h"
#include "records/RecordOps.h"
#include "records/TNotepadModel.h"
#include "records/widgets/INotepadSeams.h"
#include "tree/TKelPigger.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace quillo {

namespace {

const QString NameAttr = QStringLiteral("NAME");

TKelPigger* TabPage(const QTabBar& tabs, int index)
{
    return static_cast<TKelPigger*>(tabs.tabData(index).value<void*>());
}

} // namespace

const QString TO_notepad::RecordMimeType = QStringLiteral("application/x-quillo-record");

TO_notepad::TO_notepad(QWidget* parent)
    : QFrame(parent)
    , TabControl1(new QTabBar(this))
    , Grid1(new QTableView(this))
    , InplaceEditor(new QLineEdit(Grid1->viewport()))
    , PopupMenu1(new QMenu(this))
    , m_model(new TNotepadModel(this))
{
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setExpanding(false);
    TabControl1->setUsesScrollButtons(true);
    connect(TabControl1, &QTabBar::currentChanged, this, &TO_notepad::TabChanged);

    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setModel(m_model);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    Grid1->setTabKeyNavigation(false);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(19);
    Grid1->verticalHeader()->setMinimumSectionSize(12);
    Grid1->horizontalHeader()->setDefaultSectionSize(RecordOps::DefaultWidth);
    Grid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Grid1->horizontalHeader()->setHighlightSections(false);
    Grid1->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    Grid1->setContextMenuPolicy(Qt::CustomContextMenu);
    Grid1->installEventFilter(this);
    Grid1->viewport()->installEventFilter(this);
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { CurrentCellChanged(current); });
    connect(Grid1, &QAbstractItemView::clicked, this, &TO_notepad::UpdateCommands);
    connect(Grid1, &QAbstractItemView::doubleClicked, this, &TO_notepad::DoubleClicked);
    connect(Grid1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { PopupMenu1->popup(Grid1->viewport()->mapToGlobal(pos)); });
    connect(Grid1->horizontalHeader(), &QWidget::customContextMenuRequested, this, &TO_notepad::ShowHeaderMenu);

    InplaceEditor->setObjectName(QStringLiteral("InplaceEditor"));
    InplaceEditor->hide();
    InplaceEditor->installEventFilter(this);
    connect(InplaceEditor, &QLineEdit::textEdited, this, [this](const QString& text) { m_editText = text; });
    const auto followScroll = [this] {
        if (m_editing)
            InplaceEditor->setGeometry(Grid1->visualRect(Grid1->currentIndex()));
    };
    connect(Grid1->horizontalScrollBar(), &QScrollBar::valueChanged, this, followScroll);
    connect(Grid1->verticalScrollBar(), &QScrollBar::valueChanged, this, followScroll);

    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    // A tool bar folds the buttons that do not fit into its extension menu, so the frame stays narrow.
    auto* buttons = new QToolBar(this);
    buttons->setObjectName(QStringLiteral("ToolBar_records"));
    buttons->setToolButtonStyle(Qt::ToolButtonIconOnly);
    buttons->setIconSize(QSize(16, 16));
    buttons->setFocusPolicy(Qt::NoFocus);
    const auto add = [&](const char* menuName, const char* buttonName, const QString& caption, const QString& hint,
                         void (TO_notepad::*slot)(), QuilloIcons::Command icon) {
        QAction* action = NewCommand(menuName, caption, hint, slot);
        action->setIcon(QuilloIcons::CommandIcon(icon));
        buttons->addAction(action);
        QWidget* button = buttons->widgetForAction(action);
        button->setObjectName(QLatin1String(buttonName));
        button->setFocusPolicy(Qt::NoFocus);
        return action;
    };
    N_Append = add("N_Append", "SB_append", QStringLiteral("Append"), QStringLiteral("Append record (Ctrl+INS)"),
        &TO_notepad::Append, QuilloIcons::Command::Append);
    N_Delete = add("N_Delete", "SB_delete", QStringLiteral("Delete"), QStringLiteral("Delete record (Ctrl+DEL)"),
        &TO_notepad::Delete, QuilloIcons::Command::Delete);
    buttons->addSeparator();
    N_Edit = add("N_Edit", "SB_edit", QStringLiteral("Edit"), QStringLiteral("Edit cell (ENTER)"),
        &TO_notepad::StartEditing, QuilloIcons::Command::Edit);
    N_Editrecord = add("N_Editrecord", "SB_editform", QStringLiteral("Edit record"),
        QStringLiteral("Edit record (Ctrl+ENTER)"), &TO_notepad::EditForm, QuilloIcons::Command::EditForm);
    N_Post = add("N_Post", "SB_post", QStringLiteral("Post"), QStringLiteral("Ok edition (Enter)"), &TO_notepad::Post,
        QuilloIcons::Command::Post);
    N_Cancel = add("N_Cancel", "SB_cancel", QStringLiteral("Cancel"), QStringLiteral("cancel (Esc)"),
        &TO_notepad::Cancel, QuilloIcons::Command::Cancel);
    PopupMenu1->addSeparator();
    buttons->addSeparator();
    N_Recordup = add("N_Recordup", "SB_record_up", QStringLiteral("Move record up"), QStringLiteral("move record up"),
        &TO_notepad::MoveUp, QuilloIcons::Command::Up);
    N_Recorddown = add("N_Recorddown", "SB_record_dn", QStringLiteral("Move record down"),
        QStringLiteral("move record down"), &TO_notepad::MoveDown, QuilloIcons::Command::Down);
    PopupMenu1->addSeparator();
    buttons->addSeparator();
    N_Print = add("N_Print", "SB_print", QStringLiteral("Print"), QStringLiteral("print the page"), &TO_notepad::Print,
        QuilloIcons::Command::Print);
    N_Printnotebook = add("N_Printnotebook", "SB_print_notebook", QStringLiteral("Print notebook..."),
        QStringLiteral("print the notebook as organiser leaves"), &TO_notepad::PrintNotebook,
        QuilloIcons::Command::Print);
    N_Gotohttp = add("N_Gotohttp", "SB_go_to_http", QStringLiteral("Go to http"), QStringLiteral("Go to http"),
        &TO_notepad::GoToHttp, QuilloIcons::Command::Http);
    N_Sendemail = add("N_Sendemail", "SB_send_email", QStringLiteral("Send e-mail"), QStringLiteral("Send e-mail"),
        &TO_notepad::SendEmail, QuilloIcons::Command::Email);
    N_Openfile = add("N_Openfile", "SB_open_file", QStringLiteral("Open file"), QStringLiteral("Try to open the file"),
        &TO_notepad::OpenFile, QuilloIcons::Command::File);

    m_gridLayout = new QBoxLayout(QBoxLayout::TopToBottom);
    m_gridLayout->setSpacing(0);
    m_gridLayout->addWidget(TabControl1);
    m_gridLayout->addWidget(Grid1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buttons);
    layout->addLayout(m_gridLayout, 1);

    m_dragRunner = [this](QMimeData* data) {
        auto* drag = new QDrag(Grid1);
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
    };
    UpdateCommands();
}

QAction* TO_notepad::NewCommand(
    const char* menuName, const QString& caption, const QString& hint, void (TO_notepad::*slot)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(menuName));
    action->setToolTip(hint);
    connect(action, &QAction::triggered, this, slot);
    PopupMenu1->addAction(action);
    return action;
}

void TO_notepad::OpenNotebook()
{
    if (!m_notebook)
        return;
    if (m_editing)
        Cancel();
    BuildTabs();
    SetRightTabs(m_notebook->GetAttr(QStringLiteral("RIGHT_TAB_POSITION")) == QLatin1String("Y"));
    m_model->SetNotebook(m_notebook);
    for (int column = 0; column < m_model->columnCount(); ++column)
        Grid1->setColumnWidth(column, m_model->ColumnWidth(column));
    m_printTemplate = m_notebook->GetAttr(QStringLiteral("PRINT_TEMPLATE"));
    m_editText.clear();
    m_httpField.clear();
    m_emailField.clear();
    m_fileField.clear();
    m_dateField.clear();
    // The last field with a feature wins.
    if (const TKelPigger* fields = m_notebook->FindChild("FIELDS")) {
        for (int i = 0; i < fields->ChildCount(); ++i) {
            const TKelPigger* field = fields->Child(i);
            const QString feature = field->GetAttr(QStringLiteral("FEATURE"));
            const QString name = field->GetAttr(NameAttr);
            if (feature == QLatin1String("Field is http"))
                m_httpField = name;
            else if (feature == QLatin1String("Field is e-mail address"))
                m_emailField = name;
            else if (feature == QLatin1String("Field is file"))
                m_fileField = name;
            else if (feature == QLatin1String("Field is date"))
                m_dateField = name;
        }
    }
    m_active = true;
    m_editing = false;
    ReadCurrentCell();
    UpdateCommands();
}

void TO_notepad::CloseNotebook()
{
    if (!m_notebook)
        return;
    if (m_editing)
        Post();
    m_notebook = nullptr;
    m_editText.clear();
    m_active = false;
    m_editing = false;
    // The model reads the nodes on demand; it must not outlive them.
    m_model->SetNotebook(nullptr);
    {
        const QSignalBlocker blocker(TabControl1);
        while (TabControl1->count() > 0)
            TabControl1->removeTab(0);
    }
    m_curRecord = nullptr;
    m_curFieldName.clear();
    UpdateCommands();
}

void TO_notepad::BuildTabs()
{
    const QSignalBlocker blocker(TabControl1);
    while (TabControl1->count() > 0)
        TabControl1->removeTab(0);
    const TKelPigger* pages = m_notebook ? m_notebook->FindChild("PAGES") : nullptr;
    for (int i = 0; pages && i < pages->ChildCount(); ++i) {
        TKelPigger* page = pages->Child(i);
        const int index = TabControl1->addTab(PageTitle(page->GetAttr(NameAttr)));
        TabControl1->setTabData(index, QVariant::fromValue<void*>(page));
    }
}

void TO_notepad::SetRightTabs(bool right)
{
    m_rightTabs = right;
    TabControl1->setShape(right ? QTabBar::RoundedEast : QTabBar::RoundedNorth);
    m_gridLayout->setDirection(right ? QBoxLayout::RightToLeft : QBoxLayout::TopToBottom);
}

int TO_notepad::RecordsPerPage() const { return RecordOps::RecordsPerPage(m_notebook); }

QString TO_notepad::FieldTitle(const QString& name) const
{
    return RecordOps::TitleOf(m_notebook ? m_notebook->FindChild("FIELDS") : nullptr, name);
}

QString TO_notepad::PageTitle(const QString& name) const
{
    return RecordOps::TitleOf(m_notebook ? m_notebook->FindChild("PAGES") : nullptr, name);
}

TKelPigger* TO_notepad::CurrentPage() const { return m_model->Page(); }

QString TO_notepad::CurrentPageName() const { return CurrentPage() ? CurrentPage()->GetAttr(NameAttr) : QString(); }

void TO_notepad::SelectPageByName(const QString& name)
{
    if (m_editing)
        Cancel();
    for (int i = 0; i < TabControl1->count(); ++i) {
        if (TabPage(*TabControl1, i)->GetAttr(NameAttr) == name) {
            const QSignalBlocker blocker(TabControl1);
            TabControl1->setCurrentIndex(i);
            break;
        }
    }
    Fill(TabControl1->currentIndex() >= 0 ? TabPage(*TabControl1, TabControl1->currentIndex()) : nullptr);
}

void TO_notepad::TabChanged(int index)
{
    if (m_editing) {
        // Refused: the tab goes back to the page being edited.
        const QSignalBlocker blocker(TabControl1);
        for (int i = 0; i < TabControl1->count(); ++i) {
            if (TabPage(*TabControl1, i) == CurrentPage())
                TabControl1->setCurrentIndex(i);
        }
        return;
    }
    TKelPigger* page = index >= 0 ? TabPage(*TabControl1, index) : nullptr;
    Fill(page);
    if (page && m_services.host)
        m_services.host->PageShown(*page);
}

void TO_notepad::Fill(TKelPigger* page)
{
    const int column = qMax(0, Grid1->currentIndex().column());
    m_model->SetPage(m_notebook ? page : nullptr);
    if (m_model->rowCount() > 0 && m_model->columnCount() > 0)
        Grid1->setCurrentIndex(m_model->index(0, qMin(column, m_model->columnCount() - 1)));
    ReadCurrentCell();
    m_editText.clear();
    UpdateCommands();
}

void TO_notepad::Refill()
{
    if (m_editing)
        Cancel();
    TKelPigger* current = m_curRecord;
    const int column = Grid1->currentIndex().column();
    Fill(CurrentPage());
    if (const int row = m_model->RowOf(current); row >= 0)
        Grid1->setCurrentIndex(m_model->index(row, qMax(0, column)));
}

void TO_notepad::LocateRecord(TKelPigger* record)
{
    const int row = m_model->RowOf(record);
    if (row < 0 || m_model->columnCount() == 0)
        return;
    if (m_editing)
        Cancel();
    const QModelIndex index = m_model->index(row, 0);
    Grid1->setCurrentIndex(index);
    Grid1->scrollTo(index);
    Grid1->setFocus();
    ReadCurrentCell();
    UpdateCommands();
}

void TO_notepad::CurrentCellChanged(const QModelIndex&)
{
    if (m_editing)
        return;
    ReadCurrentCell();
    UpdateCommands();
}

void TO_notepad::ReadCurrentCell()
{
    const QModelIndex current = Grid1->currentIndex();
    m_curRecord = current.isValid() ? m_model->Record(current.row()) : nullptr;
    m_curFieldName = current.isValid() ? m_model->FieldName(current.column()) : QString();
}

QString TO_notepad::FeatureValue(const QString& field) const
{
    return m_curRecord && !field.isEmpty() ? m_curRecord->GetAttr(field) : QString();
}

void TO_notepad::UpdateCommands()
{
    // A notebook without pages or fields has nothing a record command could work on.
    const bool usable = m_active && CurrentPage() && m_model->columnCount() > 0;
    const bool browsing = usable && !m_editing;
    const bool onRecord = browsing && m_curRecord;
    const int row = Grid1->currentIndex().row();
    N_Append->setEnabled(browsing);
    N_Delete->setEnabled(onRecord);
    N_Edit->setEnabled(onRecord);
    N_Editrecord->setEnabled(onRecord);
    N_Post->setEnabled(usable && m_editing);
    N_Cancel->setEnabled(usable && m_editing);
    N_Recordup->setEnabled(browsing && row > 0);
    N_Recorddown->setEnabled(browsing && row >= 0 && row < m_model->rowCount() - 1);
    N_Print->setEnabled(browsing && !m_printTemplate.isEmpty());
    N_Printnotebook->setEnabled(N_Print->isEnabled());
    N_Gotohttp->setEnabled(browsing && !FeatureValue(m_httpField).isEmpty());
    N_Sendemail->setEnabled(browsing && !FeatureValue(m_emailField).isEmpty());
    N_Openfile->setEnabled(browsing && !FeatureValue(m_fileField).isEmpty());
}

TEditHistory* TO_notepad::History() const { return m_services.host ? m_services.host->History() : nullptr; }

void TO_notepad::SetChanged()
{
    if (m_services.host)
        m_services.host->SetChanged(true);
}

bool TO_notepad::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == InplaceEditor)
        return EditorEvent(event);
    if (watched == Grid1 && event->type() == QEvent::KeyPress)
        return GridKey(static_cast<QKeyEvent&>(*event));
    if (watched == Grid1->viewport())
        return ViewportMouse(event);
    return QFrame::eventFilter(watched, event);
}

bool TO_notepad::GridKey(const QKeyEvent& key)
{
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    switch (key.key()) {
    case Qt::Key_Insert:
        if (!ctrl)
            return false;
        Append();
        return true;
    case Qt::Key_Delete:
        if (!ctrl)
            return false;
        Delete();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ctrl)
            EditForm();
        else if (N_Edit->isEnabled() || N_Append->isEnabled())
            StartEditing();
        return true;
    default:
        return false;
    }
}

bool TO_notepad::EditorEvent(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            Post();
            return true;
        }
        if (key.key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && m_editing && !m_inDialog) {
        // Another window or a menu taking the focus does not end the edit; another control does, and the
        // focus comes back to the grid.
        const auto reason = static_cast<QFocusEvent&>(*event).reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Cancel();
    }
    return false;
}

bool TO_notepad::ViewportMouse(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto& mouse = static_cast<QMouseEvent&>(*event);
        m_pressed = mouse.button() == Qt::LeftButton && mouse.modifiers() == Qt::NoModifier;
        m_pressPos = mouse.position().toPoint();
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        m_pressed = false;
        return false;
    }
    if (event->type() != QEvent::MouseMove)
        return false;
    const auto& mouse = static_cast<QMouseEvent&>(*event);
    if (!m_pressed || m_editing || mouse.buttons() != Qt::LeftButton || mouse.modifiers() != Qt::NoModifier)
        return false;
    // Held and moved: a drag of the current record, never a sweep that changes the current cell.
    if ((mouse.position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()
        && m_curRecord) {
        m_pressed = false;
        auto* data = new QMimeData;
        data->setData(RecordMimeType, QByteArray::number(QCoreApplication::applicationPid()));
        m_dragRunner(data);
    }
    return true;
}

void TO_notepad::Append()
{
    if (!N_Append->isEnabled())
        return;
    TKelPigger* page = CurrentPage();
    const int perPage = RecordsPerPage();
    const bool overflow = page->ChildCount() >= perPage && page->Parent();
    // With the overflow page and what the record form fills in, one step.
    TEditStep step(History(), QStringLiteral("Append record"), overflow ? *page->Parent() : *page);
    if (page->ChildCount() >= perPage) {
        if (!m_services.prompts || !m_services.prompts->Sure(RecordOps::OverflowQuestion(perPage)))
            return;
        TKelPigger* added = RecordOps::AddOverflowPage(*page);
        if (!added)
            return;
        BuildTabs();
        SetChanged();
        SelectPageByName(added->GetAttr(NameAttr));
        if (m_services.host)
            m_services.host->PageAdded(*added);
        if (CurrentPage() != added)
            return;
    }
    const int row = m_model->AppendRecord();
    const int column = qMax(0, Grid1->currentIndex().column());
    Grid1->setCurrentIndex(m_model->index(row, column));
    Grid1->scrollTo(Grid1->currentIndex());
    ReadCurrentCell();
    UpdateCommands();
    SetChanged();
    EditForm();
}

void TO_notepad::Delete()
{
    if (!m_curRecord || !m_services.prompts)
        return;
    if (!m_services.prompts->Sure(QStringLiteral("Delete current record?")) || !N_Delete->isEnabled())
        return;
    const QModelIndex current = Grid1->currentIndex();
    m_curRecord = nullptr;
    TEditStep step(History(), QStringLiteral("Delete record"), *CurrentPage());
    m_model->RemoveRecord(current.row());
    const int row = qMin(current.row(), m_model->rowCount() - 1);
    Grid1->setCurrentIndex(m_model->index(row, current.column()));
    SetChanged();
    ReadCurrentCell();
    UpdateCommands();
}

void TO_notepad::StartEditing()
{
    Grid1->setFocus();
    if (!m_curRecord) {
        // On a row without a record the user wants one: append it and fill it in the record form.
        Append();
        return;
    }
    if (!N_Edit->isEnabled())
        return;
    const QModelIndex current = Grid1->currentIndex();
    m_editText = current.data().toString();
    InplaceEditor->setText(m_editText);
    InplaceEditor->setGeometry(Grid1->visualRect(current));
    InplaceEditor->show();
    InplaceEditor->setFocus();
    m_editing = true;
    UpdateCommands();
    emit EditingChanged();
    if (!m_curFieldName.isEmpty() && m_curFieldName == m_fileField)
        PickFile();
    else if (!m_curFieldName.isEmpty() && m_curFieldName == m_dateField)
        PickDate();
}

void TO_notepad::PickFile()
{
    if (!m_services.fileDialogs)
        return;
    m_inDialog = true;
    const QString folder = QDir::currentPath();
    const QString chosen = m_services.fileDialogs->OpenFileName(
        QStringLiteral("Select relaed file"), m_editText.trimmed(), QStringLiteral("All files (*)"));
    QDir::setCurrent(folder);
    m_inDialog = false;
    if (!chosen.isEmpty()) {
        m_editText = chosen;
        InplaceEditor->setText(chosen);
    }
}

void TO_notepad::PickDate()
{
    const QString text = m_editText.trimmed();
    QDate date = text.isEmpty() ? QDate::currentDate() : RecordDates::Parse(text);
    if (!date.isValid() || !m_services.datePicker)
        return;
    m_inDialog = true;
    m_services.datePicker->PickDate(date);
    m_inDialog = false;
    m_editText = RecordDates::Format(date);
    InplaceEditor->setText(m_editText);
}

void TO_notepad::EndEditing()
{
    m_editing = false;
    InplaceEditor->hide();
    m_editText.clear();
    UpdateCommands();
    emit EditingChanged();
}

void TO_notepad::Post()
{
    if (!m_editing)
        return;
    const QModelIndex current = Grid1->currentIndex();
    const QString text = m_editText;
    const bool changed = m_curRecord && m_curRecord->GetAttr(m_curFieldName) != text;
    EndEditing();
    if (changed) {
        TEditStep step(History(), QStringLiteral("Edit cell"), *m_curRecord);
        m_model->SetValue(current.row(), current.column(), text);
        SetChanged();
    }
    UpdateCommands();
    Grid1->setFocus();
}

void TO_notepad::Cancel()
{
    if (!m_editing)
        return;
    EndEditing();
    Grid1->setFocus();
}

void TO_notepad::EditForm()
{
    if (!m_curRecord || !m_services.recordEditor || m_editing)
        return;
    TKelPigger* record = m_curRecord;
    TEditStep step(History(), QStringLiteral("Edit record"), *record);
    if (!m_services.recordEditor->EditRecord(m_notebook->FindChild("FIELDS"), record))
        return;
    m_model->RowChanged(m_model->RowOf(record));
    SetChanged();
    UpdateCommands();
}

void TO_notepad::MoveRecord(bool up)
{
    if (m_editing)
        return;
    const QModelIndex current = Grid1->currentIndex();
    if (!CurrentPage())
        return;
    TEditStep step(
        History(), up ? QStringLiteral("Move record up") : QStringLiteral("Move record down"), *CurrentPage());
    const int row = m_model->MoveRecord(current.row(), up);
    if (row < 0)
        return;
    Grid1->setCurrentIndex(m_model->index(row, current.column()));
    SetChanged();
    ReadCurrentCell();
    UpdateCommands();
}

void TO_notepad::Sort(int column, bool ascending)
{
    if (m_editing || !CurrentPage() || CurrentPage()->ChildCount() < 2)
        return;
    TEditStep step(History(), QStringLiteral("Sort records"), *CurrentPage());
    m_model->SortByColumn(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    Grid1->scrollTo(Grid1->currentIndex());
    SetChanged();
    ReadCurrentCell();
    UpdateCommands();
}

void TO_notepad::ShowHeaderMenu(const QPoint& pos)
{
    const int column = Grid1->horizontalHeader()->logicalIndexAt(pos);
    if (column < 0)
        return;
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("HeaderMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool canSort = !m_editing && CurrentPage() && CurrentPage()->ChildCount() > 1;
    QAction* az = menu->addAction(QStringLiteral("Sort A-Z"), this, [this, column] { Sort(column, true); });
    QAction* za = menu->addAction(QStringLiteral("Sort Z-A"), this, [this, column] { Sort(column, false); });
    az->setObjectName(QStringLiteral("N_SortAZ"));
    za->setObjectName(QStringLiteral("N_SortZA"));
    az->setEnabled(canSort);
    za->setEnabled(canSort);
    menu->popup(Grid1->horizontalHeader()->mapToGlobal(pos));
}

void TO_notepad::Print()
{
    if (N_Print->isEnabled() && m_services.host)
        m_services.host->PrintPage(*CurrentPage(), m_printTemplate);
}

void TO_notepad::PrintNotebook()
{
    if (N_Printnotebook->isEnabled() && m_services.host && m_notebook)
        m_services.host->PrintNotebook(*m_notebook);
}

void TO_notepad::GoToHttp()
{
    if (!N_Gotohttp->isEnabled() || !m_services.desktop)
        return;
    const QString value = FeatureValue(m_httpField);
    const std::optional<QUrl> url = RecordLinks::WebAddress(value);
    if (!url) {
        if (m_services.prompts)
            m_services.prompts->Msg(RecordLinks::NotWebAddressMessage(value));
        return;
    }
    m_services.desktop->Open(url->toString(QUrl::FullyEncoded));
}

void TO_notepad::SendEmail()
{
    if (N_Sendemail->isEnabled() && m_services.desktop)
        m_services.desktop->Open(RecordLinks::MailtoAddress(FeatureValue(m_emailField)).toString(QUrl::FullyEncoded));
}

void TO_notepad::OpenFile()
{
    if (!N_Openfile->isEnabled() || !m_services.desktop || !m_services.prompts)
        return;
    const QString value = FeatureValue(m_fileField);
    const QFileInfo info(value);
    if (!info.exists()) {
        m_services.prompts->Msg(RecordLinks::FileNotFoundMessage(value));
        return;
    }
    const QString path = info.absoluteFilePath();
    if (RecordLinks::RunsAsProgram(path) && !m_services.prompts->Sure(RecordLinks::RunProgramQuestion(path)))
        return;
    if (!m_services.desktop->Open(QUrl::fromLocalFile(path).toString()))
        m_services.prompts->Msg(RecordLinks::NoApplicationMessage());
}

void TO_notepad::DoubleClicked()
{
    for (QAction* link : { N_Gotohttp, N_Sendemail, N_Openfile }) {
        if (link->isEnabled()) {
            link->trigger();
            return;
        }
    }
    // No link to follow: the cell is edited, as Enter does.
    if (N_Edit->isEnabled() || N_Append->isEnabled())
        StartEditing();
}

} // namespace quillo
