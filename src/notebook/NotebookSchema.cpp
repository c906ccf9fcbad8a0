#include "notebook/NotebookSchema.h"

namespace quillo::NotebookSchema {

bool CheckStructure(const TKelPigger& root)
{
    if (root.Tag() != "NOTEBOOKS")
        return false;
    const TKelPigger* notebook = root.FindChild("NOTEBOOK");
    if (!notebook)
        return false;
    const TKelPigger* fields = notebook->FindChild("FIELDS");
    const TKelPigger* pages = notebook->FindChild("PAGES");
    return fields && fields->FindChild("FIELD") && pages && pages->FindChild("PAGE");
}

QString CantLoadFileMessage(const QString& fileName) { return QStringLiteral("Can't load file ") + fileName; }

bool IsNameChar(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '(' || c == ')'
        || c == '+' || c == '-' || c == '_';
}

QString SanitizeName(const QString& name)
{
    QString result;
    result.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        // A character outside the basic plane is one character, not two.
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            ++i;
        result.append(IsNameChar(c.unicode()) ? c : QChar(u'_'));
    }
    return result;
}

int Rpp(const TKelPigger& notebook)
{
    bool ok = false;
    const int rpp = notebook.GetAttr(QStringLiteral("RPP")).toInt(&ok);
    return ok && rpp >= 1 ? rpp : DefaultRpp;
}

QString Caption(const TKelPigger& node)
{
    const QString title = node.GetAttr(QStringLiteral("TITLE"));
    return title.isEmpty() ? node.GetAttr(QStringLiteral("NAME")) : title;
}

TKelPigger* NotebookOf(TKelPigger* node)
{
    while (node && node->Tag() != "NOTEBOOK")
        node = node->Parent();
    return node;
}

const TKelPigger* NotebookOf(const TKelPigger* node) { return NotebookOf(const_cast<TKelPigger*>(node)); }

} // namespace quillo::NotebookSchema
