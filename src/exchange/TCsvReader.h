#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringList>

#include <vector>

namespace quillo {

struct TCsvRow {
    int line = 0; // where the row begins
    QStringList values;
};

struct TCsvTable {
    QChar delimiter;
    QStringList header;
    std::vector<TCsvRow> rows;
};

// Reads CSV text after RFC 4180: quoted fields may hold delimiters, doubled quotes and line breaks. The
// delimiter (comma, semicolon or TAB) is the one the header line holds most often. UTF-8 with or without a
// byte order mark, UTF-16 with one. Blank lines are skipped; a row shorter than the header is filled with
// empty values. Raises EExchangeError naming the line of the first fault.
class TCsvReader {
public:
    // The most columns read: no address book has more, and a record holds a value per column.
    static constexpr int MaxColumns = 1000;

    static TCsvTable Read(const QByteArray& bytes);
    static QChar DetectDelimiter(QStringView headerLine);
};

} // namespace quillo
