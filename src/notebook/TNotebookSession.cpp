#include "notebook/TNotebookSession.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookSchema.h"
#include "notebook/TSafeFileWriter.h"
#include "notebook/TUserSettings.h"

#include <QFileInfo>

#include <exception>

namespace quillo {

TNotebookSession::TNotebookSession(TUserSettings& settings, IPrompts& prompts, IFileDialogs& dialogs)
    : m_settings(settings)
    , m_prompts(prompts)
    , m_dialogs(dialogs)
{
}

QString TNotebookSession::FileFilter() { return QStringLiteral("quillo-zdk data (*.zdk);;all files (*)"); }

void TNotebookSession::SetChanged(bool changed)
{
    m_changed = changed;
    m_listener->ChangedSet(changed);
}

void TNotebookSession::SetFileName(const QString& fileName)
{
    m_fileName = fileName;
    m_listener->FileNameSet(fileName);
}

void TNotebookSession::Start()
{
    SetFileName(m_settings.GetDocName());
    LoadFile();
}

bool TNotebookSession::LoadFile()
{
    if (m_fileName.trimmed().isEmpty())
        return false;
    if (LoadDocument()) {
        m_listener->DocumentReplaced();
        return true;
    }
    // The reader's own message and position mean nothing to the user here.
    m_prompts.ShowMessage(NotebookSchema::CantLoadFileMessage(m_fileName));
    New(false);
    return false;
}

bool TNotebookSession::LoadDocument()
{
    try {
        m_document.LoadFromFile(m_fileName);
    } catch (const std::exception&) {
        // Reading faults, and also a file too large for memory: all mean the file cannot be used.
        return false;
    }
    return NotebookSchema::CheckStructure(m_document);
}

void TNotebookSession::NewDocument()
{
    m_document.Clear();
    SetFileName(QString());
    m_document.SetTag("NOTEBOOKS");
    SetChanged(false);
    m_listener->DocumentReplaced();
}

void TNotebookSession::New(bool fromUser)
{
    AskSave();
    if (fromUser && !m_prompts.Sure(QStringLiteral("Create new file?")))
        return;
    NewDocument();
    m_listener->NewNotebookWanted();
}

bool TNotebookSession::Open()
{
    if (!AskSave())
        return false;
    const QString path = m_dialogs.OpenFileName(QStringLiteral("Open"), m_settings.GetDataDir(), FileFilter());
    if (path.isEmpty())
        return false;
    NewDocument();
    SetFileName(path);
    LoadFile();
    // Remembered even when loading failed, so the next start tries the same file again.
    RememberFile(path);
    return true;
}

bool TNotebookSession::Save()
{
    if (m_fileName.trimmed().isEmpty())
        return SaveAs();
    TSafeFileWriter writer(*m_files);
    if (!writer.WriteWithBackup(m_fileName, TSafeFileWriter::BackupName(m_fileName), m_document.SaveToText())) {
        m_prompts.ShowMessage(writer.Error());
        return false;
    }
    SetChanged(false);
    return true;
}

bool TNotebookSession::SaveAs()
{
    const QString path
        = m_dialogs.SaveFileName(QStringLiteral("Save as"), m_settings.GetDataDir(), FileFilter(), m_fileName);
    if (path.isEmpty())
        return false;
    TSafeFileWriter writer(*m_files);
    if (!writer.Write(path, m_document.SaveToText())) {
        m_prompts.ShowMessage(writer.Error());
        return false;
    }
    SetChanged(false);
    RememberFile(path);
    SetFileName(path);
    return true;
}

bool TNotebookSession::AskSave()
{
    m_listener->ReleaseNotebook();
    if (!m_changed)
        return true;
    if (!m_prompts.Sure(QStringLiteral("Save changes?")))
        return true;
    return Save();
}

bool TNotebookSession::Exit()
{
    m_settings.Save();
    return AskSave();
}

void TNotebookSession::RememberFile(const QString& path)
{
    m_settings.SetDocName(path);
    m_settings.SetDataDir(QFileInfo(path).absolutePath());
}

} // namespace quillo
