#pragma once

#include "exchange/TContactFields.h"
#include "exchange/TCsvReader.h"
#include "exchange/TVCardReader.h"

#include <QPair>

#include <vector>

namespace quillo {

// One contact ready to become a REC: field NAMEs (upper case) with their values, and the page it names
// (a CSV PAGE column or X-QUILLO-PAGE), empty when it names none.
struct TContactRecord {
    int line = 0;
    QString page;
    QList<QPair<QString, QString>> values;
};

// What an import brings: the records, the names of the vCard properties or CSV columns that found no field
// (each once, in the order met), and the fields to create.
struct TContactBatch {
    std::vector<TContactRecord> records;
    QStringList unmatched;
    QList<TNewField> newFields;
};

// What a CSV column becomes.
struct TCsvColumn {
    enum Kind { Ignore, Field, Page, PhoneType };
    Kind kind = Ignore;
    QString field; // for Field
    QString type; // for phone columns, the type written in brackets after the number ("cell")
    int typeColumn = -1; // for phone columns, the column that holds their type ("Phone 1 - Type")
    // Matched by a header of another program: its values are read the way that program writes them (several
    // in one cell, addresses on several lines, ISO dates). A column named after a field is taken as it is.
    bool foreign = false;
    TContactRole role = TContactRole::Other; // for a foreign column
};

namespace ContactMapping {

TContactBatch FromVCards(const std::vector<TVCard>& cards, TContactFields& fields);

// The columns matched to fields by NAME (after the name rule, case-insensitive), then by the headers common
// exports use; a column named PAGE names the page.
std::vector<TCsvColumn> GuessColumns(const QStringList& header, TContactFields& fields);
TContactBatch FromCsv(const TCsvTable& table, const std::vector<TCsvColumn>& columns, TContactFields& fields);

// A phone number with its types in brackets, voice and pref left out: "555 123 (cell)".
QString PhoneText(const QString& number, const QStringList& types);
// A vCard BDAY value (20010314, 2001-03-14, --0314, with or without a time) in the user's short date
// format; one without a year keeps day and month. Text that is no such date is kept as it is.
QString BirthdayText(const QString& value);
// The opposite for export: the vCard form of a stored birthday, or an empty string when it is no date.
QString VCardBirthday(const QString& stored);

} // namespace ContactMapping

} // namespace quillo
