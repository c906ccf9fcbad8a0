#pragma once

#include <QFrame>
#include <QPoint>

#include <functional>

class QAction;
class QBoxLayout;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QMimeData;
class QModelIndex;
class QTabBar;
class QTableView;

namespace quillo {

class IDatePicker;
class IDesktop;
class IFileDialogs;
class INotepadHost;
class IPrompts;
class IRecordEditor;
class TEditHistory;
class TKelPigger;
class TNotepadModel;

// What the record grid works through; set once by the window before the grid is used.
struct TNotepadServices {
    INotepadHost* host = nullptr;
    IPrompts* prompts = nullptr;
    IFileDialogs* fileDialogs = nullptr;
    IDesktop* desktop = nullptr;
    IDatePicker* datePicker = nullptr;
    IRecordEditor* recordEditor = nullptr;
};

// The record grid of the data sheet: one tab per page of the notebook, one row per record of the
// selected page, in-place editing with an explicit post or cancel, the record form and the links.
class TO_notepad : public QFrame {
    Q_OBJECT

public:
    // The drag of a record out of the grid carries this type with the process id; the record itself is
    // CurRecord().
    static const QString RecordMimeType;

    explicit TO_notepad(QWidget* parent = nullptr);

    void SetServices(const TNotepadServices& services) { m_services = services; }
    // Runs a started drag; by default a QDrag that moves. Tests replace it.
    void SetDragRunner(std::function<void(QMimeData*)> runner) { m_dragRunner = std::move(runner); }

    void SetNotebook(TKelPigger* notebook) { m_notebook = notebook; }
    TKelPigger* Notebook() const { return m_notebook; }
    void OpenNotebook();
    void CloseNotebook();
    void SelectPageByName(const QString& name);
    void LocateRecord(TKelPigger* record);
    // Posts an open in-place edit: the window calls it before the document is saved.
    void PostEdit() { Post(); }
    // Shows the current page again after its records changed outside the grid.
    void Refill();
    void SetRightTabs(bool right);

    bool IsActive() const { return m_active; }
    bool IsEditing() const { return m_editing; }
    bool RightTabs() const { return m_rightTabs; }
    int RecordsPerPage() const;
    QString FieldTitle(const QString& name) const;
    QString PageTitle(const QString& name) const;
    TKelPigger* CurrentPage() const;
    QString CurrentPageName() const;
    TKelPigger* CurRecord() const { return m_curRecord; }
    QString CurFieldName() const { return m_curFieldName; }
    QString PrintTemplate() const { return m_printTemplate; }

    QTabBar* TabControl1;
    QTableView* Grid1;
    QLineEdit* InplaceEditor;
    QMenu* PopupMenu1;

signals:
    // An in-place edit was opened, or posted or cancelled.
    void EditingChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* NewCommand(const char* menuName, const QString& caption, const QString& hint, void (TO_notepad::*slot)());
    void BuildTabs();
    void Fill(TKelPigger* page);
    void CurrentCellChanged(const QModelIndex& current);
    void ReadCurrentCell();
    void UpdateCommands();
    void TabChanged(int index);
    bool GridKey(const QKeyEvent& key);
    bool EditorEvent(QEvent* event);
    bool ViewportMouse(QEvent* event);
    void ShowHeaderMenu(const QPoint& pos);

    void Append();
    void Delete();
    void StartEditing();
    void Post();
    void Cancel();
    void EditForm();
    void MoveUp() { MoveRecord(true); }
    void MoveDown() { MoveRecord(false); }
    void MoveRecord(bool up);
    void Print();
    void PrintNotebook();
    void GoToHttp();
    void SendEmail();
    void OpenFile();
    void DoubleClicked();
    void Sort(int column, bool ascending);
    void PickFile();
    void PickDate();
    void EndEditing();
    void SetChanged();
    TEditHistory* History() const;
    QString FeatureValue(const QString& field) const;

    TNotepadServices m_services;
    std::function<void(QMimeData*)> m_dragRunner;
    TNotepadModel* m_model;
    QBoxLayout* m_gridLayout;
    TKelPigger* m_notebook = nullptr;
    TKelPigger* m_curRecord = nullptr;
    QString m_curFieldName;
    QString m_editText;
    QString m_printTemplate;
    QString m_httpField;
    QString m_emailField;
    QString m_fileField;
    QString m_dateField;
    bool m_active = false;
    bool m_editing = false;
    bool m_rightTabs = false;
    // A dialog opened by editing takes the focus without ending the edit.
    bool m_inDialog = false;
    QPoint m_pressPos;
    bool m_pressed = false;

    QAction* N_Append;
    QAction* N_Delete;
    QAction* N_Edit;
    QAction* N_Editrecord;
    QAction* N_Post;
    QAction* N_Cancel;
    QAction* N_Recordup;
    QAction* N_Recorddown;
    QAction* N_Print;
    QAction* N_Printnotebook;
    QAction* N_Gotohttp;
    QAction* N_Sendemail;
    QAction* N_Openfile;
};

} // namespace quillo
