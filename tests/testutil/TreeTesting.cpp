#include "testutil/TreeTesting.h"

namespace quillo::testutil {

std::unique_ptr<TKelPigger> ReadTree(const QByteArray& text)
{
    auto root = std::make_unique<TKelPigger>();
    root->LoadFromText(text);
    return root;
}

QString TreeDifference(const TKelPigger& a, const TKelPigger& b)
{
    const QString where = QString::fromUtf8(a.Tag());
    if (a.Tag() != b.Tag())
        return QStringLiteral("tag %1 vs %2").arg(where, QString::fromUtf8(b.Tag()));
    if (a.Text() != b.Text())
        return QStringLiteral("text of %1").arg(where);
    if (a.AttrCount() != b.AttrCount())
        return QStringLiteral("attribute count of %1").arg(where);
    for (int i = 0; i < a.AttrCount(); ++i)
        if (a.AttrName(i) != b.AttrName(i) || a.AttrValue(i) != b.AttrValue(i))
            return QStringLiteral("attribute %1 of %2").arg(i).arg(where);
    if (a.ChildCount() != b.ChildCount())
        return QStringLiteral("child count of %1").arg(where);
    for (int i = 0; i < a.ChildCount(); ++i) {
        const QString difference = TreeDifference(*a.Child(i), *b.Child(i));
        if (!difference.isEmpty())
            return where + QLatin1Char('/') + difference;
    }
    return {};
}

} // namespace quillo::testutil
