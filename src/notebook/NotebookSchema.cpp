#include "notebook/NotebookSchema.h"

namespace quillo::NotebookSchema {

bool CheckStructure(const TKelPigger& root) { return StructureFault(root).isEmpty(); }

QString StructureFault(const TKelPigger& root)
{
    if (root.Tag().isEmpty())
        return QStringLiteral("The file holds no document");
    if (root.Tag() != "NOTEBOOKS")
        return QStringLiteral("The file holds a %1 document, not NOTEBOOKS").arg(QString::fromUtf8(root.Tag()));
    const TKelPigger* notebook = root.FindChild("NOTEBOOK");
    if (!notebook)
        return QStringLiteral("The file holds no notebook");
    return NotebookFault(*notebook);
}

QString NotebookFault(const TKelPigger& notebook)
{
    const TKelPigger* fields = notebook.FindChild("FIELDS");
    if (!fields || !fields->FindChild("FIELD"))
        return QStringLiteral("The first notebook has no field");
    const TKelPigger* pages = notebook.FindChild("PAGES");
    if (!pages || !pages->FindChild("PAGE"))
        return QStringLiteral("The first notebook has no page");
    return QString();
}

QString CantLoadFileMessage(const QString& fileName, const QString& reason)
{
    const QString message = QStringLiteral("Can't load file ") + fileName;
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

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
