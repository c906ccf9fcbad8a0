#include "exchange/TCsvReader.h"

#include "exchange/ContactText.h"
#include "exchange/EExchangeError.h"

#include <QStringDecoder>

namespace quillo {

namespace {

QString DecodeLines(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    // Find the line that holds the fault for the message.
    int line = 1;
    for (qsizetype pos = 0; pos < bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        ContactText::DecodeUtf8(QByteArrayView(bytes).sliced(pos, end - pos), line);
        pos = end + 1;
    }
    throw EExchangeError(0, QStringLiteral("The text is not UTF-8"));
}

} // namespace

QChar TCsvReader::DetectDelimiter(QStringView headerLine)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : headerLine) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char(','))
            ++commas;
        else if (c == QLatin1Char(';'))
            ++semicolons;
        else if (c == QLatin1Char('\t'))
            ++tabs;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            break;
    }
    if (tabs > commas && tabs >= semicolons)
        return QLatin1Char('\t');
    if (semicolons > commas)
        return QLatin1Char(';');
    return QLatin1Char(',');
}

TCsvTable TCsvReader::Read(const QByteArray& bytes)
{
    const QString text = DecodeLines(ContactText::ToUtf8(bytes));
    TCsvTable table;
    table.delimiter = DetectDelimiter(text);
    const QChar delimiter = table.delimiter;
    const qsizetype size = text.size();
    qsizetype pos = 0;
    int line = 1;
    bool haveHeader = false;
    while (pos < size) {
        const int rowLine = line;
        QStringList values;
        QString field;
        bool rowEnded = false;
        bool blank = true;
        while (!rowEnded) {
            field.clear();
            if (pos < size && text[pos] == QLatin1Char('"')) {
                blank = false;
                const int quoteLine = line;
                ++pos;
                for (;;) {
                    if (pos >= size)
                        throw EExchangeError(quoteLine,
                            QStringLiteral("the quoted value that opens here is not closed before the end of the "
                                           "file"));
                    const QChar c = text[pos++];
                    if (c == QLatin1Char('"')) {
                        if (pos < size && text[pos] == QLatin1Char('"')) {
                            field += c;
                            ++pos;
                            continue;
                        }
                        break;
                    }
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                }
                if (pos < size && text[pos] != delimiter && text[pos] != QLatin1Char('\r')
                    && text[pos] != QLatin1Char('\n'))
                    throw EExchangeError(line,
                        QStringLiteral("text after the closing quote of a value; a quote inside a quoted value "
                                       "is written twice (\"\")"));
            } else {
                const qsizetype start = pos;
                while (pos < size && text[pos] != delimiter && text[pos] != QLatin1Char('\r')
                    && text[pos] != QLatin1Char('\n'))
                    ++pos;
                field = text.sliced(start, pos - start);
                if (!field.trimmed().isEmpty())
                    blank = false;
            }
            values.append(field);
            if (pos < size && text[pos] == delimiter) {
                blank = false;
                ++pos;
                continue;
            }
            // End of the row: CR LF, LF, CR or the end of the text.
            if (pos < size && text[pos] == QLatin1Char('\r'))
                ++pos;
            if (pos < size && text[pos] == QLatin1Char('\n'))
                ++pos;
            ++line;
            rowEnded = true;
        }
        if (blank)
            continue;
        if (!haveHeader) {
            if (values.size() > MaxColumns)
                throw EExchangeError(rowLine,
                    QStringLiteral("the header line names %1 columns; at most %2 are read")
                        .arg(values.size())
                        .arg(MaxColumns));
            table.header = values;
            haveHeader = true;
            continue;
        }
        if (values.size() > table.header.size())
            throw EExchangeError(rowLine,
                QStringLiteral("%1 values, but the header line names %2 columns")
                    .arg(values.size())
                    .arg(table.header.size()));
        while (values.size() < table.header.size())
            values.append(QString());
        table.rows.push_back({ rowLine, std::move(values) });
    }
    if (!haveHeader)
        throw EExchangeError(0, QStringLiteral("The file is empty: a CSV file begins with a header line"));
    return table;
}

} // namespace quillo
