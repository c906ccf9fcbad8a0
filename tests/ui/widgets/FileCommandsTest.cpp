#include "ui/widgets/MainWindowFixture.h"

#include "notebook/widgets/TO_pages.h"
#include "records/widgets/TO_notepad.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

#include <functional>

namespace quillo::test {
namespace {

class FileCommandsTest : public MainWindowTest {
protected:
    // Presses the command's shortcut, as the user does.
    void Trigger(const char* name)
    {
        auto* action = window->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        testutil::PressShortcut(action);
    }

    // Sends the window a close request, as the title bar button does; true when it closed.
    bool Close()
    {
        QCloseEvent close;
        QCoreApplication::sendEvent(window.get(), &close);
        return close.isAccepted();
    }

    QString StatusChanged() { return Find<QLabel>("StatusPanel1")->text(); }
    QString StatusFile() { return Find<QLabel>("StatusPanel2")->text(); }
};

TEST_F(FileCommandsTest, NewSaveCloseAndTheNextStartReopensTheFile)
{
    const QString path = folder.File("family.zdk");
    prompts.Answer(true);
    wizard.Answer(QString("Family"));
    Trigger("N_New");
    EXPECT_EQ(prompts.Log().value(0), "Sure: Create new file?");
    ASSERT_EQ(Doc().ChildCount(), 1);
    EXPECT_EQ(ItemCaptions(Doc()), QStringList({ "NOTEBOOK:Family" }));
    EXPECT_EQ(StatusChanged(), "Changed");
    EXPECT_TRUE(Find<QToolButton>("TB_save")->isEnabled());

    fileDialogs.Answer(path);
    Trigger("N_Save");
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(StatusChanged(), "");
    EXPECT_EQ(StatusFile(), path);
    EXPECT_FALSE(Find<QToolButton>("TB_save")->isEnabled());
    EXPECT_TRUE(Close());

    StartWindow();
    EXPECT_EQ(window->FileName(), path);
    EXPECT_EQ(StatusFile(), path);
    EXPECT_EQ(ItemCaptions(Doc()), QStringList({ "NOTEBOOK:Family" }));
    EXPECT_EQ(window->Guider().SelectedNode(), &Doc());
    EXPECT_EQ(ShownSheet(), "TabSheet_notebook");
}

TEST_F(FileCommandsTest, ExitAsksYesNoOrCancelAndOnlyYesOrNoClose)
{
    window->Session().NewDocument();
    wizard.Answer(QString("Unsaved"));
    window->NewNotebook();
    const QByteArray before = Doc().SaveToText();
    const QString question = "Sure: Save changes? (Yes/No/Cancel)";
    const struct {
        const char* what;
        std::function<void()> answer;
        std::function<void()> exit;
    } stays[] = {
        { "Esc at Ctrl+Q", [&] { prompts.Escape(); }, [&] { Key(Qt::Key_Q, Qt::ControlModifier); } },
        { "Esc at the close box", [&] { prompts.Escape(); }, [&] { window->close(); } },
        { "Yes, then the save dialog cancelled",
            [&] {
                prompts.Answer(true);
                fileDialogs.Answer(QString());
            },
            [&] { Key(Qt::Key_Q, Qt::ControlModifier); } },
    };
    for (const auto& s : stays) {
        prompts.ClearLog();
        s.answer();
        s.exit();
        EXPECT_TRUE(window->isVisible()) << s.what;
        EXPECT_EQ(prompts.Log(), QStringList({ question })) << s.what;
        EXPECT_TRUE(window->Changed()) << s.what;
        EXPECT_EQ(Doc().SaveToText(), before) << s.what;
        EXPECT_EQ(ShownSheet(), "TabSheet_notebook") << s.what << ": the panels show again";
    }
    prompts.Answer(false);
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

// New and Open keep their Yes/No question, but escaping it cancels the command instead of discarding.
TEST_F(FileCommandsTest, EscapingTheQuestionAtNewOrOpenKeepsTheChanges)
{
    for (const int key : { Qt::Key_N, Qt::Key_O }) {
        Load();
        Click(Pages(0));
        testutil::ClickRow(Find<TO_pages>("O_pages1")->LB1, "A");
        testutil::ClickButton(Find<TO_pages>("O_pages1")->SB_move_dn);
        const QByteArray edited = Doc().SaveToText();
        prompts.ClearLog();
        prompts.Escape();
        Key(key, Qt::ControlModifier);
        EXPECT_EQ(prompts.Log(), QStringList({ "Sure: Save changes?" })) << "no further question, no file dialog";
        EXPECT_EQ(Doc().SaveToText(), edited);
        EXPECT_TRUE(window->Changed());
        EXPECT_EQ(window->FileName(), folder.File("sample.zdk"));
    }
}

TEST_F(FileCommandsTest, ADocumentWithoutANotebookIsNotSaved)
{
    prompts.Answer(true);
    wizard.Answer(std::nullopt); // the notebook of the new file is not made
    Key(Qt::Key_N, Qt::ControlModifier);
    prompts.ClearLog();
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompts.Log(), QStringList({ "ShowMessage: " + TNotebookSession::UnwritableMessage() }));
    EXPECT_EQ(fileDialogs.Log(), QStringList()) << "no file is chosen for what cannot be saved";
}

TEST_F(FileCommandsTest, OpenShowsTheFileAndForgetsTheOldDocument)
{
    Load();
    Click(*Pages(0).Child(0));
    fileDialogs.Answer(QString()); // cancelled: the window goes on showing the page
    Trigger("N_Open");
    EXPECT_EQ(window->CurrentNotebook(), &Notebook(0));
    EXPECT_EQ(Find<TO_notepad>("O_notepad1")->Notebook(), &Notebook(0));
    EXPECT_EQ(ShownSheet(), "TabSheet_data");

    const QString other = folder.Write("other.zdk", R"(<NOTEBOOKS><NOTEBOOK NAME="Other"><FIELDS><FIELD NAME="F"/>
        </FIELDS><PAGES><PAGE NAME="P"/></PAGES></NOTEBOOK></NOTEBOOKS>)");
    fileDialogs.Answer(other);
    Trigger("N_Open");
    EXPECT_EQ(ItemCaptions(Doc()), QStringList({ "NOTEBOOK:Other" }));
    EXPECT_EQ(StatusFile(), other);
    EXPECT_EQ(window->CurrentNotebook(), nullptr);
    EXPECT_EQ(ShownSheet(), "TabSheet_notebook");
    EXPECT_EQ(window->Settings().GetDocName(), other);

    Click(Pages(0));
    EXPECT_EQ(window->CurrentPages(), &Pages(0));
    EXPECT_EQ(ItemCaptions(Pages(0)), QStringList({ "P" }));
}

TEST_F(FileCommandsTest, AFileThatIsNoNotebookStartsANewDocument)
{
    Load();
    const QString broken = folder.Write("broken.zdk", "<SETTINGS/>");
    fileDialogs.Answer(broken);
    wizard.Answer(std::nullopt);
    Trigger("N_Open");
    EXPECT_EQ(prompts.Log().value(0),
        "ShowMessage: Can't load file " + broken + "\nThe file holds a SETTINGS document, not NOTEBOOKS");
    EXPECT_EQ(Doc().Tag(), "NOTEBOOKS");
    EXPECT_EQ(Doc().ChildCount(), 0);
    EXPECT_EQ(window->Guider().TV1->topLevelItemCount(), 1);
    EXPECT_EQ(StatusFile(), "");
}

TEST_F(FileCommandsTest, StartingWithoutSettingsSaysHowToBeginAndWritesThem)
{
    EXPECT_EQ(window->Guider().TV1->topLevelItemCount(), 0);
    EXPECT_EQ(ShownSheet(), "Label_start_hint");
    const QString hint = Find<QLabel>("Label_start_hint")->text();
    EXPECT_TRUE(hint.contains("File > New") && hint.contains("File > Open")) << hint.toStdString();
    EXPECT_TRUE(hint.contains("/samples/friends.zdk")) << hint.toStdString();
    EXPECT_FALSE(window->findChild<QAction*>("N_Save")->isEnabled());
    // An empty window has no notebook file to write: one saved now could never be opened.
    EXPECT_FALSE(window->findChild<QAction*>("N_Saveas")->isEnabled());
    window->Session().NewDocument();
    EXPECT_TRUE(window->findChild<QAction*>("N_Saveas")->isEnabled());
    EXPECT_EQ(testutil::TempFolder::Read(SettingsPath()).trimmed(), "<SETTINGS/>");
    EXPECT_TRUE(Close());
}

} // namespace
} // namespace quillo::test
