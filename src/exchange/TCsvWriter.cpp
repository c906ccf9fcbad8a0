#include "exchange/TCsvWriter.h"

namespace quillo {

void TCsvWriter::AddRow(const QStringList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_bytes += ',';
        const QString& value = values[i];
        const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"'))
            || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
        if (!quote) {
            m_bytes += value.toUtf8();
            continue;
        }
        m_bytes += '"';
        m_bytes += QString(value).replace(QLatin1Char('"'), QLatin1String("\"\"")).toUtf8();
        m_bytes += '"';
    }
    m_bytes += "\r\n";
}

} // namespace quillo
