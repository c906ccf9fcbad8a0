#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quillo {

// One content line of a card, its value decoded to text but not yet unescaped.
struct TVCardProperty {
    int line = 0;
    QByteArray group; // "ITEM1" of "item1.TEL", upper case
    QByteArray name; // upper case
    QStringList types; // TYPE values (and the bare parameters of version 2.1), lower case
    QByteArray valueType; // the VALUE parameter, upper case
    bool binary = false; // base64 data (a photo, a key), left undecoded
    QString value;

    // The value with the backslash escapes resolved.
    QString Text() const;
    // The parts of a structured value (N, ADR, ORG) split at unescaped semicolons, each unescaped.
    QStringList Components() const;
};

struct TVCard {
    int line = 0; // of BEGIN:VCARD
    std::vector<TVCardProperty> properties;
};

// Reads vCard 2.1, 3.0 and 4.0: folded lines, quoted-printable with soft line breaks, CHARSET, grouped
// properties, any number of cards. Raises EExchangeError naming the line of the first fault.
class TVCardReader {
public:
    static std::vector<TVCard> Read(const QByteArray& bytes);
    // True when the text's first non-blank line opens a card, so a file can be told from a CSV file.
    static bool LooksLikeVCard(const QByteArray& bytes);
};

} // namespace quillo
