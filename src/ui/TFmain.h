#pragma once

#include "notebook/TNotebookSession.h"
#include "notebook/TUserSettings.h"
#include "records/widgets/ILookupHost.h"
#include "shell/IMainWindow.h"
#include "ui/TOPigSructEd.h"

#include <QMainWindow>
#include <QMap>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class QWidget;

namespace quillo {

class IDatePicker;
class IDesktop;
class IFieldPropsEditor;
class IFileDialogs;
class INotebookWizard;
class IPrompts;
class IRecordEditor;
class TF_about;
class TOPigExplorer;
class TO_fields;
class TO_notebook;
class TO_notepad;
class TO_pages;
class TO_prn_page;
class TRecordGridBinding;

// The dialogs that are created after the main window and handed to it.
struct TMainHooks {
    IFieldPropsEditor* fieldProps = nullptr;
    // The new-notebook wizard of New, the notebook panel and the guider pop-up.
    INotebookWizard* notebookWizard = nullptr;
    // Root, selected node, and the global flag of the menu entries (none from the toolbar).
    std::function<void(TKelPigger* root, TKelPigger* current, std::optional<bool> global)> search;
    std::function<void()> reminder;
    std::function<void(TKelPigger& notebook)> reminderSettings;
    // The record form and the calendar of the record grid.
    IRecordEditor* recordEditor = nullptr;
    IDatePicker* datePicker = nullptr;
    // Prints a page of the record grid with a print template.
    std::function<void(TKelPigger& page, const QString& printTemplate)> printPage;
    // Imports contacts into a copy of the notebook and returns the copy when the user keeps the import.
    std::function<std::unique_ptr<TKelPigger>(const TKelPigger& notebook)> importContacts;
    // Exports the notebook's contacts, or those of the page when one is given.
    std::function<void(const TKelPigger& notebook, const TKelPigger* page)> exportContacts;
    // Prints the notebook's pages as organiser leaves with its print template.
    std::function<void(TKelPigger& notebook)> printNotebook;
};

// The main window: the guider on the left, the panel of the selected node on the right. It owns the
// document session and the user settings.
class TFmain : public QMainWindow, public IMainWindow, public ILookupHost, private ISessionListener {
    Q_OBJECT

public:
    explicit TFmain(const QString& settingsPath = TUserSettings::DefaultPath(), QWidget* parent = nullptr);
    ~TFmain() override;

    // Takes the seams for questions, file choices and the desktop, and opens the file of the last run.
    // Called once the shared dialogs exist.
    void Start(IPrompts& prompts, IFileDialogs& fileDialogs, IDesktop& desktop);
    void SetHooks(const TMainHooks& hooks);

    TNotebookSession& Session() { return *m_session; }
    TUserSettings& Settings() { return *m_settings; }

    TKelPigger& Document() override { return m_session->Document(); }
    TOPigSructEd& Guider() override;
    IPrompts& Prompts() override { return *m_prompts; }
    TEditHistory* History() override { return m_session ? &m_session->History() : nullptr; }
    void SetChanged(bool changed) override;
    void StructureChanged() override;
    void WalkDocument(TKelPigger& start, const TNodeVisitor& visit) override;
    TKelPigger* CurrentNotebook() const override { return m_currentNotebook; }
    TKelPigger* CurrentFields() const override;
    TKelPigger* CurrentPages() const override;
    void ShowFieldList() override;
    void ShowPageList() override;
    void ReleaseRecordGrid() override;
    void DeleteNotebook(TKelPigger& notebook) override;
    void NewNotebook() override;
    TKelPigger* AddField(const QString& name) override;
    TKelPigger* AddPage(const QString& name) override;
    void EditReminderSettings(TKelPigger* notebook) override;
    void GoToNode(TKelPigger& node) override;

    // The print-template frame of the page settings: page printing takes its passed parameters from it.
    TO_prn_page& PrintTemplateFrame() const { return *m_prnPage; }

    bool Changed() const { return m_session && m_session->Changed(); }
    QString FileName() const { return m_session ? m_session->FileName() : QString(); }

    void ShowAbout();
    void OpenDocumentation();
    void Search(std::optional<bool> global);
    void Remind();
    void ImportContacts();
    void ExportContacts();
    // Edit > Undo and Redo: pending edits are applied first, so they are what is undone.
    void Undo() { UndoStep(true); }
    void Redo() { UndoStep(false); }

signals:
    // The document was replaced or its shape changed: lists that keep its nodes must let go of them.
    void DocumentStructureChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CommitEdits() override;
    void ReleaseNotebook() override;
    void DocumentReplaced() override;
    void NewNotebookWanted() override;
    void ChangedSet(bool changed) override;
    void FileNameSet(const QString& fileName) override;

    bool HasDocument();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreatePanels();
    void CreateStatusBar();
    QAction* NewAction(const char* name, const QString& text, const QKeySequence& shortcut = {});
    void GuiderSelectionChanged();
    void ShowSheetFor(const QByteArray& tag, TKelPigger* notebook);
    void UpdateCommands();
    void ForgetNodes();
    TKelPigger* AddListChild(TKelPigger* list, const QByteArray& tag, const QString& name, const QString& refusal);
    void TemplateChecked();
    void ShowGuider(bool visible);
    void UpdateTitle();
    int StartingGuiderWidth() const;
    QWidget* NewStartHint();
    void BindRecordGrid();
    void UndoStep(bool undo);
    void UpdateUndoCommands();
    void BeforeRestore();
    // focus: the node that holds the first change the step brought back.
    void AfterRestore(const TNodePath& focus);

    IPrompts* m_prompts = nullptr;
    IDesktop* m_desktop = nullptr;
    IFileDialogs* m_fileDialogs = nullptr;
    TMainHooks m_hooks;

    // The settings outlive the session: they are saved once more when the window goes.
    std::unique_ptr<TUserSettings> m_settings;
    std::unique_ptr<TNotebookSession> m_session;
    bool m_updating = false;
    int m_walking = 0;
    TKelPigger* m_currentNotebook = nullptr;
    // What the window showed before a step was read back, by place, so that it shows the same after.
    struct TShownPlaces {
        std::optional<TNodePath> selected;
        TNodePath record;
        QMap<TNodePath, bool> expanded;
    };
    TShownPlaces m_shownBeforeRestore;

    TOPigExplorer* m_guider = nullptr;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_pageControl = nullptr;
    QWidget* m_noSheet = nullptr;
    int m_guiderWidth = 0;
    QWidget* m_sheetNotebook = nullptr;
    QWidget* m_sheetFields = nullptr;
    QWidget* m_sheetPages = nullptr;
    QWidget* m_sheetData = nullptr;
    QLabel* m_labelNotebookName = nullptr;
    QTabWidget* m_pageTabs = nullptr;
    TO_notebook* m_notebookPanel = nullptr;
    TO_fields* m_fieldsPanel = nullptr;
    TO_pages* m_pagesPanel = nullptr;
    TO_prn_page* m_prnPage = nullptr;
    TO_notepad* m_notepad = nullptr;
    TRecordGridBinding* m_gridBinding = nullptr;
    TF_about* m_about = nullptr;
    QLabel* m_statusChanged = nullptr;
    QLabel* m_statusFile = nullptr;

    QToolBar* m_toolBar = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_new = nullptr;
    QAction* m_open = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_importContacts = nullptr;
    QAction* m_exportContacts = nullptr;
    QAction* m_searchGlobal = nullptr;
    QAction* m_searchDown = nullptr;
    QAction* m_reminder = nullptr;
    QAction* m_printNotebook = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_documentation = nullptr;
    QAction* m_toolSearch = nullptr;
    QAction* m_toolRemind = nullptr;
    QAction* m_toolSettings = nullptr;
    QAction* m_toolGuider = nullptr;
    QAction* m_popNewFile = nullptr;
    QAction* m_popNewNotebook = nullptr;
    QAction* m_popFields = nullptr;
    QAction* m_popPages = nullptr;
    QAction* m_popSearchDown = nullptr;
    QAction* m_popSearchGlobal = nullptr;
};

} // namespace quillo
