#include "printing/NewTemplateQuestion.h"
#include "printing/widgets/TKelFileEdit.h"
#include "printing/widgets/TO_prn_page.h"
#include "report/widgets/TFrame_Preview.h"
#include "reportgen/TRepGenPig.h"
#include "testutil/ErrorMessage.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"
#include "testutil/UserEvents.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QUrl>

namespace quillo {
namespace {

// The report title tells what the template run saw: the notebook's NAME, RPP doubled (an integer doubles,
// a string would not) and the side.
const char* const ProbeTemplate = R"T(<QUILLO_TEMPLATE>
	<REPORT TITLE="=GETATTRIB('NAME') + '|' + STRING(GETPASSEDPARAM('RPP') * 2) + '|' + GETPASSEDPARAM('PAGE_TYPE')">
		<BODY>
			<BAND WIDTH="95" HEIGHT="10">
				<LABEL WIDTH="60" HEIGHT="7" TEXT="=GETATTRIB('NAME')"/>
			</BAND>
		</BODY>
	</REPORT>
</QUILLO_TEMPLATE>)T";

class PrnPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame.SetServices(&prompts, &fileDialogs, &desktop);
        frame.resize(700, 500);
        testutil::ShowActive(&frame);
        notebook.SetTag("NOTEBOOK");
        notebook.SetAttr("NAME", "Friends");
    }

    QLineEdit* Box() { return frame.KelFileEdit1->Edit; }
    // Empties the box as the user does: everything selected, then Backspace.
    void ClearBox()
    {
        Box()->setFocus();
        QTest::keyClick(Box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Box(), Qt::Key_Backspace);
    }
    QString Template() const { return notebook.GetAttr("PRINT_TEMPLATE"); }

    testutil::TempFolder folder;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs fileDialogs;
    testutil::ScriptedDesktop desktop;
    TKelPigger notebook;
    TO_prn_page frame;
};

TEST_F(PrnPageTest, ANotebookWithoutTemplateGetsTheDefaultAndClearingTheBoxKeepsIt)
{
    EXPECT_EQ(frame.Label_template->text(), "Page template file:");
    frame.SetNotebook(&notebook);
    EXPECT_EQ(Box()->text(), "..\\templates\\contacts-5.zdkt");
    EXPECT_EQ(Template(), "..\\templates\\contacts-5.zdkt");

    ClearBox();
    EXPECT_EQ(frame.TemplateFileName(), "");
    EXPECT_EQ(Template(), "..\\templates\\contacts-5.zdkt") << "an emptied box stores nothing";
    QTest::keyClicks(Box(), "  mine.zdkt ");
    EXPECT_EQ(Template(), "mine.zdkt") << "stored trimmed at every change";

    // A stored template is shown trimmed; no notebook shows the default and stores nowhere.
    notebook.SetAttr("PRINT_TEMPLATE", " other.zdkt");
    frame.SetNotebook(&notebook);
    EXPECT_EQ(Box()->text(), "other.zdkt");
    frame.SetNotebook(nullptr);
    EXPECT_EQ(Box()->text(), "..\\templates\\contacts-5.zdkt");
    EXPECT_EQ(Template(), "other.zdkt");
}

TEST_F(PrnPageTest, OnlyTheUsersChangesOfTheStoredTemplateAreSignalled)
{
    QSignalSpy edited(&frame, &TO_prn_page::TemplateEdited);
    frame.SetNotebook(&notebook);
    frame.SetNotebook(&notebook);
    EXPECT_EQ(edited.count(), 0) << "showing a notebook stores the default unsignalled";

    Box()->setFocus();
    QTest::keyClick(Box(), Qt::Key_End);
    QTest::keyClicks(Box(), " ");
    QTest::keyClick(Box(), Qt::Key_Backspace);
    EXPECT_EQ(edited.count(), 0) << "a trailing blank is trimmed away";
    QTest::keyClick(Box(), Qt::Key_Backspace);
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(Template(), "..\\templates\\contacts-5.zdk");

    frame.ClearFileBox();
    EXPECT_EQ(frame.TemplateFileName(), "");
    EXPECT_EQ(Template(), "..\\templates\\contacts-5.zdk");
    EXPECT_EQ(edited.count(), 1);
}

TEST_F(PrnPageTest, TheSampleRunPassesRppLessOneAsAnIntegerAndTheRightSide)
{
    notebook.SetAttr("RPP", "12");
    notebook.SetAttr("PRINT_TEMPLATE", folder.Write("probe.zdkt", ProbeTemplate));
    frame.SetNotebook(&notebook);
    frame.SetParam("LEFTOVER", "from an earlier run");
    testutil::ClickButton(frame.SB_show_template);
    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_EQ(frame.Frame_Preview1->ReportTitle(), "Friends|22|RIGHT");
    EXPECT_EQ(frame.Frame_Preview1->PageCount(), 1);
    EXPECT_EQ(frame.Frame_Preview1->Page(), 0);
    EXPECT_EQ(frame.Frame_Preview1->TopMargin(), 10);
    EXPECT_EQ(frame.Frame_Preview1->LeftMargin(), 10);
    const TKelPigger& params = frame.PassedParams().Node();
    ASSERT_EQ(params.ChildCount(), 2) << "no parameter survives from one run to the next";
    EXPECT_EQ(params.Child(1)->GetAttr("NAME") + "=" + params.Child(1)->GetAttr("VALUE") + ":"
            + params.Child(1)->GetAttr("TYPE"),
        "RPP=11:INT");

    // The same name set twice is one PARAM with the last value.
    frame.SetParam("PAGE_TYPE", "LEFT");
    frame.SetParam("page_type", "RIGHT");
    EXPECT_EQ(params.ChildCount(), 2);
    EXPECT_EQ(params.Child(0)->GetAttr("VALUE"), "RIGHT");

    // Any change of the box throws the sample away.
    QTest::keyClicks(Box(), " ");
    EXPECT_EQ(frame.Frame_Preview1->PageCount(), 0);
}

TEST_F(PrnPageTest, WithoutNotebookTheTemplateReadsEmptyAttributesAndNineRecordsLess)
{
    frame.SetNotebook(nullptr);
    ClearBox();
    QTest::keyClicks(Box(), folder.Write("probe.zdkt", ProbeTemplate));
    testutil::ClickButton(frame.SB_show_template);
    EXPECT_EQ(prompts.Log(), QStringList());
    EXPECT_EQ(frame.Frame_Preview1->ReportTitle(), "|18|RIGHT");
}

TEST_F(PrnPageTest, AFailingTemplateIsToldTheBoxEmptiedAndTheNotebookKeepsItsTemplate)
{
    const struct {
        const char* what;
        QString file;
        QString message;
    } cases[] = {
        { "missing", folder.File("missing.zdkt"), "Cannot open file " + folder.File("missing.zdkt") },
        { "syntax", folder.Write("broken.zdkt", "<QUILLO_TEMPLATE><REPORT"),
            folder.File("broken.zdkt") + ": Syntax error at byte" },
        { "run", folder.Write("failing.zdkt", "<QUILLO_TEMPLATE><EXEC>NOSUCHFUNCTION()</EXEC></QUILLO_TEMPLATE>"), "" },
    };
    for (const auto& c : cases) {
        notebook.SetAttr("PRINT_TEMPLATE", c.file);
        frame.SetNotebook(&notebook);
        prompts.ClearLog();
        testutil::ClickButton(frame.SB_show_template);
        ASSERT_EQ(prompts.Log().size(), 1) << c.what;
        EXPECT_TRUE(prompts.Log().constFirst().startsWith("ShowMessage: " + c.message))
            << c.what << ": " << prompts.Log().constFirst().toStdString();
        EXPECT_EQ(Box()->text(), "") << c.what;
        EXPECT_EQ(Template(), c.file) << c.what;
        EXPECT_EQ(frame.Frame_Preview1->PageCount(), 0) << c.what;
    }
    // Nothing happens while the box is empty.
    prompts.ClearLog();
    QTest::mouseClick(frame.SB_show_template, Qt::LeftButton);
    EXPECT_EQ(prompts.Log(), QStringList());
}

TEST_F(PrnPageTest, AFaultInARunningTemplateNamesTheElementAndItsByteInTheFile)
{
    const QByteArray text
        = "<QUILLO_TEMPLATE>\n<REPORT>\n\t<BODY/>\n\t<EXEC>NOSUCHFUNCTION()</EXEC>\n</REPORT>\n</QUILLO_TEMPLATE>\n";
    notebook.SetAttr("PRINT_TEMPLATE", folder.Write("failing.zdkt", text));
    frame.SetNotebook(&notebook);
    TRepGenPig generator;
    const QString fault = testutil::ErrorOf([&] { generator.Evaluate("NOSUCHFUNCTION()"); });
    ASSERT_FALSE(fault.isEmpty());
    prompts.ClearLog();
    testutil::ClickButton(frame.SB_show_template);
    EXPECT_EQ(prompts.Log(),
        QStringList { QStringLiteral("ShowMessage: %1\nIn <EXEC> at byte %2 of the template file")
                          .arg(fault)
                          .arg(text.indexOf("<EXEC>") + 1) });
}

TEST_F(PrnPageTest, TheEllipsisOpensADialogOnTheBoxAndPutsTheChoiceIntoIt)
{
    frame.SetNotebook(&notebook);
    const QString chosen = folder.File("chosen.zdkt");
    fileDialogs.Answer(chosen).Answer(QString());
    testutil::ClickButton(frame.KelFileEdit1->Btn_ellipsis);
    EXPECT_TRUE(fileDialogs.Log().value(0).endsWith("/templates/contacts-5.zdkt"))
        << fileDialogs.Log().value(0).toStdString();
    EXPECT_EQ(Box()->text(), chosen);
    EXPECT_EQ(Template(), chosen);
    testutil::ClickButton(frame.KelFileEdit1->Btn_ellipsis);
    EXPECT_EQ(Box()->text(), chosen) << "a cancelled dialog changes nothing";

    // A file dropped from the desktop takes the box too.
    const QString dropped = folder.File("dropped.zdkt");
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(dropped) });
    const QPoint at = frame.KelFileEdit1->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.KelFileEdit1, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.KelFileEdit1, &drop);
    EXPECT_EQ(Template(), dropped);
}

TEST_F(PrnPageTest, NewTemplateOffersTheTemplateReference)
{
    prompts.Answer(false).Answer(true);
    testutil::ClickButton(frame.SB_build_template);
    EXPECT_EQ(desktop.Opened(), QStringList());
    testutil::ClickButton(frame.SB_build_template);
    EXPECT_EQ(prompts.Log().value(1), "Sure: " + NewTemplateQuestion::Text(false));
    EXPECT_EQ(desktop.Opened(), QStringList({ NewTemplateQuestion::ReferenceUrl().toString() }));
}

} // namespace
} // namespace quillo
