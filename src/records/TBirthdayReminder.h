#pragma once

#include "notebook/NotebookEdits.h"
#include "notebook/TUserSettings.h"
#include "tree/TKelPigger.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace quillo {

// A record whose birthday falls within the window, with the two columns of the reminder list.
struct TDueBirthday {
    TKelPigger* record = nullptr;
    QString birthday; // as stored
    QString values; // every value trimmed, joined by ";  "
};

// Finds the records whose birthday (the field a notebook's BDF names) comes within a number of days.
class TBirthdayReminder {
public:
    static constexpr int MinDaysAhead = TUserSettings::MinReminderDays;
    static constexpr int MaxDaysAhead = TUserSettings::MaxReminderDays;
    static constexpr int DefaultDaysAhead = TUserSettings::DefaultReminderDays;

    // dateFormat is the Qt format the birthdays are stored in; daysAhead counts today.
    TBirthdayReminder(const QDate& today, int daysAhead, const QString& dateFormat);

    // Days from today to the next occurrence of the birthday's day and month, or -1 when the text is no
    // date. 29 February falls on 28 February in common years.
    int DaysUntil(const QString& birthday) const;
    bool IsDue(const QString& birthday) const;
    // The due records of the whole document below root, in document order.
    std::vector<TDueBirthday> Run(TKelPigger& root, const TWalker& walk) const;

    static QString JoinedValues(const TKelPigger& record);

    // Choices of the reminder settings: "none", then the NAME of every date FIELD of the notebook in order.
    static QStringList FieldChoices(const TKelPigger& notebook);
    // The choice that matches the notebook's BDF (case-insensitive); 0, "none", when it names no date field.
    static int CurrentChoice(const TKelPigger& notebook);
    // Sets BDF to the field of that choice; "none" removes it.
    static void SetChoice(TKelPigger& notebook, int choice);

private:
    QDate m_today;
    int m_daysAhead;
    QString m_dateFormat;
};

} // namespace quillo
