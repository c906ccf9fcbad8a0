#include "ui/TFmain.h"

#include "exchange/ContactImport.h"
#include "notebook/IPrompts.h"
#include "notebook/NodePath.h"
#include "notebook/ProgramPaths.h"
#include "notebook/widgets/QuilloIcons.h"
#include "notebook/widgets/TO_fields.h"
#include "notebook/widgets/TO_notebook.h"
#include "notebook/widgets/TO_pages.h"
#include "printing/widgets/TO_prn_page.h"
#include "records/NodeLookup.h"
#include "records/widgets/INotebookWizard.h"
#include "records/widgets/TO_notepad.h"
#include "tree/TKelPigger.h"
#include "ui/TF_about.h"
#include "ui/TOPigExplorer.h"
#include "ui/TRecordGridBinding.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

namespace quillo {

namespace {

constexpr int GuiderWidth = 190;
// The guider starts wide enough for a notebook caption of this length.
const QString TypicalCaption = QStringLiteral("NOTEBOOK:Family");

QWidget* Sheet(const char* name, QStackedWidget* pageControl)
{
    auto* sheet = new QWidget(pageControl);
    sheet->setObjectName(QLatin1String(name));
    pageControl->addWidget(sheet);
    return sheet;
}

} // namespace

TFmain::TFmain(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(std::make_unique<TUserSettings>(settingsPath))
{
    setObjectName(QStringLiteral("TFmain"));
    setWindowIcon(QuilloIcons::ToolIcon(QuilloIcons::Tool::Program));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreatePanels();
    CreateStatusBar();
    // Small enough for a laptop beside another window, large enough that no panel clips a control.
    setMinimumSize(720, 500);
    setWindowState(Qt::WindowMaximized);
    UpdateTitle();
    UpdateCommands();
}

TFmain::~TFmain()
{
    // The panels hold references into the document; let go of them before it goes.
    ForgetNodes();
    m_guider->SetRoot(nullptr);
}

void TFmain::Start(IPrompts& prompts, IFileDialogs& fileDialogs, IDesktop& desktop)
{
    m_prompts = &prompts;
    m_desktop = &desktop;
    m_fileDialogs = &fileDialogs;
    BindRecordGrid();
    m_prnPage->SetServices(&prompts, &fileDialogs, &desktop);
    m_session = std::make_unique<TNotebookSession>(*m_settings, prompts, fileDialogs);
    m_session->SetListener(this);
    TEditHistory& history = m_session->History();
    m_prnPage->SetHistory(&history);
    connect(&history, &TEditHistory::StateChanged, this, &TFmain::UpdateUndoCommands);
    connect(&history, &TEditHistory::AboutToRestore, this, &TFmain::BeforeRestore);
    connect(&history, &TEditHistory::Restored, this,
        [this](const TNodePath&, const TNodePath& focus) { AfterRestore(focus); });
    // Asking to save releases the record grid; when the command then stops, the panels show again.
    connect(m_new, &QAction::triggered, this, [this] {
        m_session->New();
        GuiderSelectionChanged();
    });
    connect(m_open, &QAction::triggered, this, [this] {
        m_session->Open();
        GuiderSelectionChanged();
    });
    connect(m_save, &QAction::triggered, this, [this] { m_session->Save(); });
    connect(m_saveAs, &QAction::triggered, this, [this] { m_session->SaveAs(); });
    m_session->Start();
    UpdateCommands();
}

bool TFmain::HasDocument() { return m_session && !m_session->Document().Tag().isEmpty(); }

void TFmain::SetHooks(const TMainHooks& hooks)
{
    m_hooks = hooks;
    m_fieldsPanel->SetPropsEditor(hooks.fieldProps);
    m_notebookPanel->btn_reminder->setVisible(bool(hooks.reminderSettings));
    m_notebookPanel->Btn_print_notebook->setVisible(bool(hooks.printNotebook));
    m_toolRemind->setVisible(bool(hooks.reminder));
    BindRecordGrid();
    UpdateCommands();
}

void TFmain::BindRecordGrid()
{
    m_notepad->SetServices(
        { m_gridBinding, m_prompts, m_fileDialogs, m_desktop, m_hooks.datePicker, m_hooks.recordEditor });
    m_gridBinding->SetPagePrinter(m_hooks.printPage);
    m_gridBinding->SetNotebookPrinter(m_hooks.printNotebook);
}

TOPigSructEd& TFmain::Guider() { return *m_guider; }

QAction* TFmain::NewAction(const char* name, const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void TFmain::CreateActions()
{
    using QuilloIcons::Tool;
    using QuilloIcons::ToolIcon;
    m_new = NewAction("N_New", QStringLiteral("&New"), QKeySequence::New);
    m_new->setToolTip(QStringLiteral("New notebook file"));
    m_new->setIcon(ToolIcon(Tool::New));
    m_open = NewAction("N_Open", QStringLiteral("&Open"), QKeySequence::Open);
    m_open->setToolTip(QStringLiteral("Open notebook file"));
    m_open->setIcon(ToolIcon(Tool::Open));
    m_save = NewAction("N_Save", QStringLiteral("&Save"), QKeySequence::Save);
    m_save->setToolTip(QStringLiteral("Save"));
    m_save->setIcon(ToolIcon(Tool::Save));
    m_saveAs = NewAction("N_Saveas", QStringLiteral("Save &as..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    m_importContacts = NewAction("N_Import_contacts", QStringLiteral("&Import contacts..."));
    connect(m_importContacts, &QAction::triggered, this, &TFmain::ImportContacts);
    m_exportContacts = NewAction("N_Export_contacts", QStringLiteral("E&xport contacts..."));
    connect(m_exportContacts, &QAction::triggered, this, &TFmain::ExportContacts);
    m_exit = NewAction("N_Exit", QStringLiteral("E&xit"), QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(m_exit, &QAction::triggered, this, &QWidget::close);

    m_undo = NewAction("N_Undo", QStringLiteral("&Undo"), QKeySequence::Undo);
    m_undo->setIcon(ToolIcon(Tool::Undo));
    connect(m_undo, &QAction::triggered, this, &TFmain::Undo);
    m_redo = NewAction("N_Redo", QStringLiteral("&Redo"));
    m_redo->setShortcuts({ QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y")) });
    m_redo->setIcon(ToolIcon(Tool::Redo));
    connect(m_redo, &QAction::triggered, this, &TFmain::Redo);

    m_searchGlobal = NewAction("N_search_global", QStringLiteral("&Global search"), QKeySequence::Find);
    m_searchDown = NewAction("N_search_down", QStringLiteral("Search &down from the current node"));
    m_reminder = NewAction("NReminder", QStringLiteral("&Birthday Reminder"));
    connect(m_searchGlobal, &QAction::triggered, this, [this] { Search(true); });
    connect(m_searchDown, &QAction::triggered, this, [this] { Search(false); });
    connect(m_reminder, &QAction::triggered, this, &TFmain::Remind);

    m_aboutAction = NewAction("N_About", QStringLiteral("&About"));
    m_documentation = NewAction("N_Documentation", QStringLiteral("&Documentation"), QKeySequence::HelpContents);
    connect(m_aboutAction, &QAction::triggered, this, &TFmain::ShowAbout);
    connect(m_documentation, &QAction::triggered, this, &TFmain::OpenDocumentation);

    m_toolSearch = NewAction("TB_search", QStringLiteral("Search"));
    m_toolSearch->setIcon(ToolIcon(Tool::Search));
    connect(m_toolSearch, &QAction::triggered, this, [this] { Search(std::nullopt); });
    m_toolRemind = NewAction("TB_remind", QStringLiteral("Search for people whos birthday is soon"));
    m_toolRemind->setIcon(ToolIcon(Tool::Remind));
    connect(m_toolRemind, &QAction::triggered, this, &TFmain::Remind);
    m_toolSettings = NewAction("TB_settings", QStringLiteral("Page tabs on top or on the right"));
    m_toolSettings->setIcon(ToolIcon(Tool::Settings));
    connect(m_toolSettings, &QAction::triggered, this, [this] { m_notepad->SetRightTabs(!m_notepad->RightTabs()); });
    m_toolGuider = NewAction("TB_guider", QStringLiteral("Guider visible"));
    m_toolGuider->setIcon(ToolIcon(Tool::Guider));
    m_toolGuider->setCheckable(true);
    m_toolGuider->setChecked(true);
    connect(m_toolGuider, &QAction::toggled, this, &TFmain::ShowGuider);

    m_printNotebook = NewAction("N_Printnotebook", QStringLiteral("Print notebook..."));
    m_printNotebook->setStatusTip(QStringLiteral("Prints the notebook's pages as organiser leaves"));
    connect(m_printNotebook, &QAction::triggered, this, [this] {
        if (m_currentNotebook && m_hooks.printNotebook)
            m_hooks.printNotebook(*m_currentNotebook);
    });

    m_popNewFile = NewAction("N_Newfile", QStringLiteral("New notebook file"));
    connect(m_popNewFile, &QAction::triggered, m_new, &QAction::trigger);
    m_popNewNotebook = NewAction("N_Newnotebook", QStringLiteral("New notebook in current file"));
    connect(m_popNewNotebook, &QAction::triggered, this, [this] {
        ShowFieldList();
        NewNotebook();
    });
    m_popFields = NewAction("N_Editfields", QStringLiteral("Edit field list"));
    connect(m_popFields, &QAction::triggered, this, &TFmain::ShowFieldList);
    m_popPages = NewAction("N_Editpages", QStringLiteral("Edit page list"));
    connect(m_popPages, &QAction::triggered, this, &TFmain::ShowPageList);
    m_popSearchDown = NewAction("N_Searchdown", QStringLiteral("Search down"));
    connect(m_popSearchDown, &QAction::triggered, this, [this] { Search(false); });
    m_popSearchGlobal = NewAction("N_Globalsearch", QStringLiteral("Global search"));
    connect(m_popSearchGlobal, &QAction::triggered, this, [this] { Search(true); });
}

void TFmain::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("N_File"));
    file->addActions({ m_new, m_open, m_save, m_saveAs });
    file->addSeparator();
    file->addActions({ m_importContacts, m_exportContacts });
    file->addSeparator();
    file->addAction(m_printNotebook);
    file->addSeparator();
    file->addAction(m_exit);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    // "N_Edit" is the record grid's Edit command.
    edit->setObjectName(QStringLiteral("N_Edit_menu"));
    edit->addActions({ m_undo, m_redo });
    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    search->setObjectName(QStringLiteral("N_Search"));
    search->addActions({ m_searchGlobal, m_searchDown, m_reminder });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("N_Help"));
    help->addActions({ m_aboutAction, m_documentation });

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    m_popup->addActions({ m_popNewFile, m_popNewNotebook });
    m_popup->addSeparator();
    m_popup->addActions({ m_popFields, m_popPages });
    m_popup->addSeparator();
    m_popup->addActions({ m_popSearchDown, m_popSearchGlobal });
}

void TFmain::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Tools"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    const std::pair<QAction*, const char*> buttons[] = {
        { m_new, "TB_new" },
        { m_open, "TB_open" },
        { m_save, "TB_save" },
        { m_undo, "TB_undo" },
        { m_redo, "TB_redo" },
        { m_toolSearch, "TB_search" },
        { m_toolRemind, "TB_remind" },
        { m_toolSettings, "TB_settings" },
        { m_toolGuider, "TB_guider" },
    };
    for (const auto& [action, name] : buttons) {
        if (action == m_undo || action == m_toolSearch || action == m_toolGuider)
            m_toolBar->addSeparator();
        m_toolBar->addAction(action);
        m_toolBar->widgetForAction(action)->setObjectName(QLatin1String(name));
    }
    // The reminder shows once its window is there; the tab switch has no place on the tool bar yet.
    m_toolRemind->setVisible(false);
    m_toolSettings->setVisible(false);
}

void TFmain::CreatePanels()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);

    m_guider = new TOPigExplorer(m_splitter);
    m_guider->setObjectName(QStringLiteral("Guider"));
    m_guider->TV1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_guider->TV1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { m_popup->popup(m_guider->TV1->viewport()->mapToGlobal(pos)); });
    connect(m_guider, &TOPigSructEd::SelectionChanged, this, &TFmain::GuiderSelectionChanged);

    m_pageControl = new QStackedWidget(m_splitter);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    // Until the guider selects something no sheet is shown, only how to begin.
    m_noSheet = NewStartHint();
    m_pageControl->addWidget(m_noSheet);

    m_sheetNotebook = Sheet("TabSheet_notebook", m_pageControl);
    m_notebookPanel = new TO_notebook(*this, m_sheetNotebook);
    m_notebookPanel->setObjectName(QStringLiteral("O_notebook1"));
    m_notebookPanel->btn_reminder->hide();
    m_notebookPanel->Btn_print_notebook->hide();
    connect(m_notebookPanel, &TO_notebook::PrintNotebookWanted, m_printNotebook, &QAction::trigger);
    m_notebookPanel->btn_reminder->setToolTip(
        QStringLiteral("Which field holds the birthdays, and how many days ahead the reminder looks"));
    (new QVBoxLayout(m_sheetNotebook))->addWidget(m_notebookPanel);
    connect(m_notebookPanel, &TO_notebook::PendingEditsChanged, this, &TFmain::UpdateCommands);

    m_sheetFields = Sheet("TabSheet_fields", m_pageControl);
    m_fieldsPanel = new TO_fields(*this, m_sheetFields);
    m_fieldsPanel->setObjectName(QStringLiteral("O_fields1"));
    (new QVBoxLayout(m_sheetFields))->addWidget(m_fieldsPanel);

    m_sheetPages = Sheet("TabSheet_pages", m_pageControl);
    m_labelNotebookName = new QLabel(m_sheetPages);
    m_labelNotebookName->setObjectName(QStringLiteral("Label_nb_name"));
    QFont headingFont = m_labelNotebookName->font();
    headingFont.setBold(true);
    m_labelNotebookName->setFont(headingFont);
    m_pageTabs = new QTabWidget(m_sheetPages);
    m_pageTabs->setObjectName(QStringLiteral("PageControl_pages"));
    m_pagesPanel = new TO_pages(*this, m_pageTabs);
    m_pagesPanel->setObjectName(QStringLiteral("O_pages1"));
    m_pageTabs->addTab(m_pagesPanel, QStringLiteral("Pages of notebook"));
    m_prnPage = new TO_prn_page(m_pageTabs);
    m_prnPage->setObjectName(QStringLiteral("O_prn_page1"));
    m_prnPage->SB_show_template->setText(QStringLiteral("Check template"));
    connect(m_prnPage, &TO_prn_page::TemplateShown, this, &TFmain::TemplateChecked);
    connect(m_prnPage, &TO_prn_page::TemplateEdited, this, [this] { SetChanged(true); });
    m_pageTabs->addTab(m_prnPage, QStringLiteral("Print template"));
    auto* pagesLayout = new QVBoxLayout(m_sheetPages);
    pagesLayout->addWidget(m_labelNotebookName);
    pagesLayout->addWidget(m_pageTabs, 1);

    m_sheetData = Sheet("TabSheet_data", m_pageControl);
    m_notepad = new TO_notepad(m_sheetData);
    m_notepad->setObjectName(QStringLiteral("O_notepad1"));
    (new QVBoxLayout(m_sheetData))->addWidget(m_notepad);
    m_gridBinding = new TRecordGridBinding(*this, *m_notepad, *m_guider, this);
    connect(m_notepad, &TO_notepad::EditingChanged, this, &TFmain::UpdateCommands);

    m_splitter->addWidget(m_guider);
    m_splitter->addWidget(m_pageControl);
    m_splitter->setStretchFactor(1, 1);
    m_guiderWidth = StartingGuiderWidth();
    m_splitter->setSizes({ m_guiderWidth, 600 });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        m_guiderWidth = m_splitter->sizes().value(0);
        m_settings->SetGuiderWidth(m_guiderWidth);
    });
    setCentralWidget(m_splitter);
    m_pageControl->setCurrentWidget(m_noSheet);
}

int TFmain::StartingGuiderWidth() const
{
    if (const int stored = m_settings->GuiderWidth())
        return stored;
    // Two levels of indentation, the icon, the text and the view's own margins.
    const QTreeWidget* tree = m_guider->TV1;
    const int needed = 2 * tree->indentation() + tree->iconSize().width()
        + tree->fontMetrics().horizontalAdvance(TypicalCaption) + 2 * tree->frameWidth() + 24;
    return qMax(GuiderWidth, needed);
}

QWidget* TFmain::NewStartHint()
{
    auto* hint = new QLabel(m_pageControl);
    hint->setObjectName(QStringLiteral("Label_start_hint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    hint->setMargin(24);
    hint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    hint->setText(QStringLiteral("No notebook file is open.\n\nChoose File > New to start a notebook file, or "
                                 "File > Open to open one.\nA sample notebook to try comes with the program:\n%1")
                      .arg(ProgramPaths::SampleNotebook()));
    return hint;
}

void TFmain::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    auto* first = new QLabel(bar);
    first->setObjectName(QStringLiteral("StatusPanel0"));
    first->setMinimumWidth(50);
    m_statusChanged = new QLabel(bar);
    m_statusChanged->setObjectName(QStringLiteral("StatusPanel1"));
    m_statusChanged->setMinimumWidth(100);
    m_statusFile = new QLabel(bar);
    m_statusFile->setObjectName(QStringLiteral("StatusPanel2"));
    m_statusFile->setMinimumWidth(50);
    m_statusFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(first);
    bar->addWidget(m_statusChanged);
    bar->addWidget(m_statusFile, 1);
}

void TFmain::SetChanged(bool changed) { m_session->SetChanged(changed); }

void TFmain::ChangedSet(bool changed)
{
    m_statusChanged->setText(changed ? QStringLiteral("Changed") : QString());
    UpdateTitle();
    UpdateCommands();
}

void TFmain::FileNameSet(const QString& fileName)
{
    m_statusFile->setText(fileName);
    UpdateTitle();
}

void TFmain::UpdateTitle()
{
    const QString file = FileName();
    setWindowFilePath(file);
    setWindowTitle(file.isEmpty() ? QStringLiteral("Quillo-ZDK[*]")
                                  : QStringLiteral("Quillo-ZDK - %1[*]").arg(QFileInfo(file).fileName()));
    setWindowModified(Changed());
}

void TFmain::CommitEdits()
{
    m_notebookPanel->ApplyPending();
    m_notepad->PostEdit();
}

void TFmain::ReleaseNotebook()
{
    CommitEdits();
    m_notepad->CloseNotebook();
    m_currentNotebook = nullptr;
}

void TFmain::DocumentReplaced()
{
    ForgetNodes();
    {
        const QSignalBlocker blocker(m_guider);
        m_guider->SetRoot(HasDocument() ? &Document() : nullptr);
        m_guider->SelectFirst();
    }
    GuiderSelectionChanged();
    emit DocumentStructureChanged();
}

void TFmain::NewNotebookWanted() { NewNotebook(); }

void TFmain::UpdateCommands()
{
    UpdateUndoCommands();
    // Typed but not applied is a change too: saving applies it.
    m_save->setEnabled(Changed() || m_notebookPanel->HasPendingEdits() || m_notepad->IsEditing());
    // Without a document there is nothing a notebook file could hold.
    m_saveAs->setEnabled(HasDocument());
    m_popNewNotebook->setEnabled(HasDocument() && Document().ChildCount() > 0);
    const TKelPigger* selected = m_guider->SelectedNode();
    const bool belowRoot = selected && selected != m_guider->Root();
    m_importContacts->setEnabled(m_currentNotebook && m_hooks.importContacts);
    m_exportContacts->setEnabled(m_currentNotebook && m_hooks.exportContacts);
    m_popFields->setEnabled(belowRoot);
    m_popPages->setEnabled(belowRoot);
    m_printNotebook->setEnabled(m_currentNotebook && m_hooks.printNotebook);
    // Commands whose windows are not built yet say so where the user looks for them.
    const auto later
        = [](bool available) { return available ? QString() : QStringLiteral(" (coming in a later version)"); };
    const bool canSearch = bool(m_hooks.search);
    for (QAction* action : { m_searchGlobal, m_searchDown, m_toolSearch, m_popSearchDown, m_popSearchGlobal }) {
        action->setEnabled(canSearch);
        action->setStatusTip(QStringLiteral("Finds a text in your notebooks") + later(canSearch));
    }
    for (QAction* action : { m_reminder, m_toolRemind }) {
        action->setEnabled(bool(m_hooks.reminder));
        action->setStatusTip(QStringLiteral("Lists the birthdays of the next days") + later(bool(m_hooks.reminder)));
    }
}

// Every change of the guider selection ends here, from the mouse, the keyboard or a command alike.
void TFmain::GuiderSelectionChanged()
{
    if (m_updating || !HasDocument())
        return;
    // Leaving the notebook panel applies what was typed into it; applying routes the selection anew.
    if (m_notebookPanel->ApplyPending())
        return;
    UpdateCommands();
    TKelPigger* selected = m_guider->SelectedNode();
    TKelPigger* notebook = m_guider->CurrentNotebookOf();
    ShowSheetFor(selected ? selected->Tag() : QByteArray(), notebook);
    if (selected && selected->Tag() == "FIELD")
        m_fieldsPanel->SelectNode(selected);
    if (notebook != m_currentNotebook) {
        m_notebookPanel->Load(notebook);
        m_notepad->CloseNotebook();
        m_currentNotebook = notebook;
        m_notepad->SetNotebook(notebook);
        m_notepad->OpenNotebook();
        // The commands on the current notebook follow it.
        UpdateCommands();
    }
    m_printNotebook->setEnabled(m_currentNotebook && m_hooks.printNotebook);
    if (selected && selected->Tag() == "PAGE")
        m_notepad->SelectPageByName(selected->GetAttr(QStringLiteral("NAME")));
}

void TFmain::ShowSheetFor(const QByteArray& tag, TKelPigger* notebook)
{
    // The list panels follow the notebook of the selection, which may be a new one.
    if (tag == "FIELDS" || tag == "FIELD") {
        m_fieldsPanel->Bind(notebook ? notebook->FindChild("FIELDS") : nullptr);
        m_pageControl->setCurrentWidget(m_sheetFields);
    } else if (tag == "PAGES") {
        m_pagesPanel->Bind(notebook ? notebook->FindChild("PAGES") : nullptr);
        m_labelNotebookName->setText(QStringLiteral("Settings of the pages of the \"%1\" notebook")
                                         .arg(notebook ? notebook->GetAttr(QStringLiteral("NAME")) : QString()));
        m_prnPage->SetNotebook(notebook);
        m_pageControl->setCurrentWidget(m_sheetPages);
    } else if (tag == "PAGE") {
        m_pageControl->setCurrentWidget(m_sheetData);
    } else {
        m_notebookPanel->SetDocument(&Document());
        m_pageControl->setCurrentWidget(m_sheetNotebook);
    }
}

void TFmain::StructureChanged()
{
    m_currentNotebook = nullptr;
    m_notepad->CloseNotebook();
    GuiderSelectionChanged();
    SetChanged(true);
    emit DocumentStructureChanged();
}

void TFmain::WalkDocument(TKelPigger& start, const TNodeVisitor& visit)
{
    // Paint and timer events run between nodes; user input waits, so no command can change the
    // tree under the walk.
    ++m_walking;
    const auto done = qScopeGuard([this] { --m_walking; });
    NotebookEdits::WalkTree(start, visit, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
}

TKelPigger* TFmain::CurrentFields() const
{
    return m_currentNotebook ? m_currentNotebook->FindChild("FIELDS") : nullptr;
}

TKelPigger* TFmain::CurrentPages() const { return m_currentNotebook ? m_currentNotebook->FindChild("PAGES") : nullptr; }

void TFmain::ShowFieldList()
{
    if (TKelPigger* fields = CurrentFields())
        m_guider->Select(fields);
}

void TFmain::ShowPageList()
{
    if (TKelPigger* pages = CurrentPages())
        m_guider->Select(pages);
}

void TFmain::ReleaseRecordGrid()
{
    CommitEdits();
    m_notepad->CloseNotebook();
}

void TFmain::ForgetNodes()
{
    m_notepad->CloseNotebook();
    m_currentNotebook = nullptr;
    m_notebookPanel->Load(nullptr);
    m_fieldsPanel->Bind(nullptr);
    m_pagesPanel->Bind(nullptr);
    m_prnPage->SetNotebook(nullptr);
}

void TFmain::DeleteNotebook(TKelPigger& notebook)
{
    TEditStep step(History(), QStringLiteral("Delete notebook"), Document());
    {
        m_updating = true;
        const auto resume = qScopeGuard([this] { m_updating = false; });
        ForgetNodes();
        if (QTreeWidgetItem* item = m_guider->ItemOf(&notebook))
            m_guider->DeleteItem(item);
        else
            delete &notebook;
        m_guider->SelectFirst();
    }
    StructureChanged();
}

void TFmain::NewNotebook()
{
    if (!HasDocument() || !m_hooks.notebookWizard)
        return;
    TEditStep step(History(), QStringLiteral("New notebook"), Document());
    TKelPigger* notebook = m_hooks.notebookWizard->Run(Document());
    if (!notebook)
        return;
    {
        const QSignalBlocker blocker(m_guider);
        m_guider->Rebuild();
    }
    m_guider->Select(notebook);
    StructureChanged();
}

TKelPigger* TFmain::AddField(const QString& name)
{
    TKelPigger* fields = CurrentFields();
    QString refusal;
    const QString checked = fields ? NotebookEdits::NewFieldName(*fields, name, refusal) : QString();
    return AddListChild(fields, "FIELD", checked, refusal);
}

TKelPigger* TFmain::AddPage(const QString& name)
{
    TKelPigger* pages = CurrentPages();
    QString refusal;
    const QString checked = pages ? NotebookEdits::NewPageName(*pages, name, refusal) : QString();
    return AddListChild(pages, "PAGE", checked, refusal);
}

TKelPigger* TFmain::AddListChild(TKelPigger* list, const QByteArray& tag, const QString& name, const QString& refusal)
{
    if (!list)
        return nullptr;
    if (!refusal.isEmpty()) {
        m_prompts->Msg(refusal);
        return nullptr;
    }
    TEditStep step(History(), tag == "PAGE" ? QStringLiteral("New page") : QStringLiteral("New field"), *list);
    TKelPigger* node = m_guider->AddChild(m_guider->ItemOf(list));
    if (!node)
        return nullptr;
    node->SetTag(tag);
    node->SetAttr(QStringLiteral("NAME"), name);
    m_guider->Select(node);
    m_guider->RefreshSelected();
    // A selected page would show the record grid; the list stays in view.
    if (tag == "PAGE")
        m_guider->Select(list);
    StructureChanged();
    return node;
}

void TFmain::TemplateChecked()
{
    // The record grid reads the print template when it opens the notebook.
    if (m_currentNotebook) {
        m_notepad->CloseNotebook();
        m_notepad->SetNotebook(m_currentNotebook);
        m_notepad->OpenNotebook();
    }
    SetChanged(true);
}

void TFmain::EditReminderSettings(TKelPigger* notebook)
{
    if (notebook && m_hooks.reminderSettings)
        m_hooks.reminderSettings(*notebook);
}

void TFmain::GoToNode(TKelPigger& node)
{
    if (node.Tag() != "REC") {
        m_guider->Select(&node);
        return;
    }
    // Selecting the page opens its notebook in the record grid on the page's tab.
    TKelPigger* page = NodeLookup::PageOf(node);
    if (!page)
        return;
    m_guider->Select(page);
    if (m_notepad->CurrentPage() == page)
        m_notepad->LocateRecord(&node);
}

void TFmain::Search(std::optional<bool> global)
{
    if (m_hooks.search)
        m_hooks.search(m_guider->Root(), m_guider->SelectedNode(), global);
}

void TFmain::Remind()
{
    if (m_hooks.reminder)
        m_hooks.reminder();
}

void TFmain::ImportContacts()
{
    TKelPigger* notebook = m_currentNotebook;
    if (!notebook || !m_hooks.importContacts)
        return;
    CommitEdits();
    const std::unique_ptr<TKelPigger> imported = m_hooks.importContacts(*notebook);
    if (!imported)
        return;
    TEditStep step(History(), QStringLiteral("Import contacts"), *notebook);
    {
        // The panels and the guider let go of the old fields and pages before they go.
        m_updating = true;
        const auto resume = qScopeGuard([this] { m_updating = false; });
        ForgetNodes();
        const QSignalBlocker blocker(m_guider);
        ContactImport::Commit(*notebook, *imported);
        m_guider->Rebuild();
    }
    m_guider->Select(notebook);
    StructureChanged();
}

void TFmain::ExportContacts()
{
    if (!m_currentNotebook || !m_hooks.exportContacts)
        return;
    CommitEdits();
    TKelPigger* selected = m_guider->SelectedNode();
    m_hooks.exportContacts(*m_currentNotebook, selected && selected->Tag() == "PAGE" ? selected : nullptr);
}

void TFmain::UndoStep(bool undo)
{
    if (!m_session || m_walking > 0)
        return;
    CommitEdits();
    TEditHistory& history = m_session->History();
    if (undo ? history.CanUndo() : history.CanRedo())
        undo ? history.Undo() : history.Redo();
}

void TFmain::UpdateUndoCommands()
{
    TEditHistory* history = History();
    const bool canUndo = history && history->CanUndo();
    const bool canRedo = history && history->CanRedo();
    // What is typed and not applied yet is applied by Undo and then undone.
    m_undo->setEnabled(canUndo || m_notebookPanel->HasPendingEdits() || m_notepad->IsEditing());
    m_redo->setEnabled(canRedo);
    m_undo->setText(canUndo ? QStringLiteral("&Undo %1").arg(history->UndoText()) : QStringLiteral("&Undo"));
    m_redo->setText(canRedo ? QStringLiteral("&Redo %1").arg(history->RedoText()) : QStringLiteral("&Redo"));
    m_undo->setToolTip(QString(m_undo->text()).remove(QLatin1Char('&')));
    m_redo->setToolTip(QString(m_redo->text()).remove(QLatin1Char('&')));
}

void TFmain::BeforeRestore()
{
    // Nodes are about to be freed and read back: remember what was shown by place, then let go of them.
    m_shownBeforeRestore = {};
    if (const TKelPigger* selected = m_guider->SelectedNode())
        m_shownBeforeRestore.selected = NodePath::Of(*selected);
    if (const TKelPigger* record = m_notepad->CurRecord())
        m_shownBeforeRestore.record = NodePath::Of(*record);
    for (QTreeWidgetItemIterator it(m_guider->TV1); *it; ++it) {
        if (const TKelPigger* node = TOPigSructEd::NodeOf(*it))
            m_shownBeforeRestore.expanded.insert(NodePath::Of(*node), (*it)->isExpanded());
    }
    m_updating = true;
    ForgetNodes();
    const QSignalBlocker blocker(m_guider);
    m_guider->SetRoot(nullptr);
}

void TFmain::AfterRestore(const TNodePath& focus)
{
    TKelPigger& changed = NodePath::Nearest(Document(), focus);
    TKelPigger* record = &changed;
    while (record && record->Tag() != "REC")
        record = record->Parent();
    TKelPigger* page = changed.Tag() == "PAGE" ? &changed : NodeLookup::PageOf(changed);
    {
        const auto resume = qScopeGuard([this] { m_updating = false; });
        const QSignalBlocker blocker(m_guider);
        m_guider->SetRoot(HasDocument() ? &Document() : nullptr);
        for (QTreeWidgetItemIterator it(m_guider->TV1); *it; ++it) {
            const TKelPigger* node = TOPigSructEd::NodeOf(*it);
            const auto expanded = node ? m_shownBeforeRestore.expanded.constFind(NodePath::Of(*node))
                                       : m_shownBeforeRestore.expanded.constEnd();
            if (expanded != m_shownBeforeRestore.expanded.constEnd())
                (*it)->setExpanded(*expanded);
        }
        // The view the user was on stays when it holds the change or lies in it (the page list after a page came
        // back, the print template tab after the template); otherwise the change is shown: its page in the grid,
        // or its node in the guider.
        TKelPigger* before
            = m_shownBeforeRestore.selected ? NodePath::Resolve(Document(), *m_shownBeforeRestore.selected) : nullptr;
        const bool related = before && (NodePath::IsWithin(changed, *before) || NodePath::IsWithin(*before, changed));
        TKelPigger* target = related && before != &Document() ? before : page ? page : &changed;
        while (target && !m_guider->ItemOf(target))
            target = target->Parent();
        if (target)
            m_guider->Select(target);
        else
            m_guider->SelectFirst();
    }
    GuiderSelectionChanged();
    if (!record || record->Parent() != m_notepad->CurrentPage()) {
        record = NodePath::Resolve(Document(), m_shownBeforeRestore.record);
        if (record && (record->Tag() != "REC" || record->Parent() != m_notepad->CurrentPage()))
            record = nullptr;
    }
    if (record && m_notepad->CurrentPage())
        m_notepad->LocateRecord(record);
    m_shownBeforeRestore = {};
    emit DocumentStructureChanged();
    UpdateCommands();
}

void TFmain::ShowAbout()
{
    if (!m_about) {
        m_about = new TF_about(this);
        connect(m_about, &TF_about::GuideWanted, this, &TFmain::OpenDocumentation);
    }
    m_about->exec();
}

void TFmain::OpenDocumentation()
{
    const QString path = ProgramPaths::DocumentationFile();
    if (!m_desktop->Open(QUrl::fromLocalFile(path).toString()))
        m_prompts->Msg(QStringLiteral("The user guide could not be shown: no program to open it was found.\nOpen "
                                      "this file in a web browser:\n%1")
                           .arg(path));
}

void TFmain::ShowGuider(bool visible)
{
    m_guider->setVisible(visible);
    if (visible) {
        const QList<int> sizes = m_splitter->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        m_splitter->setSizes({ m_guiderWidth, qMax(total - m_guiderWidth, m_guiderWidth) });
    }
}

void TFmain::closeEvent(QCloseEvent* event)
{
    // A walk over the document is running below us; closing now would free what it walks.
    if (m_walking > 0) {
        event->ignore();
        return;
    }
    // Exit saves the settings and asks about changes; a save the user wanted that failed keeps the window.
    if (m_session && !m_session->Exit()) {
        event->ignore();
        GuiderSelectionChanged();
        return;
    }
    event->accept();
}

} // namespace quillo
