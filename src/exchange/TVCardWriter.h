#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillo {

// Writes vCard 4.0: CRLF line ends, lines folded at 75 octets without splitting a UTF-8 sequence, text
// values escaped.
class TVCardWriter {
public:
    void Begin();
    void End();
    // One property; params are written as they are ("TYPE=cell"), the value is escaped as text.
    void Add(const QByteArray& name, const QString& value, const QByteArray& params = {});
    // A structured value (N, ADR): each component escaped, joined by semicolons.
    void AddStructured(const QByteArray& name, const QStringList& components);
    const QByteArray& Bytes() const { return m_bytes; }

    static QString Escape(const QString& value);

private:
    void WriteLine(const QByteArray& line);

    QByteArray m_bytes;
};

} // namespace quillo
