#include "exchange/ContactMapping.h"

#include "exchange/ContactText.h"
#include "notebook/NotebookSchema.h"
#include "records/RecordDates.h"

#include <QLocale>
#include <QRegularExpression>

#include <QSet>

#include <algorithm>
#include <unordered_map>

namespace quillo::ContactMapping {

namespace {

// The values one contact collects per field, joined at the end.
class TValues {
public:
    void Add(const QString& field, const QString& value)
    {
        // One kind of line break in stored values, as the record form writes them.
        QString trimmed = value.trimmed();
        trimmed.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (field.isEmpty() || trimmed.isEmpty())
            return;
        const auto [at, added] = m_index.try_emplace(field, int(m_fields.size()));
        if (added)
            m_fields.append({ field, {} });
        m_fields[at->second].second.append(trimmed);
    }
    bool Has(const QString& field) const { return m_index.count(field) > 0; }
    QList<QPair<QString, QString>> Joined() const
    {
        QList<QPair<QString, QString>> joined;
        for (const auto& [name, parts] : m_fields)
            joined.append({ name, parts.join(QLatin1String(", ")) });
        return joined;
    }

private:
    QList<QPair<QString, QStringList>> m_fields;
    std::unordered_map<QString, int> m_index;
};

// Names that found no field, each once, in the order met.
class TUnmatched {
public:
    void Add(const QString& name)
    {
        if (!m_seen.contains(name)) {
            m_seen.insert(name);
            m_names.append(name);
        }
    }
    const QStringList& Names() const { return m_names; }

private:
    QStringList m_names;
    QSet<QString> m_seen;
};

QString JoinNonEmpty(const QStringList& parts, const QString& separator)
{
    QStringList kept;
    for (const QString& part : parts)
        if (!part.trimmed().isEmpty())
            kept.append(part.trimmed());
    return kept.join(separator);
}

// "Apple" address books label grouped properties with X-ABLabel:_$!<Mobile>!$_.
QString CleanLabel(QString label)
{
    label = label.trimmed();
    if (label.startsWith(QLatin1String("_$!<")) && label.endsWith(QLatin1String(">!$_")))
        label = label.mid(4, label.size() - 8);
    return label.toLower();
}

QString PhoneOf(const TVCardProperty& property, const QString& label)
{
    QString number = property.Text();
    if (property.valueType == "URI" && number.trimmed().startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        number = number.trimmed().mid(4);
    return PhoneText(number, label.isEmpty() ? property.types : QStringList { label });
}

// Properties that describe the file, not the person.
bool IsBookkeeping(const QByteArray& name)
{
    return name == "PRODID" || name == "REV" || name == "X-ABLABEL" || name == "X-ABUID" || name == "KIND";
}

TContactRecord FromVCard(const TVCard& card, TContactFields& fields, TUnmatched& unmatched)
{
    TContactRecord record;
    record.line = card.line;
    TValues values;
    QHash<QByteArray, QString> labels;
    for (const TVCardProperty& property : card.properties)
        if (property.name == "X-ABLABEL" && !property.group.isEmpty())
            labels.insert(property.group, CleanLabel(property.Text()));
    QString family, given, fullName;
    bool hasN = false, hasFn = false, hasPage = false;
    const auto add = [&](TContactRole role, const QString& value, const QByteArray& name) {
        const QString target = fields.Target(role);
        if (target.isEmpty())
            unmatched.Add(QString::fromLatin1(name));
        values.Add(target, value);
    };
    for (const TVCardProperty& property : card.properties) {
        const QByteArray& name = property.name;
        if (name == "N") {
            const QStringList parts = property.Components();
            family = parts.value(0).trimmed();
            given = JoinNonEmpty({ parts.value(1), parts.value(2) }, QStringLiteral(" "));
            hasN = true;
        } else if (name == "FN") {
            fullName = property.Text().trimmed();
            hasFn = true;
        } else if (name == "ADR") {
            add(TContactRole::Address, JoinNonEmpty(property.Components(), QStringLiteral(", ")), name);
        } else if (name == "TEL") {
            add(TContactRole::Phones, PhoneOf(property, labels.value(property.group)), name);
        } else if (name == "EMAIL") {
            add(TContactRole::Email, property.Text(), name);
        } else if (name == "URL") {
            add(TContactRole::Url, property.Text(), name);
        } else if (name == "BDAY") {
            add(TContactRole::Birthday, property.valueType == "TEXT" ? property.Text() : BirthdayText(property.Text()),
                name);
        } else if (name == "ORG") {
            add(TContactRole::Org, JoinNonEmpty(property.Components(), QStringLiteral(", ")), name);
        } else if (name == "TITLE") {
            add(TContactRole::Title, property.Text(), name);
        } else if (name == "NOTE") {
            add(TContactRole::Note, property.Text(), name);
        } else if (name == "X-QUILLO-PAGE" && !hasPage) {
            // The first one names the page; a later one is a field named PAGE.
            record.page = property.Text().trimmed();
            hasPage = true;
        } else if (!IsBookkeeping(name)) {
            // Fields outside the table travel as X-QUILLO-NAME; any other property meets a field of its name.
            const QString fieldName = QString::fromLatin1(name.startsWith("X-QUILLO-") ? name.mid(9) : name);
            const QString target = property.binary ? QString() : fields.Named(fieldName);
            if (target.isEmpty())
                unmatched.Add(QString::fromLatin1(name));
            values.Add(target, property.Text());
        }
    }
    // A card this program wrote carries every field itself; FN is only its display name.
    const bool ours = std::any_of(card.properties.begin(), card.properties.end(),
        [](const TVCardProperty& property) { return property.name == "X-QUILLO-PAGE"; });
    if (ours) {
        hasFn = false;
        fullName.clear();
    } else if (!hasN || (family.isEmpty() && given.isEmpty())) {
        // FN split at its last blank when N is missing.
        const qsizetype blank = fullName.lastIndexOf(QLatin1Char(' '));
        family = blank < 0 ? fullName : fullName.mid(blank + 1);
        given = blank < 0 ? QString() : fullName.left(blank).trimmed();
    }
    const QString lastField = fields.Target(TContactRole::LastName);
    const QString firstField = fields.Target(TContactRole::FirstName);
    if (lastField.isEmpty() && firstField.isEmpty() && fields.Has(QStringLiteral("NAME"))) {
        // A notebook with one NAME column gets the whole name there, unless the card brought it.
        if (!ours && !values.Has(QStringLiteral("NAME")))
            values.Add(QStringLiteral("NAME"), JoinNonEmpty({ given, family }, QStringLiteral(" ")));
    } else {
        values.Add(lastField, family);
        values.Add(firstField, given);
        if (lastField.isEmpty() && firstField.isEmpty()) {
            if (hasN)
                unmatched.Add(QStringLiteral("N"));
            if (hasFn)
                unmatched.Add(QStringLiteral("FN"));
        }
    }
    record.values = values.Joined();
    return record;
}

struct TCommonHeader {
    const char* header;
    TContactRole role;
    const char* type;
};

// Headers that phone, web and mail programs write, lower case.
const TCommonHeader CommonHeaders[] = {
    { "first name", TContactRole::FirstName, nullptr },
    { "given name", TContactRole::FirstName, nullptr },
    { "last name", TContactRole::LastName, nullptr },
    { "family name", TContactRole::LastName, nullptr },
    { "surname", TContactRole::LastName, nullptr },
    { "e-mail address", TContactRole::Email, nullptr },
    { "e-mail 2 address", TContactRole::Email, nullptr },
    { "e-mail 3 address", TContactRole::Email, nullptr },
    { "e-mail 1 - value", TContactRole::Email, nullptr },
    { "e-mail 2 - value", TContactRole::Email, nullptr },
    { "e-mail 3 - value", TContactRole::Email, nullptr },
    { "email", TContactRole::Email, nullptr },
    { "email address", TContactRole::Email, nullptr },
    { "primary email", TContactRole::Email, nullptr },
    { "phone 1 - value", TContactRole::Phones, nullptr },
    { "phone 2 - value", TContactRole::Phones, nullptr },
    { "phone 3 - value", TContactRole::Phones, nullptr },
    { "phone 4 - value", TContactRole::Phones, nullptr },
    { "phone", TContactRole::Phones, nullptr },
    { "telephone", TContactRole::Phones, nullptr },
    { "primary phone", TContactRole::Phones, nullptr },
    { "mobile phone", TContactRole::Phones, "cell" },
    { "cell phone", TContactRole::Phones, "cell" },
    { "home phone", TContactRole::Phones, "home" },
    { "home phone 2", TContactRole::Phones, "home" },
    { "business phone", TContactRole::Phones, "work" },
    { "business phone 2", TContactRole::Phones, "work" },
    { "work phone", TContactRole::Phones, "work" },
    { "other phone", TContactRole::Phones, nullptr },
    { "car phone", TContactRole::Phones, "car" },
    { "pager", TContactRole::Phones, "pager" },
    { "home fax", TContactRole::Phones, "fax" },
    { "business fax", TContactRole::Phones, "fax" },
    { "address", TContactRole::Address, nullptr },
    { "home address", TContactRole::Address, nullptr },
    { "business address", TContactRole::Address, nullptr },
    { "other address", TContactRole::Address, nullptr },
    { "address 1 - formatted", TContactRole::Address, nullptr },
    { "address 2 - formatted", TContactRole::Address, nullptr },
    { "home street", TContactRole::Address, nullptr },
    { "home city", TContactRole::Address, nullptr },
    { "home state", TContactRole::Address, nullptr },
    { "home postal code", TContactRole::Address, nullptr },
    { "home country", TContactRole::Address, nullptr },
    { "home country/region", TContactRole::Address, nullptr },
    { "birthday", TContactRole::Birthday, nullptr },
    { "birth date", TContactRole::Birthday, nullptr },
    { "company", TContactRole::Org, nullptr },
    { "organization", TContactRole::Org, nullptr },
    { "organization 1 - name", TContactRole::Org, nullptr },
    { "job title", TContactRole::Title, nullptr },
    { "organization 1 - title", TContactRole::Title, nullptr },
    { "notes", TContactRole::Note, nullptr },
    { "web page", TContactRole::Url, nullptr },
    { "website", TContactRole::Url, nullptr },
    { "web site", TContactRole::Url, nullptr },
    { "website 1 - value", TContactRole::Url, nullptr },
    { "personal web page", TContactRole::Url, nullptr },
};

QString HeaderKey(const QString& header) { return header.simplified().toLower(); }

const TCommonHeader* CommonHeader(const QString& header)
{
    const QString key = HeaderKey(header);
    for (const TCommonHeader& common : CommonHeaders)
        if (key == QLatin1String(common.header))
            return &common;
    return nullptr;
}

// "Phone 2 - Type" for "Phone 2 - Value".
QString TypeHeaderOf(const QString& header)
{
    static const QRegularExpression value(QStringLiteral("^(phone \\d+) - value$"));
    const QRegularExpressionMatch match = value.match(HeaderKey(header));
    return match.hasMatch() ? match.captured(1) + QLatin1String(" - type") : QString();
}

QString ForeignValue(const TCsvColumn& column, const QString& value)
{
    QString text = value;
    if (column.role == TContactRole::Address && text.contains(QLatin1Char('\n')))
        text = JoinNonEmpty(text.split(QLatin1Char('\n')), QStringLiteral(", "));
    if (column.role == TContactRole::Birthday) {
        static const QRegularExpression iso(QStringLiteral("^(\\d{4}|-)-\\d\\d-\\d\\d$"));
        if (iso.match(text.trimmed()).hasMatch())
            text = BirthdayText(text.trimmed());
    }
    return text;
}

} // namespace

QString PhoneText(const QString& number, const QStringList& types)
{
    QStringList shown;
    for (const QString& type : types)
        if (type != QLatin1String("voice") && type != QLatin1String("pref") && !shown.contains(type))
            shown.append(type);
    const QString trimmed = number.trimmed();
    return shown.isEmpty() ? trimmed : QStringLiteral("%1 (%2)").arg(trimmed, shown.join(QLatin1Char('/')));
}

QString BirthdayText(const QString& value)
{
    QString text = value.trimmed();
    if (const qsizetype time = text.indexOf(QLatin1Char('T')); time > 0)
        text.truncate(time);
    static const QRegularExpression full(QStringLiteral("^(\\d{4})-?(\\d\\d)-?(\\d\\d)$"));
    static const QRegularExpression yearless(QStringLiteral("^--(\\d\\d)-?(\\d\\d)$"));
    if (const QRegularExpressionMatch match = full.match(text); match.hasMatch()) {
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        if (date.isValid())
            return RecordDates::Format(date);
    } else if (const QRegularExpressionMatch match = yearless.match(text); match.hasMatch()) {
        // A leap year, so that 29 February stays.
        const QDate date(2000, match.captured(1).toInt(), match.captured(2).toInt());
        if (date.isValid())
            return QLocale().toString(date, ContactText::YearlessFormat(RecordDates::ShortDateFormat()));
    }
    return value.trimmed();
}

QString VCardBirthday(const QString& stored)
{
    const QString format = RecordDates::ShortDateFormat();
    // Only a date that imports back to the same text: "1.3.1980" would come back as "01.03.1980".
    const QString vcard = [&] {
        if (const QDate date = RecordDates::Parse(stored, format); date.isValid())
            return date.toString(QStringLiteral("yyyyMMdd"));
        const QString yearless = ContactText::YearlessFormat(format);
        const QDate date
            = QLocale().toDate(stored.trimmed() + QLatin1String(" 2000"), yearless + QLatin1String(" yyyy"));
        return yearless != format && date.isValid() ? date.toString(QStringLiteral("--MMdd")) : QString();
    }();
    return !vcard.isEmpty() && BirthdayText(vcard) == stored ? vcard : QString();
}

TContactBatch FromVCards(const std::vector<TVCard>& cards, TContactFields& fields)
{
    TContactBatch batch;
    TUnmatched unmatched;
    batch.records.reserve(cards.size());
    for (const TVCard& card : cards)
        batch.records.push_back(FromVCard(card, fields, unmatched));
    batch.unmatched = unmatched.Names();
    batch.newFields = fields.NewFields();
    return batch;
}

std::vector<TCsvColumn> GuessColumns(const QStringList& header, TContactFields& fields)
{
    std::vector<TCsvColumn> columns(header.size());
    bool hasPage = false;
    for (qsizetype i = 0; i < header.size(); ++i) {
        TCsvColumn& column = columns[i];
        const QString name = header[i].trimmed();
        // The first PAGE column names the page; a later one is a field named PAGE.
        if (!hasPage && name.compare(QLatin1String("PAGE"), Qt::CaseInsensitive) == 0) {
            column.kind = TCsvColumn::Page;
            hasPage = true;
            continue;
        }
        // A header written as the field's NAME is taken as it is (an export of this program); a header of
        // another program is read as that program writes, unless its field is missing and one of the
        // header's name is there.
        const QString upper = NotebookSchema::SanitizeName(name).toUpper();
        const TCommonHeader* common = CommonHeader(name);
        const bool named = !upper.isEmpty() && fields.Has(upper);
        if (named && (name == upper || !common || fields.Existing(common->role).isEmpty())) {
            column.kind = TCsvColumn::Field;
            column.field = upper;
        } else if (common && !fields.Target(common->role).isEmpty()) {
            column.kind = TCsvColumn::Field;
            column.field = fields.Target(common->role);
            column.type = QLatin1String(common->type);
            column.foreign = true;
            column.role = common->role;
        } else if (HeaderKey(name).startsWith(QLatin1String("phone "))
            && HeaderKey(name).endsWith(QLatin1String(" - type"))) {
            column.kind = TCsvColumn::PhoneType;
        } else if (const QString created = fields.Named(name); !created.isEmpty()) {
            column.kind = TCsvColumn::Field;
            column.field = created;
        }
    }
    // Numbered phone columns take their type from the column of the same number.
    QHash<QString, int> typeColumns;
    for (qsizetype j = 0; j < header.size(); ++j)
        if (columns[j].kind == TCsvColumn::PhoneType)
            typeColumns.insert(HeaderKey(header[j]), int(j));
    for (qsizetype i = 0; i < header.size(); ++i)
        if (columns[i].kind == TCsvColumn::Field)
            columns[i].typeColumn = typeColumns.value(TypeHeaderOf(header[i]), -1);
    return columns;
}

TContactBatch FromCsv(const TCsvTable& table, const std::vector<TCsvColumn>& columns, TContactFields& fields)
{
    TContactBatch batch;
    QSet<int> typeColumns;
    QSet<QString> mappedFields;
    for (const TCsvColumn& column : columns) {
        typeColumns.insert(column.typeColumn);
        if (column.kind == TCsvColumn::Field)
            mappedFields.insert(column.field);
    }
    TUnmatched unmatched;
    for (size_t i = 0; i < columns.size(); ++i) {
        const TCsvColumn::Kind kind = columns[i].kind;
        const bool used = kind == TCsvColumn::Field || kind == TCsvColumn::Page
            || (kind == TCsvColumn::PhoneType && typeColumns.contains(int(i)));
        if (!used && !table.header.value(qsizetype(i)).trimmed().isEmpty())
            unmatched.Add(table.header[qsizetype(i)].trimmed());
    }
    batch.unmatched = unmatched.Names();
    batch.records.reserve(table.rows.size());
    for (const TCsvRow& row : table.rows) {
        TContactRecord record;
        record.line = row.line;
        TValues values;
        for (size_t i = 0; i < columns.size() && qsizetype(i) < row.values.size(); ++i) {
            const TCsvColumn& column = columns[i];
            const QString& value = row.values[qsizetype(i)];
            if (column.kind == TCsvColumn::Page) {
                record.page = value.trimmed();
            } else if (column.kind == TCsvColumn::Field && !value.trimmed().isEmpty()) {
                QString type = column.type;
                if (column.typeColumn >= 0)
                    type = row.values.value(column.typeColumn).trimmed().remove(QLatin1String("* ")).toLower();
                if (!column.foreign) {
                    values.Add(column.field, value);
                    continue;
                }
                // Web address books put several values of one kind into one cell.
                for (const QString& part : value.split(QLatin1String(" ::: "))) {
                    const QString text = ForeignValue(column, part);
                    values.Add(column.field,
                        type.isEmpty() || text.trimmed().isEmpty()
                            ? text
                            : QStringLiteral("%1 (%2)").arg(text.trimmed(), type));
                }
            }
        }
        record.values = values.Joined();
        batch.records.push_back(std::move(record));
    }
    // Only the planned fields some column still goes to.
    for (const TNewField& field : fields.NewFields())
        if (mappedFields.contains(field.name))
            batch.newFields.append(field);
    return batch;
}

} // namespace quillo::ContactMapping
