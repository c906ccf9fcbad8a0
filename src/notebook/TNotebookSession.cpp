#include "notebook/TNotebookSession.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookSchema.h"
#include "notebook/TSafeFileWriter.h"
#include "notebook/TUserSettings.h"

#include "tree/EKelPiggerError.h"
#include "tree/KelTextFile.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <new>

namespace quillo {

TNotebookSession::TNotebookSession(TUserSettings& settings, IPrompts& prompts, IFileDialogs& dialogs)
    : m_settings(settings)
    , m_prompts(prompts)
    , m_dialogs(dialogs)
{
    QObject::connect(&m_history, &TEditHistory::StateChanged, [this] {
        if (m_changed == m_history.IsClean())
            SetChanged(!m_history.IsClean());
    });
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
    const QString fault = LoadDocument();
    if (fault.isEmpty()) {
        m_listener->DocumentReplaced();
        return true;
    }
    m_prompts.ShowMessage(NotebookSchema::CantLoadFileMessage(m_fileName, fault));
    New(false);
    return false;
}

QString TNotebookSession::LoadDocument()
{
    m_history.Clear();
    QFile file;
    QString refusal = KelTextFile::Open(file, m_fileName);
    if (!refusal.isEmpty())
        return refusal;
    try {
        m_document.LoadFromStream(file);
    } catch (const EKelPiggerError& error) {
        return QStringLiteral("%1 at byte %2").arg(error.Message()).arg(error.Position);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return NotebookSchema::StructureFault(m_document);
}

void TNotebookSession::NewDocument()
{
    m_history.Clear();
    m_document.Clear();
    SetFileName(QString());
    m_document.SetTag("NOTEBOOKS");
    SetChanged(false);
    m_listener->DocumentReplaced();
}

void TNotebookSession::New(bool fromUser)
{
    if (!AskSave())
        return;
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
    if (!Writable())
        return false;
    TSafeFileWriter writer(*m_files);
    if (!writer.WriteWithBackup(m_fileName, TSafeFileWriter::BackupName(m_fileName), m_document.SaveToText())) {
        m_prompts.ShowMessage(writer.Error());
        return false;
    }
    m_history.SetClean();
    SetChanged(false);
    return true;
}

bool TNotebookSession::SaveAs()
{
    if (!Writable())
        return false;
    const QString path
        = m_dialogs.SaveFileName(QStringLiteral("Save as"), m_settings.GetDataDir(), FileFilter(), m_fileName);
    if (path.isEmpty())
        return false;
    TSafeFileWriter writer(*m_files);
    if (!writer.Write(path, m_document.SaveToText())) {
        m_prompts.ShowMessage(writer.Error());
        return false;
    }
    m_history.SetClean();
    SetChanged(false);
    RememberFile(path);
    SetFileName(path);
    return true;
}

bool TNotebookSession::Writable()
{
    m_listener->CommitEdits();
    // A file the next start would refuse to open is worse than no file.
    if (NotebookSchema::CheckStructure(m_document))
        return true;
    m_prompts.ShowMessage(UnwritableMessage());
    return false;
}

QString TNotebookSession::UnwritableMessage()
{
    return QStringLiteral("Nothing to save yet: a notebook file holds at least one notebook with a field and a "
                          "page.\nCreate a notebook first (\"New...\" on the notebook panel).");
}

bool TNotebookSession::AskSave(bool cancelButton)
{
    m_listener->ReleaseNotebook();
    if (!m_changed)
        return true;
    switch (m_prompts.SureOrCancel(QStringLiteral("Save changes?"), cancelButton)) {
    case TAnswer::Yes:
        return Save();
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

bool TNotebookSession::Exit()
{
    m_settings.Save();
    return AskSave(true);
}

void TNotebookSession::RememberFile(const QString& path)
{
    m_settings.SetDocName(path);
    m_settings.SetDataDir(QFileInfo(path).absolutePath());
}

} // namespace quillo
