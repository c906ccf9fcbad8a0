#include "notebook/NotebookEdits.h"
#include "notebook/NotebookSchema.h"
#include "notebook/ProgramPaths.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace quillo {
namespace {

const char* const TwoNotebooks = R"(
<NOTEBOOKS>
	<NOTEBOOK NAME="Friends">
		<FIELDS><FIELD NAME="PERSON"/><FIELD NAME="PHONE"/></FIELDS>
		<PAGES>
			<PAGE NAME="A"><REC PERSON="Ann" PHONE="123" EXTRA="x"/><REC PERSON="Abe"/></PAGE>
			<PAGE NAME="B"><REC PHONE="456"/><REC/></PAGE>
		</PAGES>
	</NOTEBOOK>
	<NOTEBOOK NAME="Work">
		<FIELDS><FIELD NAME="PHONE"/></FIELDS>
		<PAGES><PAGE NAME="X"><REC PHONE="789"/></PAGE></PAGES>
	</NOTEBOOK>
</NOTEBOOKS>)";

// Every record's attributes as NAME=VALUE, records joined by '|'.
QString Records(TKelPigger& notebook)
{
    QStringList records;
    NotebookEdits::WalkTree(notebook, [&](TKelPigger& node) {
        if (node.Tag() != "REC")
            return;
        QStringList attrs;
        for (int i = 0; i < node.AttrCount(); ++i)
            attrs.append(node.AttrName(i) + "=" + node.AttrValue(i));
        records.append(attrs.join(' '));
    });
    return records.join('|');
}

class NotebookEditsTest : public testing::Test {
protected:
    void SetUp() override { doc.LoadFromText(TwoNotebooks); }

    TKelPigger& Friends() { return *doc.Child(0); }
    TKelPigger& Work() { return *doc.Child(1); }

    TKelPigger doc;
    const TWalker walk = [](TKelPigger& start, const TNodeVisitor& visit) { NotebookEdits::WalkTree(start, visit); };
};

TEST_F(NotebookEditsTest, WalkIsPreOrderWithAHookBeforeEveryNode)
{
    QStringList order;
    int hooks = 0;
    NotebookEdits::WalkTree(
        *Friends().FindChild("PAGES"),
        [&](TKelPigger& node) {
            order.append(QString::fromUtf8(node.Tag()) + node.GetAttr("NAME"));
            EXPECT_EQ(hooks, order.size());
        },
        [&] { ++hooks; });
    EXPECT_EQ(order, QStringList({ "PAGES", "PAGEA", "REC", "REC", "PAGEB", "REC", "REC" }));
}

TEST_F(NotebookEditsTest, WalkSurvivesTheDeepestReadableTree)
{
    TKelPigger root;
    TKelPigger* node = &root;
    for (int i = 0; i < TKelPigger::MaxDepth; ++i)
        node = new TKelPigger(node);
    int visited = 0;
    NotebookEdits::WalkTree(root, [&](TKelPigger&) { ++visited; });
    EXPECT_EQ(visited, TKelPigger::MaxDepth + 1);
}

TEST_F(NotebookEditsTest, RenamingMovesValuesInTheNotebookOnly)
{
    NotebookEdits::MoveFieldValues(Friends(), "PHONE", "Mobile", walk);
    EXPECT_EQ(Records(Friends()), "PERSON=Ann EXTRA=x MOBILE=123|PERSON=Abe|MOBILE=456|");
    EXPECT_EQ(Records(Work()), "PHONE=789");
}

TEST_F(NotebookEditsTest, DeletingRemovesValuesInTheNotebookOnly)
{
    NotebookEdits::RemoveFieldValues(Friends(), "phone", walk);
    EXPECT_EQ(Records(Friends()), "PERSON=Ann EXTRA=x|PERSON=Abe||");
    EXPECT_EQ(Records(Work()), "PHONE=789");
}

TEST_F(NotebookEditsTest, MoveChildStepStopsAtTheEnds)
{
    struct Case {
        int index;
        bool up;
        int target;
        const char* order;
    };
    const Case cases[] = {
        { 0, true, -1, "A B C" },
        { 2, false, -1, "A B C" },
        { 0, false, 1, "B A C" },
        { 2, true, 1, "B C A" },
        { 1, true, 0, "C B A" },
    };
    TKelPigger pages;
    pages.LoadFromText(R"(<PAGES><PAGE NAME="A"/><PAGE NAME="B"/><PAGE NAME="C"/></PAGES>)");
    for (const Case& c : cases) {
        EXPECT_EQ(NotebookEdits::MoveChildStep(pages, *pages.Child(c.index), c.up), c.target);
        EXPECT_EQ(NotebookEdits::ChildNames(pages).join(' '), c.order);
    }
    TKelPigger stranger;
    EXPECT_EQ(NotebookEdits::MoveChildStep(pages, stranger, true), -1);
}

TEST_F(NotebookEditsTest, NotebookPropertiesRead)
{
    struct Case {
        const char* element;
        bool right;
        int rpp;
    };
    const Case cases[] = {
        { R"(<NOTEBOOK/>)", false, 10 },
        { R"(<NOTEBOOK RIGHT_TAB_POSITION="Y" RPP="25"/>)", true, 25 },
        { R"(<NOTEBOOK RIGHT_TAB_POSITION="y" RPP="ten"/>)", false, 10 },
        { R"(<NOTEBOOK RIGHT_TAB_POSITION="Yes" RPP=""/>)", false, 10 },
    };
    for (const Case& c : cases) {
        TKelPigger notebook;
        notebook.LoadFromText(c.element);
        const TNotebookProps props = TNotebookProps::Read(notebook);
        EXPECT_EQ(props.rightTabs, c.right) << c.element;
        EXPECT_EQ(props.rpp, c.rpp) << c.element;
    }
}

TEST_F(NotebookEditsTest, NotebookPropertiesWriteBackAndClear)
{
    TKelPigger notebook;
    notebook.LoadFromText(R"(<NOTEBOOK NAME="Old" RIGHT_TAB_POSITION="Y">Old text</NOTEBOOK>)");
    TNotebookProps props;
    props.name = "";
    props.description = QStringLiteral("Line one\nZoë");
    props.rightTabs = false;
    props.rpp = 500;
    props.Apply(notebook);
    EXPECT_EQ(notebook.IndexOfAttr(u"NAME"), -1);
    EXPECT_EQ(notebook.IndexOfAttr(u"RIGHT_TAB_POSITION"), -1);
    EXPECT_EQ(notebook.GetAttr("RPP"), "500");

    TKelPigger reread;
    reread.LoadFromText(notebook.SaveToText());
    EXPECT_EQ(TNotebookProps::Read(reread).description, props.description);
}

TEST_F(NotebookEditsTest, FieldPropertiesRead)
{
    struct Case {
        const char* element;
        int width;
        const char* feature;
    };
    const Case cases[] = {
        { R"(<FIELD NAME="A"/>)", 100, "" },
        { R"(<FIELD NAME="A" WIDTH="0"/>)", 0, "" },
        { R"(<FIELD NAME="A" WIDTH=" 150 "/>)", 150, "" },
        { R"(<FIELD NAME="A" WIDTH="wide"/>)", 100, "" },
        { R"(<FIELD NAME="A" FEATURE="Field is date"/>)", 100, "Field is date" },
        { R"(<FIELD NAME="A" FEATURE="Field is phone"/>)", 100, "Field is phone" },
    };
    for (const Case& c : cases) {
        TKelPigger field;
        field.LoadFromText(c.element);
        const TFieldProps props = TFieldProps::Read(field);
        EXPECT_EQ(props.name, "A");
        EXPECT_EQ(props.width, c.width) << c.element;
        EXPECT_EQ(props.feature, c.feature) << c.element;
    }
}

TEST_F(NotebookEditsTest, AppendedNotebookPassesTheOpeningCheck)
{
    TKelPigger root;
    root.SetTag("NOTEBOOKS");
    TKelPigger& notebook = NotebookEdits::AppendNotebook(root, "Family", { "FIRST NAME", "E-MAIL" }, { "A", "B" });
    EXPECT_TRUE(NotebookSchema::CheckStructure(root));
    EXPECT_EQ(notebook.GetAttr("NAME"), "Family");
    EXPECT_EQ(NotebookEdits::ChildNames(*notebook.FindChild("FIELDS")), QStringList({ "FIRST_NAME", "E-MAIL" }));
    EXPECT_EQ(NotebookEdits::ChildNames(*notebook.FindChild("PAGES")), QStringList({ "A", "B" }));
    EXPECT_EQ(notebook.Child(0)->Tag(), "FIELDS");
}

TEST(ProgramPaths, RelativePathsAreFoundFromTheWorkingFolderOrBesideTheProgram)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QDir(temp.path()).mkpath("bin");
    QDir(temp.path()).mkpath("docs");
    QFile guide(temp.filePath("docs/index.html"));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
    guide.close();

    const QString saved = QDir::currentPath();
    QDir::setCurrent(temp.filePath("bin"));
    EXPECT_EQ(ProgramPaths::Resolve("..\\docs\\index.html"), QDir::cleanPath(temp.filePath("docs/index.html")));
    EXPECT_EQ(ProgramPaths::Resolve("../missing.txt"), QDir::cleanPath(temp.filePath("missing.txt")));
    EXPECT_EQ(ProgramPaths::Resolve("/abs\\x"), "/abs/x");

    // Elsewhere the guide beside the program is found.
    QDir::setCurrent(temp.path());
    const QString besideProgram = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../docs/index.html");
    EXPECT_EQ(ProgramPaths::Resolve("..\\docs\\index.html"), besideProgram);
    EXPECT_TRUE(QFileInfo::exists(besideProgram));
    QDir::setCurrent(saved);
}

} // namespace
} // namespace quillo
