#pragma once

#include "notebook/TDiskFileOps.h"
#include "notebook/TEditHistory.h"
#include "tree/TKelPigger.h"

namespace quillo {

class IPrompts;
class IFileDialogs;
class TUserSettings;

// What the session needs from the window. Every call is synchronous and happens at the point of the
// file commands where the window has its part; the defaults do nothing.
class ISessionListener {
public:
    virtual ~ISessionListener() = default;

    // Before a save writes the document: edits typed into the panels and not yet applied, and the record
    // grid's pending cell edit, go into the document (which may call SetChanged).
    virtual void CommitEdits() { }
    // Before AskSave looks at Changed: pending edits are committed as by CommitEdits, the record grid
    // releases its notebook and the window forgets its current notebook.
    virtual void ReleaseNotebook() { }
    // The document was emptied (NewDocument) or filled from a file (LoadFile): rebuild the guider from
    // Document() and show the panel of its first item.
    virtual void DocumentReplaced() { }
    // After NewDocument from the New command or a failed load: run the new-notebook wizard on Document().
    virtual void NewNotebookWanted() { }
    // Changed was set (also to the same value): update the "Changed" status panel and the Save commands.
    virtual void ChangedSet(bool changed) { (void)changed; }
    // FileName was set: update the file name status panel.
    virtual void FileNameSet(const QString& fileName) { (void)fileName; }
};

// The notebook document and the file it lives in: the commands New, Open, Save, Save as and Exit, the
// changed state, and the question before changes are lost. Questions, messages and file names go through
// the prompts and file dialogs; the last file and folder are kept in the user settings.
//
// Saving never damages the file: a ".BAK" copy is made first (copied, not moved), then the new text
// replaces the file only once it is completely written. When any step fails the user is told, the file
// is as it was and Changed stays true.
class TNotebookSession {
public:
    TNotebookSession(TUserSettings& settings, IPrompts& prompts, IFileDialogs& dialogs);
    TNotebookSession(const TNotebookSession&) = delete;
    TNotebookSession& operator=(const TNotebookSession&) = delete;

    // The window; nullptr detaches it.
    void SetListener(ISessionListener* listener) { m_listener = listener ? listener : &m_silent; }
    // Tests make single file steps fail through this; the disk is used otherwise.
    void SetFileOps(IFileOps& files) { m_files = &files; }

    TKelPigger& Document() { return m_document; }
    // The steps of the edits since the document was made or read; Changed follows its clean state.
    TEditHistory& History() { return m_history; }
    const QString& FileName() const { return m_fileName; }
    bool Changed() const { return m_changed; }

    // Every edit of the document ends in SetChanged(true); only a save, a new document or undoing back to the
    // state last saved clears it.
    void SetChanged(bool changed);
    void SetFileName(const QString& fileName);

    // Start-up: opens the file named by the settings' DOC_NAME, if any.
    void Start();
    // Reads FileName into the document. A file that cannot be read or fails the opening check is answered
    // with "Can't load file FILE", a new document and the wizard. Returns true when a file was loaded.
    bool LoadFile();
    // Empties the document to a bare NOTEBOOKS root without a file; Changed becomes false.
    void NewDocument();

    // The New command; fromUser asks "Create new file?" before discarding the document. Stops when the user
    // escapes the question about changes, or wanted them saved and that failed.
    void New(bool fromUser = true);
    // The Open command. Returns true when a file was chosen (even when it then failed to load).
    bool Open();
    // Save and Save as return true when the document was written; on false the user has been told. A
    // document that the opening check would refuse is never written.
    bool Save();
    bool SaveAs();
    // Asks "Save changes?" when the document has changed. True when the changes are safe or the user chose
    // "No" to discard them; false when the user escaped the question (or chose cancelButton's "Cancel"), or
    // wanted the changes saved and the save failed or was cancelled.
    bool AskSave(bool cancelButton = false);
    // Exit or closing the window: saves the settings and asks "Save changes?" with Yes, No and Cancel.
    // False means the window stays open with the document as it is.
    bool Exit();

    // The filter of the open and save dialogs.
    static QString FileFilter();
    // Why a document that fails the opening check is not saved.
    static QString UnwritableMessage();

private:
    // Reads FileName into the document; returns why it cannot be used, or an empty string.
    QString LoadDocument();
    // False, after telling the user, when the document must not be written.
    bool Writable();
    void RememberFile(const QString& path);

    TUserSettings& m_settings;
    IPrompts& m_prompts;
    IFileDialogs& m_dialogs;
    TDiskFileOps m_disk;
    IFileOps* m_files = &m_disk;
    ISessionListener m_silent;
    ISessionListener* m_listener = &m_silent;

    TKelPigger m_document;
    TEditHistory m_history { m_document };
    QString m_fileName;
    bool m_changed = false;
};

} // namespace quillo
