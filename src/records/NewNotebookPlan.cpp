#include "records/NewNotebookPlan.h"

#include "notebook/NotebookSchema.h"
#include "tree/EKelError.h"
#include "tree/TKelPigger.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

namespace quillo {

namespace {

const QString Name = QStringLiteral("NAME");

TKelPigger& NewChild(TKelPigger& parent, const QByteArray& tag)
{
    auto* child = new TKelPigger(&parent);
    child->SetTag(tag);
    return *child;
}

QString DecodeSetText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes.mid(2));
    return QString::fromUtf8(bytes);
}

} // namespace

TKelPigger& TNewNotebookPlan::AppendTo(TKelPigger& root) const
{
    TKelPigger& notebook = NewChild(root, "NOTEBOOK");
    notebook.SetAttr(Name, name);
    if (!printTemplate.isEmpty())
        notebook.SetAttr(QStringLiteral("PRINT_TEMPLATE"), printTemplate);
    TKelPigger& fieldList = NewChild(notebook, "FIELDS");
    TKelPigger& pageList = NewChild(notebook, "PAGES");
    for (const QString& fieldName : fields) {
        TKelPigger& field = NewChild(fieldList, "FIELD");
        field.SetAttr(Name, fieldName);
        if (fieldName == QLatin1String("HTTP"))
            field.SetAttr(QStringLiteral("FEATURE"), NotebookSchema::FeatureHttp);
        else if (fieldName == QLatin1String("E-MAIL"))
            field.SetAttr(QStringLiteral("FEATURE"), NotebookSchema::FeatureEmail);
    }
    for (const QString& pageName : pages)
        NewChild(pageList, "PAGE").SetAttr(Name, pageName);
    return notebook;
}

namespace NewNotebookLists {

QString CustomName(const QString& typed) { return NotebookSchema::SanitizeName(typed.trimmed().toUpper()); }

QStringList EnglishAbc()
{
    return { QStringLiteral("AB"), QStringLiteral("CD"), QStringLiteral("EF"), QStringLiteral("GH"),
        QStringLiteral("IJ"), QStringLiteral("KL"), QStringLiteral("MN"), QStringLiteral("OP"), QStringLiteral("QRS"),
        QStringLiteral("TU"), QStringLiteral("VW"), QStringLiteral("XYZ") };
}

QStringList ReadSetFile(const QString& path, bool fieldNames)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EKelError(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));
    if (file.size() > MaxSetFileBytes)
        throw EKelError(QStringLiteral("The file %1 is too large for a set of names (%2 bytes, at most %3)")
                            .arg(path)
                            .arg(file.size())
                            .arg(MaxSetFileBytes));
    const QByteArray bytes = file.read(MaxSetFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EKelError(QStringLiteral("Cannot read file %1: %2").arg(path, file.errorString()));
    if (bytes.size() > MaxSetFileBytes)
        throw EKelError(QStringLiteral("The file %1 is too large for a set of names").arg(path));
    return ParseSetText(bytes, fieldNames);
}

QStringList ParseSetText(const QByteArray& bytes, bool fieldNames)
{
    QStringList names;
    QSet<QString> seen;
    const QString text = DecodeSetText(bytes);
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        QString name = line.trimmed().toString();
        if (name.isEmpty())
            continue;
        if (fieldNames)
            name = NotebookSchema::SanitizeName(name);
        if (seen.contains(name.toUpper()))
            continue;
        seen.insert(name.toUpper());
        names.append(name);
    }
    return names;
}

} // namespace NewNotebookLists

} // namespace quillo
