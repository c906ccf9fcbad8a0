#include "exchange/TVCardWriter.h"

namespace quillo {

namespace {

constexpr qsizetype FoldWidth = 75;

bool IsContinuationByte(char c) { return (uchar(c) & 0xC0) == 0x80; }

} // namespace

QString TVCardWriter::Escape(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        switch (c.unicode()) {
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case ',':
            escaped += QLatin1String("\\,");
            break;
        case ';':
            escaped += QLatin1String("\\;");
            break;
        case '\r':
            // CR LF is one line break.
            if (i + 1 < value.size() && value[i + 1] == QLatin1Char('\n'))
                ++i;
            escaped += QLatin1String("\\n");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

void TVCardWriter::Begin()
{
    WriteLine("BEGIN:VCARD");
    WriteLine("VERSION:4.0");
}

void TVCardWriter::End() { WriteLine("END:VCARD"); }

void TVCardWriter::Add(const QByteArray& name, const QString& value, const QByteArray& params)
{
    QByteArray line = name;
    if (!params.isEmpty())
        line += ';' + params;
    line += ':';
    line += Escape(value).toUtf8();
    WriteLine(line);
}

void TVCardWriter::AddStructured(const QByteArray& name, const QStringList& components)
{
    QByteArray line = name + ':';
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (i > 0)
            line += ';';
        line += Escape(components[i]).toUtf8();
    }
    WriteLine(line);
}

void TVCardWriter::WriteLine(const QByteArray& line)
{
    // Each physical line holds at most 75 octets, the leading blank of a continuation included.
    qsizetype pos = 0;
    qsizetype room = FoldWidth;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        while (cut > pos && IsContinuationByte(line[cut]))
            --cut;
        m_bytes.append(line.constData() + pos, cut - pos);
        m_bytes += "\r\n ";
        pos = cut;
        room = FoldWidth - 1;
    }
    m_bytes.append(line.constData() + pos, line.size() - pos);
    m_bytes += "\r\n";
}

} // namespace quillo
