#include "tree/TKelPigger.h"
#include "testutil/TreeTesting.h"
#include "tree/EKelError.h"
#include "tree/KelTextCodec.h"

#include <QStringList>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

using namespace quillo;
using quillo::testutil::ReadTree;

namespace {

TKelPigger* AddChild(TKelPigger& parent, const char* tag, const QString& name = {})
{
    auto* child = new TKelPigger(&parent);
    child->SetTag(tag);
    if (!name.isEmpty())
        child->SetAttr(QStringLiteral("NAME"), name);
    return child;
}

QStringList AttrNames(const TKelPigger& node)
{
    QStringList names;
    for (int i = 0; i < node.AttrCount(); ++i)
        names << node.AttrName(i);
    return names;
}

} // namespace

TEST(TKelPiggerAttributes, NamesAreUpperCasedAndLookupsIgnoreCase)
{
    TKelPigger node;
    node.SetAttr(QStringLiteral("phone"), QStringLiteral("123"));
    EXPECT_EQ(node.GetAttr(QStringLiteral("PHONE")), QStringLiteral("123"));
    EXPECT_EQ(node.GetAttr(QStringLiteral("Phone")), QStringLiteral("123"));
    EXPECT_EQ(node.AttrName(0), QStringLiteral("PHONE"));
    EXPECT_EQ(node.IndexOfAttr(u"phone"), -1) << "IndexOfAttr compares exactly";
    EXPECT_EQ(node.GetAttr(QStringLiteral("missing")), QString());
}

TEST(TKelPiggerAttributes, UpperCaseIsTheFullMappingInLinearTime)
{
    const QString longName = QString(31, u'a') + QString::fromUcs4(U"\U00010428\u00df");
    const QString cases[] = { QStringLiteral("stra\u00dfe"), QStringLiteral("\ufb00\u0149\u1f80\u0390 \u03c3\u03c2"),
        QString::fromUcs4(U"\U00010428x"), longName, QString(100, QChar(0x00df)), QStringLiteral("ABC_1") };
    for (const QString& text : cases)
        EXPECT_EQ(KelTextCodec::UpperCase(text), text.toUpper()) << text.toStdString();
    std::u32string codes;
    for (char32_t code = 1; code < 0x110000; ++code)
        if (!QChar::isSurrogate(code))
            codes += code;
    const QString everyCharacter = QString::fromUcs4(codes.data(), qsizetype(codes.size()));
    EXPECT_EQ(KelTextCodec::UpperCase(everyCharacter), everyCharacter.toUpper());

    // QString::toUpper takes minutes on a few megabytes of characters that grow.
    const QString grows(4 * 1024 * 1024, QChar(0x00df));
    const QString upper = KelTextCodec::UpperCase(grows);
    EXPECT_EQ(upper.size(), 2 * grows.size());
    EXPECT_EQ(upper.count(QLatin1Char('S')), upper.size());
    TKelPigger node;
    node.SetAttr(grows, QStringLiteral("v"));
    EXPECT_EQ(node.GetAttr(grows), QStringLiteral("v"));
}

TEST(TKelPiggerAttributes, UpperCaseIntoReusesOneBufferForValuesThatGrowAndShrink)
{
    // A search upper-cases every value into the same buffer: what a longer value left must not show.
    const QString values[] = { QStringLiteral("a long value with \u00df and \u00e9 in it"), QStringLiteral("ab"),
        QString(), QStringLiteral("\u00df"), QStringLiteral("x\u00df"), QString(40, QChar(0x00df)),
        QStringLiteral("\ufb03\u0390z"), QString::fromUcs4(U"k\U00010428"), QStringLiteral("tail\xd801"),
        QStringLiteral("M\u00fcller") };
    QString upper;
    for (const QString& value : values) {
        KelTextCodec::UpperCaseInto(value, upper);
        EXPECT_EQ(upper, value.toUpper()) << value.toStdString();
    }
}

TEST(TKelPiggerAttributes, ReplaceKeepsPositionEmptyRemovesAndReAddAppends)
{
    TKelPigger node;
    node.SetAttr(QStringLiteral("A"), QStringLiteral("1"));
    node.SetAttr(QStringLiteral("B"), QStringLiteral("2"));
    node.SetAttr(QStringLiteral("C"), QStringLiteral("3"));

    node.SetAttr(QStringLiteral("A"), QStringLiteral("a much longer value"));
    EXPECT_EQ(AttrNames(node), QStringList({ "A", "B", "C" }));
    EXPECT_EQ(node.GetAttr(QStringLiteral("B")), QStringLiteral("2")) << "later values shift with a longer one";
    EXPECT_EQ(node.GetAttr(QStringLiteral("C")), QStringLiteral("3"));

    node.SetAttr(QStringLiteral("B"), QString());
    EXPECT_EQ(node.AttrCount(), 2);
    EXPECT_EQ(node.GetAttr(QStringLiteral("C")), QStringLiteral("3"));
    EXPECT_EQ(node.GetAttr(QStringLiteral("A")), QStringLiteral("a much longer value"));

    node.SetAttr(QStringLiteral("B"), QStringLiteral("again"));
    EXPECT_EQ(AttrNames(node), QStringList({ "A", "C", "B" }));

    node.DeleteAttr(QStringLiteral("nothing"));
    node.DeleteAttr(QStringLiteral("a"));
    EXPECT_EQ(AttrNames(node), QStringList({ "C", "B" }));
    EXPECT_EQ(node.AttrValue(0), QStringLiteral("3"));
}

TEST(TKelPiggerAttributes, EditsMatchASimpleListOverManySteps)
{
    // Values grow, shrink and vanish on a node read from text and on copies of it.
    auto node = ReadTree("<A N0=\"start\" N1=\"\xc3\xa9\"/>");
    std::vector<std::pair<QString, QString>> expected { { "N0", "start" }, { "N1", "\u00e9" } };
    uint32_t seed = 7;
    const auto next = [&seed](uint32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % bound;
    };
    for (int step = 0; step < 3000; ++step) {
        const QString name = QStringLiteral("N%1").arg(next(12));
        const QString value(int(next(4) == 0 ? 0 : next(40)), QChar(u'a' + char16_t(step % 26)));
        node->SetAttr(name, value);
        const auto found
            = std::find_if(expected.begin(), expected.end(), [&](const auto& attr) { return attr.first == name; });
        if (value.isEmpty() && found != expected.end())
            expected.erase(found);
        else if (found != expected.end())
            found->second = value;
        else if (!value.isEmpty())
            expected.emplace_back(name, value);
        ASSERT_EQ(node->AttrCount(), int(expected.size())) << step;
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(node->AttrName(int(i)), expected[i].first) << step;
            ASSERT_EQ(node->AttrValue(int(i)), expected[i].second) << step;
        }
        if (step % 500 == 0) {
            TKelPigger copy;
            copy.Assign(*node);
            copy.SetAttr(name, QStringLiteral("only in the copy"));
            ASSERT_EQ(node->GetAttr(name), value);
            node->Assign(copy);
            node->SetAttr(name, value);
        }
    }
}

TEST(TKelPiggerAttributes, DuplicatesReadFromTextAreKeptAndFirstWins)
{
    auto root = ReadTree("<A x=\"1\" X=\"2\"/>");
    ASSERT_EQ(root->AttrCount(), 2);
    EXPECT_EQ(root->GetAttr(QStringLiteral("x")), QStringLiteral("1"));
    root->SetAttr(QStringLiteral("x"), QStringLiteral("3"));
    EXPECT_EQ(root->AttrValue(0), QStringLiteral("3"));
    EXPECT_EQ(root->AttrValue(1), QStringLiteral("2"));
}

TEST(TKelPiggerAttributes, OutOfRangeIndexReportsListError)
{
    TKelPigger node;
    try {
        node.AttrName(0);
        FAIL();
    } catch (const EKelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("List index out of bounds (0)"));
    }
    EXPECT_THROW(node.AttrValue(-1), EKelError);
}

TEST(TKelPiggerChildren, LookupsByTagAndAttribute)
{
    auto root
        = ReadTree("<ROOT><Field name=\"Phone\"/><PAGE/><FIELD NAME=\"phone\"/><field/><PAGE NAME=\"x\"/></ROOT>");
    TKelPigger* first = root->FindChild("field");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(root->IndexOfChild(first), 0);
    TKelPigger* second = root->FindNextChild(first);
    EXPECT_EQ(root->IndexOfChild(second), 2) << "skips the PAGE between";
    EXPECT_EQ(root->IndexOfChild(root->FindNextChild(second)), 3);
    EXPECT_EQ(root->FindNextChild(root->FindNextChild(second)), nullptr);
    EXPECT_EQ(root->FindNextChild(nullptr), nullptr);
    EXPECT_EQ(root->FindChild("NONE"), nullptr);

    EXPECT_EQ(root->FindChildByAttr(QStringLiteral("name"), QStringLiteral("PHONE")), root->Child(0));
    EXPECT_EQ(root->FindChildByAttr(QStringLiteral("NAME"), QString()), root->Child(1)) << "first child lacking NAME";
    EXPECT_EQ(root->FindChildByAttr(QStringLiteral("NAME"), QStringLiteral("y")), nullptr);
    EXPECT_EQ(root->FindChildByAttr(QStringLiteral("NAME"), QStringLiteral("É")), nullptr);
    root->Child(4)->SetAttr(QStringLiteral("NAME"), QStringLiteral("é"));
    EXPECT_EQ(root->FindChildByAttr(QStringLiteral("NAME"), QStringLiteral("É")), root->Child(4));
}

TEST(TKelPiggerChildren, ChildOutsideTheListIsNull)
{
    TKelPigger root;
    AddChild(root, "A");
    EXPECT_EQ(root.Child(-1), nullptr);
    EXPECT_EQ(root.Child(1), nullptr);
    EXPECT_NE(root.Child(0), nullptr);
}

TEST(TKelPiggerChildren, MoveChildShiftsOthersAndRefusesBadIndexes)
{
    TKelPigger root;
    for (const char* name : { "0", "1", "2", "3" })
        AddChild(root, "C", QString::fromLatin1(name));
    const auto order = [&] {
        QString names;
        for (int i = 0; i < root.ChildCount(); ++i)
            names += root.Child(i)->GetAttr(QStringLiteral("NAME"));
        return names;
    };
    root.MoveChild(0, 2);
    EXPECT_EQ(order(), QStringLiteral("1203"));
    root.MoveChild(3, 0);
    EXPECT_EQ(order(), QStringLiteral("3120"));
    root.MoveChild(1, 1);
    EXPECT_EQ(order(), QStringLiteral("3120"));
    EXPECT_THROW(root.MoveChild(4, 0), EKelError);
    EXPECT_THROW(root.MoveChild(0, -1), EKelError);
    EXPECT_EQ(order(), QStringLiteral("3120"));
    // FindNextChild still walks in the new order after moves.
    EXPECT_EQ(root.FindNextChild(root.Child(1)), root.Child(2));
}

TEST(TKelPiggerStructure, SetParentRelevelsWholeSubtreeAndAppends)
{
    TKelPigger a, b;
    a.SetTag("A");
    TKelPigger* deep = AddChild(*AddChild(*AddChild(a, "X"), "Y"), "Z");
    TKelPigger* target = AddChild(*AddChild(b, "P"), "Q");
    AddChild(*target, "EXISTING");
    EXPECT_EQ(deep->Level(), 3);

    TKelPigger* x = a.Child(0);
    x->SetParent(target);
    EXPECT_EQ(a.ChildCount(), 0);
    EXPECT_EQ(target->Child(1), x);
    EXPECT_EQ(x->Parent(), target);
    EXPECT_EQ(x->Level(), 3);
    EXPECT_EQ(deep->Level(), 5);
    EXPECT_EQ(deep->Indent(), QStringLiteral("\r\n\t\t\t\t\t"));

    x->SetParent(nullptr);
    EXPECT_EQ(x->Level(), 0);
    EXPECT_EQ(x->Indent(), QStringLiteral("\r\n"));
    EXPECT_EQ(deep->Level(), 2);
    delete x;
    EXPECT_EQ(target->ChildCount(), 1);
}

TEST(TKelPiggerStructure, SetParentToCurrentParentKeepsPlace)
{
    TKelPigger root;
    TKelPigger* first = AddChild(root, "A");
    AddChild(root, "B");
    first->SetParent(&root);
    EXPECT_EQ(root.Child(0), first);
    EXPECT_EQ(root.ChildCount(), 2);
}

TEST(TKelPiggerStructure, ClearEmptiesButKeepsPlaceInTree)
{
    TKelPigger root;
    root.SetTag("ROOT");
    TKelPigger* node = AddChild(root, "NODE", QStringLiteral("n"));
    node->SetText("text");
    AddChild(*AddChild(*node, "KID"), "GRANDKID");
    node->Clear();
    EXPECT_EQ(node->Tag(), QByteArray());
    EXPECT_EQ(node->Text(), QByteArray());
    EXPECT_EQ(node->AttrCount(), 0);
    EXPECT_EQ(node->ChildCount(), 0);
    EXPECT_EQ(node->Parent(), &root);
    EXPECT_EQ(node->Level(), 1);
    EXPECT_EQ(root.SaveToText(), QByteArray("\r\n<ROOT>\r\n</ROOT>")) << "an empty tag writes nothing";
}

TEST(TKelPiggerStructure, SetTagTrimsAndUpperCasesAsciiOnly)
{
    TKelPigger node;
    node.SetTag(" \t rec\xc3\xa9 \r\n");
    EXPECT_EQ(node.Tag(), QByteArray("REC\xc3\xa9"));
}

namespace {

// A node class of its own, as the report and template sides have.
class TMarkedNode : public TKelPigger {
public:
    explicit TMarkedNode(TKelPigger* parent = nullptr)
        : TKelPigger(parent)
    {
    }
    TKelPigger* Create(TKelPigger* parent) const override { return new TMarkedNode(parent); }
    TKelPigger* CreateChild(const QByteArray& tag) override
    {
        if (tag == "SKIP")
            return nullptr;
        return tag.startsWith("M") ? new TMarkedNode(this) : new TKelPigger(this);
    }
    void ChildParsed(TKelPigger* child) override { parsed += child->Tag() + ' '; }
    bool AcceptText(const QByteArray& text) override { return !text.startsWith('!'); }

    QByteArray parsed;
};

} // namespace

TEST(TKelPiggerStructure, AssignDeepCopiesAndKeepsClasses)
{
    TMarkedNode source;
    source.LoadFromText("<ROOT a=\"1\" A=\"2\">text<M1><M2 x=\"y\"/><PLAIN/></M1></ROOT>");
    TKelPigger parent;
    TKelPigger* copy = AddChild(parent, "OLD", QStringLiteral("old"));
    AddChild(*copy, "OLDCHILD");
    copy->Assign(source);

    EXPECT_EQ(quillo::testutil::TreeDifference(source, *copy), QString());
    EXPECT_EQ(copy->Parent(), &parent);
    EXPECT_EQ(copy->Child(0)->Level(), 2);
    EXPECT_NE(dynamic_cast<TMarkedNode*>(copy->Child(0)), nullptr);
    EXPECT_NE(dynamic_cast<TMarkedNode*>(copy->Child(0)->Child(0)), nullptr);
    EXPECT_EQ(dynamic_cast<TMarkedNode*>(copy->Child(0)->Child(1)), nullptr);
    source.Clear();
    EXPECT_EQ(copy->Child(0)->Child(0)->GetAttr(QStringLiteral("x")), QStringLiteral("y"));
}

TEST(TKelPiggerReaderHooks, SkippedElementsRefusedTextAndParsedChildren)
{
    TMarkedNode root;
    root.LoadFromText("<ROOT>kept<SKIP><DEEP a=\"1\">t</DEEP></SKIP>!refused<A/>more<M/></ROOT>");
    ASSERT_EQ(root.ChildCount(), 2);
    EXPECT_EQ(root.Child(0)->Tag(), QByteArray("A"));
    EXPECT_EQ(root.Child(1)->Tag(), QByteArray("M"));
    EXPECT_EQ(root.Text(), QByteArray("keptmore"));
    EXPECT_EQ(root.parsed, QByteArray("A M "));
}
