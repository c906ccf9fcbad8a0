#pragma once

#include "tree/TKelPigger.h"

#include <QHash>
#include <QStringList>

namespace quillo {

// Finds the page an imported record goes to. A page holds a letter when its NAME, without case and accents,
// is made of letters in alphabetical order that include it ("AB", "QRS", "XYZ"; a word such as "Family" is
// no letter page); the first such page wins. A record with no letter goes to the page "#", created at the
// end when missing. A full page (RPP records) passes its records on to its overflow pages "AB+", "AB++",
// created after the last of them as the record grid creates them.
class TPagePlacer {
public:
    TPagePlacer(TKelPigger& pages, int recordsPerPage);

    // The page whose NAME equals name case-insensitively; nullptr when none.
    TKelPigger* Named(const QString& name) const;
    // The letter page of key's first character, or the "#" page.
    TKelPigger& ForKey(const QString& key);
    // base, or the first of its overflow pages with room, created when all are full.
    TKelPigger& WithRoom(TKelPigger& base);
    // A new page named name at the end of the list.
    TKelPigger& Create(const QString& name);

    // The NAMEs of the pages created so far, in the order created.
    const QStringList& Created() const { return m_created; }

    // The first character of key without case and accents; a null QChar when it is no letter.
    static QChar FoldedLetter(QStringView key);

private:
    static QString LetterPageKey(const QString& name);
    void Index(TKelPigger& page);

    TKelPigger& m_pages;
    int m_rpp;
    QHash<QString, TKelPigger*> m_byName;
    QHash<QChar, TKelPigger*> m_byLetter;
    // The page of each chain that records are going to now; earlier ones are full.
    QHash<TKelPigger*, TKelPigger*> m_fillPage;
    QStringList m_created;
};

} // namespace quillo
