#include "notebook/NotebookEdits.h"
#include "notebook/ProgramPaths.h"
#include "testutil/TempFolder.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

namespace quillo {
namespace {

TEST(NotebookEditsTest, WalkIsPreOrderWithAHookBeforeEveryNodeAndNoRecursion)
{
    TKelPigger pages;
    pages.LoadFromText(R"(<PAGES><PAGE NAME="A"><REC/><REC/></PAGE><PAGE NAME="B"><REC/></PAGE></PAGES>)");
    QStringList order;
    int hooks = 0;
    NotebookEdits::WalkTree(
        pages,
        [&](TKelPigger& node) {
            order.append(QString::fromUtf8(node.Tag()) + node.GetAttr("NAME"));
            EXPECT_EQ(hooks, order.size());
        },
        [&] { ++hooks; });
    EXPECT_EQ(order, QStringList({ "PAGES", "PAGEA", "REC", "REC", "PAGEB", "REC" }));

    TKelPigger root;
    TKelPigger* node = &root;
    for (int i = 0; i < TKelPigger::MaxDepth; ++i)
        node = new TKelPigger(node);
    int visited = 0;
    NotebookEdits::WalkTree(root, [&](TKelPigger&) { ++visited; });
    EXPECT_EQ(visited, TKelPigger::MaxDepth + 1);
}

TEST(NotebookEditsTest, PropertiesReadWithTheirDefaults)
{
    const struct {
        const char* element;
        bool right;
        int rpp;
    } notebooks[] = {
        { R"(<NOTEBOOK/>)", false, 10 },
        { R"(<NOTEBOOK RIGHT_TAB_POSITION="Y" RPP="25"/>)", true, 25 },
        { R"(<NOTEBOOK RIGHT_TAB_POSITION="y" RPP="ten"/>)", false, 10 },
        { R"(<NOTEBOOK RIGHT_TAB_POSITION="Yes" RPP=""/>)", false, 10 },
    };
    for (const auto& c : notebooks) {
        TKelPigger notebook;
        notebook.LoadFromText(c.element);
        const TNotebookProps props = TNotebookProps::Read(notebook);
        EXPECT_EQ(props.rightTabs, c.right) << c.element;
        EXPECT_EQ(props.rpp, c.rpp) << c.element;
    }
    const struct {
        const char* element;
        int width;
        const char* feature;
    } fields[] = {
        { R"(<FIELD NAME="A"/>)", 100, "" },
        { R"(<FIELD NAME="A" WIDTH="0"/>)", 0, "" },
        { R"(<FIELD NAME="A" WIDTH=" 150 "/>)", 150, "" },
        { R"(<FIELD NAME="A" WIDTH="wide"/>)", 100, "" },
        { R"(<FIELD NAME="A" FEATURE="Field is phone"/>)", 100, "Field is phone" },
    };
    for (const auto& c : fields) {
        TKelPigger field;
        field.LoadFromText(c.element);
        const TFieldProps props = TFieldProps::Read(field);
        EXPECT_EQ(props.name, "A");
        EXPECT_EQ(props.width, c.width) << c.element;
        EXPECT_EQ(props.feature, c.feature) << c.element;
    }
}

TEST(NotebookEditsTest, ADescriptionSurvivesTheFile)
{
    TKelPigger notebook;
    notebook.SetTag("NOTEBOOK");
    TNotebookProps props;
    props.description = QStringLiteral("Line one\nZo\u00eb <&> 100%");
    props.Apply(notebook);
    TKelPigger reread;
    reread.LoadFromText(TKelPigger::NormalizeText(notebook.SaveToText()));
    // The file turns line ends into CR LF; the description box shows either as one line break.
    EXPECT_EQ(TNotebookProps::Read(reread).description.replace("\r\n", "\n"), props.description);
}

TEST(ProgramPaths, RelativePathsAreFoundFromTheWorkingFolderOrBesideTheProgram)
{
    testutil::TempFolder temp;
    QDir(temp.Path()).mkpath("bin");
    QDir(temp.Path()).mkpath("docs");
    const QString guide = temp.Write("docs/index.html", "");
    const QString saved = QDir::currentPath();
    QDir::setCurrent(temp.File("bin"));
    EXPECT_EQ(ProgramPaths::Resolve("..\\docs\\index.html"), guide);
    EXPECT_EQ(ProgramPaths::Resolve("../missing.txt"), temp.File("missing.txt"));
    EXPECT_EQ(ProgramPaths::Resolve("/abs\\x"), "/abs/x");
    QDir::setCurrent(temp.Path());
    const QString besideProgram = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../docs/index.html");
    EXPECT_EQ(ProgramPaths::Resolve("..\\docs\\index.html"), besideProgram);
    EXPECT_TRUE(QFileInfo::exists(besideProgram));
    QDir::setCurrent(saved);
}

} // namespace
} // namespace quillo
