#include "notebook/TNotebookSession.h"
#include "notebook/TSafeFileWriter.h"
#include "notebook/TUserSettings.h"
#include "records/NewNotebookPlan.h"
#include "testutil/FaultyFileOps.h"
#include "testutil/NotebookFixtures.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include <sys/stat.h>

namespace quillo {
namespace {

using testutil::FriendsNotebookText;
using testutil::TempFolder;

struct RecordingListener : ISessionListener {
    QStringList log;
    std::function<void()> onRelease = [] {};

    void ReleaseNotebook() override { onRelease(); }
    void DocumentReplaced() override { log << "Replaced"; }
    void NewNotebookWanted() override { log << "Wizard"; }
};

class SessionTest : public testing::Test {
protected:
    SessionTest()
        : friends(folder.Write("friends.zdk", FriendsNotebookText()))
        , settings(folder.File("quillo-zdk.SET"))
        , session(settings, prompts, dialogs)
    {
        session.SetListener(&listener);
    }

    // Opens a file on an unchanged document and forgets what was said on the way.
    void Open(const QString& path)
    {
        dialogs.Answer(path);
        ASSERT_TRUE(session.Open());
        prompts.ClearLog();
        dialogs.ClearLog();
        listener.log.clear();
    }

    // An edit as the panels make it (on the root while there is no notebook).
    void Edit(const QString& name = "edited")
    {
        TKelPigger* notebook = session.Document().FindChild("NOTEBOOK");
        (notebook ? notebook : &session.Document())->SetAttr("NAME", name);
        session.SetChanged(true);
    }
    // A document without a file that the opening check accepts, as New makes it.
    void NewDocumentWithNotebook()
    {
        session.NewDocument();
        TNewNotebookPlan { "New", {}, { "F" }, { "P" } }.AppendTo(session.Document());
    }
    QString EditedName() { return session.Document().FindChild("NOTEBOOK")->GetAttr("NAME"); }
    QStringList Files() const { return TempFolder::Names(folder.Path()); }

    TempFolder folder;
    QString friends;
    TUserSettings settings;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs dialogs;
    RecordingListener listener;
    TNotebookSession session;
};

TEST_F(SessionTest, RefusedFilesSayCantLoadAndLeaveANewDocument)
{
    const struct {
        const char* name;
        QByteArray text; // null: no file at all
        const char* reason;
    } cases[] = {
        { "missing", QByteArray(), "No such file or directory" },
        { "syntax error", "<NOTEBOOKS><NOTEBOOK NAME=\"x></NOTEBOOKS>", "Syntax error at byte 27" },
        { "empty", "", "The file holds no document" },
        { "wrong root", "<SETTINGS DOC_NAME=\"x\"/>", "The file holds a SETTINGS document, not NOTEBOOKS" },
        { "no notebook, as saved after a cancelled wizard", "\r\n<NOTEBOOKS/>", "The file holds no notebook" },
        { "notebook without page", "<NOTEBOOKS><NOTEBOOK><FIELDS><FIELD NAME=\"A\"/></FIELDS></NOTEBOOK></NOTEBOOKS>",
            "The first notebook has no page" },
        { "notebook without field",
            "<NOTEBOOKS><NOTEBOOK><FIELDS/><PAGES><PAGE NAME=\"A\"/></PAGES></NOTEBOOK></NOTEBOOKS>",
            "The first notebook has no field" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.File("refused.zdk");
        QFile::remove(path);
        if (!c.text.isNull())
            folder.Write("refused.zdk", c.text);
        prompts.ClearLog();
        dialogs.Answer(path);

        EXPECT_TRUE(session.Open());

        EXPECT_EQ(prompts.Log(), QStringList({ "ShowMessage: Can't load file " + path + "\n" + c.reason }));
        EXPECT_EQ(session.Document().SaveToText(), "\r\n<NOTEBOOKS/>");
        EXPECT_EQ(session.FileName(), "");
        EXPECT_FALSE(session.Changed());
        EXPECT_EQ(listener.log.last(), "Wizard");
        EXPECT_EQ(settings.GetDocName(), path) << "the next start tries the same file again";
    }
}

TEST_F(SessionTest, OpenLoadsAndRemembersTheFile)
{
    dialogs.Answer(friends).Answer(QString());
    ASSERT_TRUE(session.Open());
    EXPECT_FALSE(session.Open()) << "cancelled dialog";

    EXPECT_EQ(dialogs.Log(), QStringList({ "Open: ", "Open: " + folder.Path() }));
    EXPECT_EQ(dialogs.LastFilter(), "quillo-zdk data (*.zdk);;all files (*)");
    EXPECT_EQ(session.Document().SaveToText(), FriendsNotebookText());
    EXPECT_EQ(session.FileName(), friends);
    EXPECT_EQ(settings.GetDataDir(), folder.Path());
    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_EQ(listener.log.last(), "Replaced");
}

TEST_F(SessionTest, OpenOnAChangedDocumentGoesOnOnlyWhenTheChangesAreSafeOrDiscarded)
{
    const struct {
        const char* name;
        bool newDocument, saveIt;
        QString saveAsName; // the Save as dialog's answer for a document without file
        bool opened;
        QString nameInFile;
    } cases[] = {
        { "No discards", false, false, {}, true, "Friends" },
        { "Yes saves, then opens", false, true, {}, true, "edited" },
        { "Save as cancelled stops", true, true, "", false, "Friends" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("friends.zdk", FriendsNotebookText());
        Open(friends);
        if (c.newDocument)
            NewDocumentWithNotebook();
        Edit();
        prompts.Answer(c.saveIt);
        if (c.newDocument)
            dialogs.Answer(c.saveAsName);
        if (c.opened)
            dialogs.Answer(friends);

        EXPECT_EQ(session.Open(), c.opened);

        EXPECT_EQ(prompts.Log(), QStringList({ "Sure: Save changes?" }));
        EXPECT_EQ(session.Changed(), !c.opened);
        EXPECT_TRUE(TempFolder::Read(friends).contains("NAME=\"" + c.nameInFile.toUtf8() + "\""));
    }
}

TEST_F(SessionTest, AskSaveLetsTheGridCommitItsEditFirst)
{
    Open(friends);
    listener.onRelease = [this] { session.SetChanged(true); };
    prompts.Answer(false);
    EXPECT_TRUE(session.AskSave());
    EXPECT_EQ(prompts.Log(), QStringList({ "Sure: Save changes?" }));
    prompts.Escape();
    EXPECT_FALSE(session.AskSave()) << "escaping the question keeps the changes";
    EXPECT_TRUE(session.Changed());
}

// The opening check refuses a document without a notebook; writing one would make a file that never opens.
TEST_F(SessionTest, ADocumentTheOpeningCheckRefusesIsNeverWritten)
{
    Open(friends);
    delete session.Document().Child(0);
    session.SetChanged(true);
    const QString refusal = "ShowMessage: " + TNotebookSession::UnwritableMessage();
    EXPECT_FALSE(session.Save());
    EXPECT_FALSE(session.SaveAs());
    EXPECT_EQ(prompts.Log(), QStringList({ refusal, refusal }));
    EXPECT_EQ(dialogs.Log(), QStringList());
    EXPECT_EQ(TempFolder::Read(friends), FriendsNotebookText());
    EXPECT_TRUE(session.Changed());
}

TEST_F(SessionTest, NewAsksOnlyWhatTheStateCallsFor)
{
    const struct {
        const char* name;
        bool changed, fromUser;
        std::vector<TAnswer> answers;
        QStringList said;
        bool replaced;
    } cases[] = {
        { "unchanged", false, true, { TAnswer::Yes }, { "Sure: Create new file?" }, true },
        { "unchanged, declined", false, true, { TAnswer::No }, { "Sure: Create new file?" }, false },
        { "changed", true, true, { TAnswer::No, TAnswer::Yes }, { "Sure: Save changes?", "Sure: Create new file?" },
            true },
        { "internal", false, false, {}, {}, true },
        { "changed, escaped", true, true, { TAnswer::Cancel }, { "Sure: Save changes?" }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(friends);
        if (c.changed)
            Edit();
        for (const TAnswer answer : c.answers)
            answer == TAnswer::Cancel ? prompts.Escape() : prompts.Answer(answer == TAnswer::Yes);

        session.New(c.fromUser);

        EXPECT_EQ(prompts.Log(), c.said);
        EXPECT_EQ(session.Document().ChildCount() == 0, c.replaced);
        EXPECT_EQ(listener.log.contains("Wizard"), c.replaced);
        EXPECT_EQ(session.FileName().isEmpty(), c.replaced);
    }
}

TEST_F(SessionTest, TwoSavesKeepOneBackupWithTheTextBeforeTheSecond)
{
    Open(friends);
    Edit("first");
    ASSERT_TRUE(session.Save());
    const QByteArray afterFirst = TempFolder::Read(friends);
    Edit("second");
    ASSERT_TRUE(session.Save());

    EXPECT_EQ(Files(), QStringList({ "friends.BAK", "friends.zdk", "quillo-zdk.SET" }));
    EXPECT_EQ(TempFolder::Read(folder.File("friends.BAK")), afterFirst);
    EXPECT_EQ(TempFolder::Read(friends), session.Document().SaveToText());
    EXPECT_FALSE(session.Changed());
}

// Changed follows the undo history: back at the state last saved the document is unchanged again.
TEST_F(SessionTest, ChangedFollowsTheSavedStateThroughUndoAndRedo)
{
    Open(friends);
    const auto step = [this](const QString& name) {
        TEditStep edit(&session.History(), "Change notebook", *session.Document().FindChild("NOTEBOOK"));
        Edit(name);
    };
    step("first");
    step("second");
    ASSERT_TRUE(session.Save());
    TEditHistory& history = session.History();
    const std::pair<std::function<void()>, bool> moves[] = {
        { [&] { history.Undo(); }, true },
        { [&] { history.Undo(); }, true },
        { [&] { history.Redo(); }, true },
        { [&] { history.Redo(); }, false },
        { [&] { history.Undo(); }, true },
        // A new edit where the saved state could have been redone: it can never come back.
        { [&] { step("third"); }, true },
        { [&] { history.Undo(); }, true },
    };
    for (const auto& [move, changed] : moves) {
        move();
        EXPECT_EQ(session.Changed(), changed) << EditedName().toStdString();
    }
    EXPECT_EQ(EditedName(), "first");
    // A failed save leaves the clean state where it was.
    dialogs.Answer(QString());
    session.SetFileName(QString());
    EXPECT_FALSE(session.Save());
    EXPECT_TRUE(session.Changed());
    history.Redo();
    EXPECT_TRUE(session.Changed());
    session.NewDocument();
    EXPECT_EQ(history.Count(), 0);
    EXPECT_FALSE(session.Changed());
}

TEST_F(SessionTest, SaveOfANewDocumentAsksForANameAndCancelKeepsChanged)
{
    NewDocumentWithNotebook();
    Edit();
    dialogs.Answer(QString());
    EXPECT_FALSE(session.Save());
    EXPECT_EQ(dialogs.Log(), QStringList({ "Save:  | " }));
    EXPECT_TRUE(session.Changed());
    EXPECT_EQ(Files(), QStringList({ "friends.zdk", "quillo-zdk.SET" }));
}

TEST_F(SessionTest, SaveAsWritesWithoutBackupAndSwitchesToTheNewFile)
{
    Open(friends);
    Edit();
    const QString copy = folder.File("copy.zdk");
    dialogs.Answer(copy);

    EXPECT_TRUE(session.SaveAs());

    EXPECT_EQ(dialogs.Log(), QStringList({ "Save: " + folder.Path() + " | " + friends }));
    EXPECT_EQ(TempFolder::Read(copy), session.Document().SaveToText());
    EXPECT_EQ(Files(), QStringList({ "copy.zdk", "friends.zdk", "quillo-zdk.SET" }));
    EXPECT_EQ(session.FileName(), copy);
    EXPECT_EQ(settings.GetDocName(), copy);
    EXPECT_FALSE(session.Changed());
}

// Every step of a save fails in turn: the file must stay as it was, the user be told, the edit be kept.
TEST_F(SessionTest, AFailingStepOfSaveNeverDamagesTheFile)
{
    Open(friends);
    testutil::FaultyFileOps clean;
    session.SetFileOps(clean);
    Edit();
    ASSERT_TRUE(session.Save());
    ASSERT_EQ(clean.Steps(), 3) << clean.Log().join(", ").toStdString();

    for (int k = 1; k <= clean.Steps(); ++k) {
        folder.Write("friends.zdk", FriendsNotebookText());
        folder.Write("friends.BAK", "older backup");
        testutil::FaultyFileOps faulty(k);
        session.SetFileOps(faulty);
        Edit("attempt " + QString::number(k));
        prompts.ClearLog();

        EXPECT_FALSE(session.Save());

        SCOPED_TRACE(faulty.Log().join(", ").toStdString());
        EXPECT_EQ(TempFolder::Read(friends), FriendsNotebookText());
        const QByteArray backup = TempFolder::Read(folder.File("friends.BAK"));
        EXPECT_TRUE(backup == "older backup" || backup == FriendsNotebookText()) << backup.toStdString();
        EXPECT_EQ(Files(), QStringList({ "friends.BAK", "friends.zdk", "quillo-zdk.SET" }));
        EXPECT_TRUE(session.Changed());
        ASSERT_EQ(prompts.Log().size(), 1);
        EXPECT_TRUE(prompts.Log().first().startsWith("ShowMessage: Cannot create file " + folder.Path()));
        EXPECT_TRUE(prompts.Log().first().endsWith("\n" + testutil::FaultyFileOps::InjectedFault()))
            << "the reason follows, for the backup as for the file";
        EXPECT_EQ(EditedName(), "attempt " + QString::number(k)) << "nothing is read back from disk";
    }

    testutil::FaultyFileOps faulty(1);
    session.SetFileOps(faulty);
    dialogs.Answer(folder.File("other.zdk"));
    prompts.ClearLog();
    EXPECT_FALSE(session.SaveAs());
    EXPECT_EQ(prompts.Log().size(), 1);
    EXPECT_EQ(session.FileName(), friends);
    EXPECT_EQ(settings.GetDocName(), friends);
}

TEST_F(SessionTest, SavingOntoAReadOnlyFileFails)
{
    Open(friends);
    Edit();
    QFile::setPermissions(friends, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_FALSE(session.Save());
    EXPECT_EQ(TempFolder::Read(friends), FriendsNotebookText());
    EXPECT_TRUE(session.Changed());
    EXPECT_EQ(prompts.Log().size(), 1);
}

TEST_F(SessionTest, SavingIntoAReadOnlyFolderFails)
{
    // The folder belongs to the account that saves, so root's override of permissions plays no part.
    folder.OpenToEveryone();
    const QString inner = folder.File("locked");
    EXPECT_TRUE(testutil::RunWithoutRoot([&] {
        const QString path = inner + "/locked.zdk";
        QDir().mkdir(inner);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(FriendsNotebookText()) < 0)
            return false;
        file.close();
        QFile::setPermissions(inner, QFile::ReadOwner | QFile::ExeOwner);
        testutil::ScriptedPrompts quiet;
        testutil::ScriptedFileDialogs noDialogs;
        TUserSettings innerSettings(folder.File("locked.SET"));
        TNotebookSession locked(innerSettings, quiet, noDialogs);
        locked.SetFileName(path);
        if (!locked.LoadFile())
            return false;
        locked.SetChanged(true);
        return !locked.Save() && locked.Changed() && quiet.Log().size() == 1
            && TempFolder::Read(path) == FriendsNotebookText() && TempFolder::Names(inner) == QStringList("locked.zdk");
    }));
}

TEST_F(SessionTest, SavingThroughASymbolicLinkKeepsTheLinkAndPermissions)
{
    const QString target = folder.Write("real.zdk", FriendsNotebookText());
    const QFile::Permissions privateFile = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(target, privateFile));
    const QString link = folder.File("link.zdk");
    ASSERT_TRUE(QFile::link(target, link));
    Open(link);
    Edit();

    ASSERT_TRUE(session.Save());

    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(TempFolder::Read(target), session.Document().SaveToText());
    EXPECT_EQ(TempFolder::Read(folder.File("link.BAK")), FriendsNotebookText());
    const auto mode = [](const QString& path) { return QFile::permissions(path) & ~QFile::Permissions(0x0700); };
    EXPECT_EQ(mode(target), privateFile);
    EXPECT_EQ(mode(folder.File("link.BAK")), privateFile) << "the backup is as private as the file";
}

TEST_F(SessionTest, SaveCopesWithUnusualNeighbours)
{
    const struct {
        const char* name;
        QString file;
        QStringList others; // present before the save
        QStringList after;
    } cases[] = {
        { "vanished file", "gone.zdk", {}, { "gone.zdk" } },
        // What a killed save leaves goes at the next one; names that only look alike stay.
        { "leftovers of a failed save", "a.zdk", { "a.BAK.tmp", "a.BAK.tmp1", "a.zdk.QsWxYz", "a.zdk.pQRstu" },
            { "a.BAK", "a.zdk" } },
        { "neighbours that are no leftovers", "a.zdk",
            { "a.zdk.backup", "a.zdk.Backup", "a.zdk.BACKUP", "a.zdk.QsWx1z", "a.BAK.tmpx", "b.zdk.QsWxYz" },
            { "a.BAK", "a.BAK.tmpx", "a.zdk", "a.zdk.BACKUP", "a.zdk.Backup", "a.zdk.QsWx1z", "a.zdk.backup",
                "b.zdk.QsWxYz" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder here;
        const QString path = here.Write(c.file, FriendsNotebookText());
        for (const QString& other : c.others)
            here.Write(other, "someone else's");
        Open(path);
        Edit(c.name);
        if (c.file == "gone.zdk")
            QFile::remove(path);

        ASSERT_TRUE(session.Save());

        EXPECT_EQ(TempFolder::Names(here.Path()), c.after);
        EXPECT_EQ(TempFolder::Read(path), session.Document().SaveToText());
        for (const QString& other : c.others)
            if (c.after.contains(other)) {
                EXPECT_EQ(TempFolder::Read(here.File(other)), "someone else's");
            }
    }
}

TEST_F(SessionTest, SavingABackupKeepsABackupOfIt)
{
    // Opened to recover from it: saving must not make the only old copy its own backup.
    const QString recovered = folder.Write("friends.BAK", FriendsNotebookText());
    Open(recovered);
    Edit();
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(TempFolder::Read(folder.File("friends.BAK.BAK")), FriendsNotebookText());
    EXPECT_EQ(TempFolder::Read(recovered), session.Document().SaveToText());
}

TEST_F(SessionTest, OpenRefusesWhatIsNoRegularFileWithoutReadingIt)
{
    // A FIFO without a writer would block the window for ever, /dev/zero eat the memory.
    const QString fifo = folder.File("fifo.zdk");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : { fifo, folder.Path(), QStringLiteral("/dev/zero") }) {
        prompts.ClearLog();
        dialogs.Answer(path);
        EXPECT_TRUE(session.Open());
        EXPECT_EQ(prompts.Log(), QStringList({ "ShowMessage: Can't load file " + path + "\nNot a regular file" }));
        EXPECT_EQ(session.Document().SaveToText(), "\r\n<NOTEBOOKS/>");
    }
}

TEST_F(SessionTest, ExitKeepsTheWindowOpenWhenTheWantedSaveFails)
{
    Open(friends);
    Edit();
    testutil::FaultyFileOps faulty(1);
    session.SetFileOps(faulty);
    prompts.Answer(true).Answer(false);
    EXPECT_FALSE(session.Exit());
    EXPECT_TRUE(session.Exit()) << "No closes";
    EXPECT_TRUE(TempFolder::Read(settings.Path()).contains(friends.toUtf8())) << "settings saved on exit";
}

TEST(SafeFileWriterTest, BackupNameReplacesTheExtensionOfTheFileName)
{
    const std::pair<QString, QString> cases[]
        = { { "/d/friends.zdk", "/d/friends.BAK" }, { "/d/friends", "/d/friends.BAK" },
              { "/d/my.friends.zdk", "/d/my.friends.BAK" }, { "/d.x/friends", "/d.x/friends.BAK" },
              { "friends.zdk", "friends.BAK" }, { "/d/friends.BAK", "/d/friends.BAK.BAK" },
              { "/d/f.BAK.BAK", "/d/f.BAK.BAK.BAK" }, { "/d/friends.bak", "/d/friends.BAK" } };
    for (const auto& [path, backup] : cases)
        EXPECT_EQ(TSafeFileWriter::BackupName(path), backup);
}

} // namespace
} // namespace quillo
