#include "records/TBirthdayReminder.h"

#include "notebook/NotebookSchema.h"
#include "records/RecordDates.h"

#include <QStringList>

namespace quillo {

namespace {

const QString Bdf = QStringLiteral("BDF");

// The birthday in year; 29 February moves to 28 February when the year has none.
QDate InYear(const QDate& birthday, int year)
{
    const int day = birthday.month() == 2 && birthday.day() == 29 && !QDate::isLeapYear(year) ? 28 : birthday.day();
    return QDate(year, birthday.month(), day);
}

} // namespace

TBirthdayReminder::TBirthdayReminder(const QDate& today, int daysAhead, const QString& dateFormat)
    : m_today(today)
    , m_daysAhead(daysAhead)
    , m_dateFormat(dateFormat)
{
}

int TBirthdayReminder::DaysUntil(const QString& birthday) const
{
    const QDate date = RecordDates::Parse(birthday, m_dateFormat);
    if (!date.isValid() || !m_today.isValid())
        return -1;
    QDate next = InYear(date, m_today.year());
    if (next < m_today)
        next = InYear(date, m_today.year() + 1);
    return int(m_today.daysTo(next));
}

bool TBirthdayReminder::IsDue(const QString& birthday) const
{
    const int days = DaysUntil(birthday);
    return days >= 0 && days < m_daysAhead;
}

std::vector<TDueBirthday> TBirthdayReminder::Run(TKelPigger& root, const TWalker& walk) const
{
    std::vector<TDueBirthday> due;
    // A notebook comes before its records in the walk, so its field applies to them.
    QString birthdayField;
    walk(root, [&](TKelPigger& node) {
        if (node.Tag() == "NOTEBOOK") {
            birthdayField = node.GetAttr(Bdf);
        } else if (node.Tag() == "REC" && !birthdayField.isEmpty()) {
            const QString birthday = node.GetAttr(birthdayField);
            if (!birthday.isEmpty() && IsDue(birthday))
                due.push_back({ &node, birthday, JoinedValues(node) });
        }
    });
    return due;
}

QString TBirthdayReminder::JoinedValues(const TKelPigger& record)
{
    QStringList values;
    values.reserve(record.AttrCount());
    for (int i = 0; i < record.AttrCount(); ++i)
        values.append(record.AttrValueView(i).trimmed().toString());
    return values.join(QStringLiteral(";  "));
}

QStringList TBirthdayReminder::FieldChoices(const TKelPigger& notebook)
{
    QStringList choices { QStringLiteral("none") };
    if (const TKelPigger* fields = notebook.FindChild("FIELDS"))
        for (const TKelPigger* field = fields->FindChild("FIELD"); field; field = fields->FindNextChild(field))
            if (field->GetAttr(QStringLiteral("FEATURE")) == NotebookSchema::FeatureDate)
                choices.append(field->GetAttr(QStringLiteral("NAME")));
    return choices;
}

int TBirthdayReminder::CurrentChoice(const TKelPigger& notebook)
{
    const QString field = notebook.GetAttr(Bdf);
    if (field.isEmpty())
        return 0;
    const QStringList choices = FieldChoices(notebook);
    for (int i = 1; i < choices.size(); ++i)
        if (choices[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void TBirthdayReminder::SetChoice(TKelPigger& notebook, int choice)
{
    const QStringList choices = FieldChoices(notebook);
    if (choice > 0 && choice < choices.size())
        notebook.SetAttr(Bdf, choices[choice]);
    else
        notebook.DeleteAttr(Bdf);
}

} // namespace quillo
