#include "notebook/TNotebookSession.h"
#include "notebook/TUserSettings.h"
#include "testutil/FaultyFileOps.h"
#include "testutil/NotebookFixtures.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace quillo {
namespace {

using testutil::TempFolder;

// Permission bits without those of the current account.
QFile::Permissions Mode(const QString& path)
{
    return QFile::permissions(path) & ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

// Logs what the session tells the window, in order.
class RecordingListener : public ISessionListener {
public:
    QStringList log;
    std::function<void()> onRelease;

    void ReleaseNotebook() override
    {
        log << "Release";
        if (onRelease)
            onRelease();
    }
    void DocumentReplaced() override { log << "Replaced"; }
    void NewNotebookWanted() override { log << "Wizard"; }
    void ChangedSet(bool changed) override { log << (changed ? "Changed" : "Unchanged"); }
    void FileNameSet(const QString& fileName) override { log << "FileName " + fileName; }
};

class SessionTest : public testing::Test {
protected:
    SessionTest()
        : friends(folder.Write("friends.zdk", testutil::FriendsNotebookText()))
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

    TempFolder folder;
    QString friends;
    TUserSettings settings;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs dialogs;
    RecordingListener listener;
    TNotebookSession session;
};

struct RefusedCase {
    const char* name;
    QByteArray text; // written to the file unless null
};

class RefusedFileTest : public SessionTest, public testing::WithParamInterface<RefusedCase> { };

TEST_P(RefusedFileTest, OpeningSaysCantLoadAndStartsANewDocument)
{
    const QString path = folder.File("refused.zdk");
    if (!GetParam().text.isNull())
        folder.Write("refused.zdk", GetParam().text);
    dialogs.Answer(path);

    EXPECT_TRUE(session.Open());

    EXPECT_EQ(prompts.Log(), QStringList({ "ShowMessage: Can't load file " + path }));
    EXPECT_EQ(session.Document().Tag(), "NOTEBOOKS");
    EXPECT_EQ(session.Document().ChildCount(), 0);
    EXPECT_EQ(session.FileName(), "");
    EXPECT_FALSE(session.Changed());
    EXPECT_EQ(listener.log.last(), "Wizard");
    // The next start tries the same file again.
    EXPECT_EQ(settings.GetDocName(), path);
    EXPECT_EQ(settings.GetDataDir(), folder.Path());
    if (!GetParam().text.isNull()) {
        EXPECT_EQ(TempFolder::Read(path), GetParam().text) << "a refused file is left alone";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFileTest,
    testing::Values(RefusedCase { "Missing", QByteArray() }, RefusedCase { "Empty", "" },
        RefusedCase { "SyntaxError", "<NOTEBOOKS><NOTEBOOK NAME=\"x></NOTEBOOKS>" },
        RefusedCase { "Unclosed", "<NOTEBOOKS><NOTEBOOK>" }, RefusedCase { "WrongRoot", "<SETTINGS DOC_NAME=\"x\"/>" },
        RefusedCase { "NoNotebook", "\r\n<NOTEBOOKS/>" },
        RefusedCase { "NotebookWithoutField",
            "<NOTEBOOKS><NOTEBOOK><FIELDS/><PAGES><PAGE NAME=\"A\"/></PAGES></NOTEBOOK></NOTEBOOKS>" },
        RefusedCase {
            "NotebookWithoutPage", "<NOTEBOOKS><NOTEBOOK><FIELDS><FIELD NAME=\"A\"/></FIELDS></NOTEBOOK></NOTEBOOKS>" },
        RefusedCase { "Binary", QByteArray("\x00\xff\xfe<", 4) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, OpenLoadsTheFileAndRemembersIt)
{
    dialogs.Answer(friends);
    ASSERT_TRUE(session.Open());

    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_EQ(dialogs.Log(), QStringList({ "Open: " }));
    EXPECT_EQ(dialogs.LastFilter(), "quillo-zdk data (*.zdk);;all files (*)");
    EXPECT_EQ(session.Document().SaveToText(), testutil::FriendsNotebookText());
    EXPECT_EQ(session.FileName(), friends);
    EXPECT_FALSE(session.Changed());
    EXPECT_EQ(listener.log,
        QStringList({ "Release", "FileName ", "Unchanged", "Replaced", "FileName " + friends, "Replaced" }));
    EXPECT_EQ(settings.GetDocName(), friends);
    EXPECT_EQ(settings.GetDataDir(), folder.Path());

    // The next open dialog starts in the folder of the last file.
    dialogs.Answer(QString());
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(dialogs.Log().last(), "Open: " + folder.Path());
}

TEST_F(SessionTest, CancellingTheOpenDialogKeepsTheDocument)
{
    Open(friends);
    Edit();
    prompts.Answer(false);
    dialogs.Answer(QString());

    EXPECT_FALSE(session.Open());

    EXPECT_TRUE(session.Changed());
    EXPECT_EQ(session.FileName(), friends);
    EXPECT_EQ(session.Document().FindChild("NOTEBOOK")->GetAttr("NAME"), "edited");
}

TEST_F(SessionTest, OpenOnAChangedDocumentGoesOnAfterASuccessfulSave)
{
    const QString other = folder.Write("other.zdk", testutil::FriendsNotebookText());
    Open(friends);
    Edit();
    prompts.Answer(true);
    dialogs.Answer(other);

    EXPECT_TRUE(session.Open());

    EXPECT_EQ(prompts.Log(), QStringList({ "Sure: Save changes?" }));
    EXPECT_TRUE(TempFolder::Read(friends).contains("NAME=\"edited\""));
    EXPECT_EQ(session.FileName(), other);
}

TEST_F(SessionTest, OpenOnAChangedDocumentStopsWhenTheSaveWasCancelled)
{
    session.NewDocument();
    Edit();
    prompts.Answer(true);
    dialogs.Answer(QString()); // the Save as dialog

    EXPECT_FALSE(session.Open());

    EXPECT_EQ(dialogs.Log().size(), 1);
    EXPECT_TRUE(dialogs.Log().first().startsWith("Save: "));
    EXPECT_TRUE(session.Changed());
}

TEST_F(SessionTest, AnsweringNoToSaveChangesDiscardsThemOnOpen)
{
    Open(friends);
    const QByteArray before = TempFolder::Read(friends);
    Edit();
    prompts.Answer(false);
    dialogs.Answer(friends);

    EXPECT_TRUE(session.Open());

    EXPECT_EQ(TempFolder::Read(friends), before);
    EXPECT_EQ(session.Document().FindChild("NOTEBOOK")->GetAttr("NAME"), "Friends");
    EXPECT_FALSE(session.Changed());
}

TEST_F(SessionTest, AskSaveLetsTheGridCommitItsEditFirst)
{
    Open(friends);
    listener.onRelease = [this] { session.SetChanged(true); };
    prompts.Answer(false);

    EXPECT_TRUE(session.AskSave());

    EXPECT_EQ(prompts.Log(), QStringList({ "Sure: Save changes?" }));
}

TEST_F(SessionTest, NewAsksOnlyWhatTheStateCallsFor)
{
    const struct {
        const char* name;
        bool changed;
        bool fromUser;
        std::vector<bool> answers;
        QStringList said;
        bool replaced;
    } cases[] = {
        { "unchanged", false, true, { true }, { "Sure: Create new file?" }, true },
        { "unchanged, declined", false, true, { false }, { "Sure: Create new file?" }, false },
        { "changed, not saved", true, true, { false, true }, { "Sure: Save changes?", "Sure: Create new file?" },
            true },
        { "internal, unchanged", false, false, {}, {}, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(friends);
        if (c.changed)
            Edit();
        for (bool answer : c.answers)
            prompts.Answer(answer);

        session.New(c.fromUser);

        EXPECT_EQ(prompts.Log(), c.said);
        EXPECT_EQ(session.Document().ChildCount() == 0, c.replaced);
        EXPECT_EQ(listener.log.contains("Wizard"), c.replaced);
        if (c.replaced) {
            EXPECT_EQ(session.Document().Tag(), "NOTEBOOKS");
            EXPECT_EQ(session.FileName(), "");
            EXPECT_FALSE(session.Changed());
        }
        EXPECT_EQ(TempFolder::Read(friends), testutil::FriendsNotebookText()) << "New never saves unasked";
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

    EXPECT_EQ(TempFolder::Names(folder.Path()), QStringList({ "friends.BAK", "friends.zdk", "quillo-zdk.SET" }));
    EXPECT_EQ(TempFolder::Read(folder.File("friends.BAK")), afterFirst);
    EXPECT_EQ(TempFolder::Read(friends), session.Document().SaveToText());
    EXPECT_FALSE(session.Changed());
    EXPECT_EQ(prompts.Log(), QStringList());
}

TEST_F(SessionTest, SavingANewDocumentAsksForANameAndCancelKeepsChanged)
{
    session.NewDocument();
    Edit("unsaved");
    dialogs.Answer(QString());

    EXPECT_FALSE(session.Save());

    EXPECT_EQ(dialogs.Log(), QStringList({ "Save:  | " }));
    EXPECT_TRUE(session.Changed());
    EXPECT_EQ(TempFolder::Names(folder.Path()), QStringList({ "friends.zdk", "quillo-zdk.SET" }));
}

TEST_F(SessionTest, SaveAsWritesWithoutBackupAndSwitchesToTheNewFile)
{
    Open(friends);
    Edit("copy");
    const QString copy = folder.File("copy.zdk");
    dialogs.Answer(copy);

    EXPECT_TRUE(session.SaveAs());

    EXPECT_EQ(dialogs.Log(), QStringList({ "Save: " + folder.Path() + " | " + friends }));
    EXPECT_EQ(TempFolder::Read(copy), session.Document().SaveToText());
    EXPECT_EQ(TempFolder::Read(friends), testutil::FriendsNotebookText());
    EXPECT_EQ(TempFolder::Names(folder.Path()), QStringList({ "copy.zdk", "friends.zdk", "quillo-zdk.SET" }));
    EXPECT_EQ(session.FileName(), copy);
    EXPECT_FALSE(session.Changed());
    EXPECT_EQ(settings.GetDocName(), copy);
    EXPECT_EQ(listener.log, QStringList({ "Changed", "Unchanged", "FileName " + copy }));
}

TEST_F(SessionTest, ADocumentWithoutNotebooksIsSavedButRefusedOnOpening)
{
    session.NewDocument();
    session.SetChanged(true);
    const QString empty = folder.File("empty.zdk");
    dialogs.Answer(empty).Answer(empty);
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(TempFolder::Read(empty), "\r\n<NOTEBOOKS/>");

    EXPECT_TRUE(session.Open());

    EXPECT_EQ(prompts.Log(), QStringList({ "ShowMessage: Can't load file " + empty }));
}

// Every step of a save is made to fail in turn; the file on disk must never be damaged and the user
// must be told while the document keeps its changes.
TEST_F(SessionTest, AFailingStepOfSaveNeverDamagesTheFile)
{
    Open(friends);
    const QByteArray original = TempFolder::Read(friends);
    testutil::FaultyFileOps clean;
    session.SetFileOps(clean);
    Edit("clean run");
    ASSERT_TRUE(session.Save());
    const int steps = clean.Steps();
    ASSERT_GE(steps, 3) << clean.Log().join(", ").toStdString();
    const QByteArray saved = TempFolder::Read(friends);

    for (int k = 1; k <= steps; ++k) {
        folder.Write("friends.zdk", original);
        folder.Write("friends.BAK", "older backup");
        testutil::FaultyFileOps faulty(k);
        session.SetFileOps(faulty);
        Edit("attempt " + QString::number(k));
        prompts.ClearLog();
        SCOPED_TRACE(faulty.Log().join(", ").toStdString());

        EXPECT_FALSE(session.Save());

        EXPECT_EQ(TempFolder::Read(friends), original);
        const QByteArray backup = TempFolder::Read(folder.File("friends.BAK"));
        EXPECT_TRUE(backup == "older backup" || backup == original) << backup.toStdString();
        EXPECT_EQ(TempFolder::Names(folder.Path()), QStringList({ "friends.BAK", "friends.zdk", "quillo-zdk.SET" }));
        EXPECT_TRUE(session.Changed());
        ASSERT_EQ(prompts.Log().size(), 1);
        EXPECT_TRUE(prompts.Log().first().startsWith("ShowMessage: Cannot create file " + folder.Path()));
        // Nothing was read back from disk: the edit is still there.
        EXPECT_EQ(session.Document().FindChild("NOTEBOOK")->GetAttr("NAME"), "attempt " + QString::number(k));
    }
    EXPECT_NE(saved, original);
}

TEST_F(SessionTest, AFailedSaveAsKeepsTheOldFileAndSettings)
{
    Open(friends);
    Edit();
    testutil::FaultyFileOps faulty(1);
    session.SetFileOps(faulty);
    dialogs.Answer(folder.File("elsewhere.zdk"));

    EXPECT_FALSE(session.SaveAs());

    EXPECT_EQ(prompts.Log(), QStringList({ "ShowMessage: Cannot create file " + folder.File("elsewhere.zdk") }));
    EXPECT_EQ(session.FileName(), friends);
    EXPECT_TRUE(session.Changed());
    EXPECT_EQ(settings.GetDocName(), friends);
    EXPECT_FALSE(QFileInfo::exists(folder.File("elsewhere.zdk")));
}

TEST_F(SessionTest, SavingOntoAReadOnlyFileFails)
{
    Open(friends);
    Edit();
    QFile::setPermissions(friends, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    EXPECT_FALSE(session.Save());

    EXPECT_EQ(TempFolder::Read(friends), testutil::FriendsNotebookText());
    EXPECT_TRUE(session.Changed());
    ASSERT_EQ(prompts.Log().size(), 1);
    EXPECT_TRUE(prompts.Log().first().startsWith("ShowMessage: Cannot create file " + friends));
}

TEST_F(SessionTest, SavingIntoAReadOnlyFolderFails)
{
    // The folder is made by the account that saves, so root's override of permissions plays no part.
    folder.OpenToEveryone();
    const QString inner = folder.File("locked");
    const bool held = testutil::RunWithoutRoot([&] {
        QDir().mkdir(inner);
        const QString path = inner + "/locked.zdk";
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(testutil::FriendsNotebookText()) < 0)
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
        const bool saved = locked.Save();
        return !saved && locked.Changed() && quiet.Log().size() == 1
            && quiet.Log().first().startsWith("ShowMessage: Cannot create file ")
            && TempFolder::Read(path) == testutil::FriendsNotebookText()
            && TempFolder::Names(inner) == QStringList({ "locked.zdk" });
    });
    EXPECT_TRUE(held);
}

TEST_F(SessionTest, SavingThroughASymbolicLinkKeepsTheLink)
{
    const QString target = folder.Write("real.zdk", testutil::FriendsNotebookText());
    const QString link = folder.File("link.zdk");
    ASSERT_TRUE(QFile::link(target, link));
    Open(link);
    Edit("through the link");

    ASSERT_TRUE(session.Save());

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(TempFolder::Read(target), session.Document().SaveToText());
    EXPECT_EQ(TempFolder::Read(folder.File("link.BAK")), testutil::FriendsNotebookText());
}

TEST_F(SessionTest, SavingKeepsPermissionsOfTheFileAndGivesThemToTheBackup)
{
    const QFile::Permissions privateFile = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(friends, privateFile));
    Open(friends);
    Edit();

    ASSERT_TRUE(session.Save());

    EXPECT_EQ(Mode(friends), privateFile);
    EXPECT_EQ(Mode(folder.File("friends.BAK")), privateFile);
}

TEST_F(SessionTest, SaveCopesWithUnusualNeighbours)
{
    const struct {
        const char* name;
        QString file;
        QStringList others; // present before the save, left untouched
        QStringList after;
    } cases[] = {
        { "vanished file", "gone.zdk", {}, { "gone.zdk" } },
        { "file named like its backup", "notes.BAK", {}, { "notes.BAK" } },
        { "stale temporary name", "a.zdk", { "a.BAK.tmp" }, { "a.BAK", "a.BAK.tmp", "a.zdk" } },
        { "no extension", "plain", {}, { "plain", "plain.BAK" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder here;
        const QString path = here.Write(c.file, testutil::FriendsNotebookText());
        for (const QString& other : c.others)
            here.Write(other, "someone else's");
        Open(path);
        Edit(c.name);
        if (QString(c.name) == "vanished file")
            QFile::remove(path);

        ASSERT_TRUE(session.Save());

        EXPECT_EQ(TempFolder::Names(here.Path()), c.after);
        EXPECT_EQ(TempFolder::Read(path), session.Document().SaveToText());
        for (const QString& other : c.others)
            EXPECT_EQ(TempFolder::Read(here.File(other)), "someone else's");
    }
}

TEST_F(SessionTest, StartOpensTheLastFileOrNothing)
{
    session.Start();
    EXPECT_EQ(session.Document().Tag(), "");
    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_FALSE(listener.log.contains("Wizard"));

    settings.SetDocName(friends);
    session.Start();
    EXPECT_EQ(session.FileName(), friends);
    EXPECT_EQ(session.Document().SaveToText(), testutil::FriendsNotebookText());
}

TEST_F(SessionTest, ExitSavesSettingsAndKeepsTheWindowOpenWhenTheWantedSaveFails)
{
    Open(friends);
    Edit();
    prompts.Answer(false);
    EXPECT_TRUE(session.Exit());
    EXPECT_TRUE(TempFolder::Read(settings.Path()).contains(friends.toUtf8()));

    testutil::FaultyFileOps faulty(1);
    session.SetFileOps(faulty);
    prompts.Answer(true);
    EXPECT_FALSE(session.Exit());
    EXPECT_TRUE(session.Changed());
}

} // namespace
} // namespace quillo
