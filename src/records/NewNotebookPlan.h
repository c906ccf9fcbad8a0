#pragma once

#include <QStringList>

namespace quillo {

class TKelPigger;

// What the new-notebook wizard collects, and the notebook it makes of it.
struct TNewNotebookPlan {
    // As typed: not trimmed and not checked against the other notebooks.
    QString name;
    // Not written when empty.
    QString printTemplate;
    // In list order.
    QStringList fields;
    QStringList pages;

    // Appends the NOTEBOOK with its FIELDS (first) and PAGES to root. A field named exactly HTTP or
    // E-MAIL gets the matching feature.
    TKelPigger& AppendTo(TKelPigger& root) const;
};

namespace NewNotebookLists {

// A field or page name typed by the user: trimmed, upper-cased, and every character a name may not
// hold replaced by '_'.
QString CustomName(const QString& typed);

// The twelve pages of "English ABC".
QStringList EnglishAbc();

// Set files larger than this are refused: a set names a handful of fields or pages.
inline constexpr qint64 MaxSetFileBytes = 1024 * 1024;

// The names in a field set or page set file, one a line. A byte order mark selects UTF-8 or UTF-16
// in either byte order; without one the text is UTF-8. Lines are taken as written but for the blanks
// at their ends; blank lines and repeats of an earlier name (ignoring case) are skipped. Field names
// pass the name character rule so that records can store values under them. Throws EKelError when the
// file cannot be read.
QStringList ReadSetFile(const QString& path, bool fieldNames);
QStringList ParseSetText(const QByteArray& bytes, bool fieldNames);

} // namespace NewNotebookLists

} // namespace quillo
