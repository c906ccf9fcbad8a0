#include "exchange/ContactExport.h"

#include "exchange/ContactMapping.h"
#include "exchange/TContactFields.h"
#include "exchange/TCsvWriter.h"
#include "exchange/TVCardWriter.h"
#include "notebook/NotebookSchema.h"

#include <QRegularExpression>

namespace quillo::ContactExport {

namespace {

const QString NameAttr = QStringLiteral("NAME");

// Calls visit(page, rec) for every record of the notebook, or of one page, in document order.
template <typename Visit> void ForEachRecord(const TKelPigger& notebook, const TKelPigger* onePage, Visit visit)
{
    const TKelPigger* pages = notebook.FindChild("PAGES");
    if (!pages)
        return;
    for (const TKelPigger* page = pages->FindChild("PAGE"); page; page = pages->FindNextChild(page)) {
        if (onePage && page != onePage)
            continue;
        for (const TKelPigger* rec = page->FindChild("REC"); rec; rec = page->FindNextChild(rec))
            visit(*page, *rec);
    }
}

// The parts of a value that import joined with ", ", or the value alone when splitting would not give it
// back.
QStringList SplitJoined(const QString& value)
{
    const QStringList parts = value.split(QLatin1String(", "));
    for (const QString& part : parts)
        if (part.isEmpty() || part != part.trimmed())
            return { value };
    return parts;
}

void WritePhones(TVCardWriter& writer, const QString& value)
{
    static const QRegularExpression typed(QStringLiteral("^(.*\\S) \\(([a-z0-9-]+(?:/[a-z0-9-]+)*)\\)$"));
    for (const QString& part : SplitJoined(value)) {
        const QRegularExpressionMatch match = typed.match(part);
        const QStringList types = match.captured(2).split(QLatin1Char('/'));
        if (match.hasMatch() && ContactMapping::PhoneText(match.captured(1), types) == part)
            writer.Add("TEL", match.captured(1), "TYPE=" + types.join(QLatin1Char(',')).toUtf8());
        else
            writer.Add("TEL", part);
    }
}

void WriteCard(TVCardWriter& writer, const TContactFields& fields, const QList<TContactRole>& roles,
    const TKelPigger& page, const TKelPigger& rec)
{
    writer.Begin();
    // First, so that a field named PAGE, written as X-QUILLO-PAGE too, comes after it.
    writer.Add("X-QUILLO-PAGE", page.GetAttr(NameAttr));
    const QString last = rec.GetAttr(QStringLiteral("LAST_NAME"));
    const QString first = rec.GetAttr(QStringLiteral("FIRST_NAME"));
    QString fullName = QStringList { first, last }.join(QLatin1Char(' ')).trimmed();
    for (int i = 0; fullName.isEmpty() && i < fields.Names().size(); ++i)
        fullName = rec.GetAttr(fields.Names()[i]);
    writer.Add("FN", fullName);
    const bool hasNameFields = fields.Has(QStringLiteral("LAST_NAME")) || fields.Has(QStringLiteral("FIRST_NAME"));
    if (hasNameFields && !(last.isEmpty() && first.isEmpty()))
        writer.AddStructured("N", { last, first, {}, {}, {} });
    for (qsizetype i = 0; i < fields.Names().size(); ++i) {
        const QString& name = fields.Names()[i];
        const QString value = rec.GetAttr(name);
        if (value.isEmpty())
            continue;
        switch (roles[i]) {
        case TContactRole::LastName:
        case TContactRole::FirstName:
            break;
        case TContactRole::Address:
            writer.AddStructured("ADR", { {}, {}, value, {}, {}, {}, {} });
            break;
        case TContactRole::Phones:
            WritePhones(writer, value);
            break;
        case TContactRole::Email:
            for (const QString& part : SplitJoined(value))
                writer.Add("EMAIL", part);
            break;
        case TContactRole::Url:
            for (const QString& part : SplitJoined(value))
                writer.Add("URL", part);
            break;
        case TContactRole::Birthday:
            if (const QString date = ContactMapping::VCardBirthday(value); !date.isEmpty())
                writer.Add("BDAY", date);
            else
                writer.Add("BDAY", value, "VALUE=text");
            break;
        case TContactRole::Org:
            writer.Add("ORG", value);
            break;
        case TContactRole::Title:
            writer.Add("TITLE", value);
            break;
        case TContactRole::Note:
            writer.Add("NOTE", value);
            break;
        case TContactRole::Other:
            writer.Add("X-QUILLO-" + NotebookSchema::SanitizeName(name).toUtf8(), value);
            break;
        }
    }
    writer.End();
}

} // namespace

TExportResult VCard(const TKelPigger& notebook, const TKelPigger* page)
{
    const TContactFields fields(notebook, false);
    QList<TContactRole> roles;
    for (const QString& name : fields.Names())
        roles.append(fields.RoleOf(name));
    TVCardWriter writer;
    int records = 0;
    ForEachRecord(notebook, page, [&](const TKelPigger& onPage, const TKelPigger& rec) {
        WriteCard(writer, fields, roles, onPage, rec);
        ++records;
    });
    return { writer.Bytes(), records };
}

TExportResult Csv(const TKelPigger& notebook, const TKelPigger* page)
{
    QStringList header { QStringLiteral("PAGE") };
    QStringList names;
    if (const TKelPigger* fields = notebook.FindChild("FIELDS"))
        for (const TKelPigger* field = fields->FindChild("FIELD"); field; field = fields->FindNextChild(field)) {
            header.append(field->GetAttr(NameAttr));
            names.append(field->GetAttr(NameAttr));
        }
    TCsvWriter writer;
    writer.AddRow(header);
    int records = 0;
    ForEachRecord(notebook, page, [&](const TKelPigger& onPage, const TKelPigger& rec) {
        QStringList row { onPage.GetAttr(NameAttr) };
        for (const QString& name : names)
            row.append(rec.GetAttr(name));
        writer.AddRow(row);
        ++records;
    });
    return { writer.Bytes(), records };
}

} // namespace quillo::ContactExport
