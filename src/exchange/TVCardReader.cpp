#include "exchange/TVCardReader.h"

#include "exchange/ContactText.h"
#include "exchange/EExchangeError.h"

namespace quillo {

namespace {

// A content line after unfolding, with the line it began on.
struct TLogicalLine {
    int line;
    QByteArray text;
};

bool IsBlankLine(QByteArrayView line) { return line.trimmed().isEmpty(); }

// The position of the colon that ends name and parameters; quoted parameter values may hold colons.
qsizetype ValueColon(QByteArrayView text)
{
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

// Whether a logical line is a quoted-printable property, found once its colon has been read; the scan goes
// on where it stopped, so that a long line costs its length once.
class TQuotedPrintableScan {
public:
    void Reset()
    {
        m_scanned = 0;
        m_quoted = false;
        m_decided = false;
        m_result = false;
    }
    bool Test(const QByteArray& text)
    {
        for (; !m_decided && m_scanned < text.size(); ++m_scanned) {
            const char c = text[m_scanned];
            if (c == '"')
                m_quoted = !m_quoted;
            else if (c == ':' && !m_quoted) {
                const qsizetype semicolon = text.indexOf(';');
                m_result = semicolon >= 0 && semicolon < m_scanned
                    && text.sliced(semicolon, m_scanned - semicolon).toUpper().contains("QUOTED-PRINTABLE");
                m_decided = true;
            }
        }
        return m_result;
    }

private:
    qsizetype m_scanned = 0;
    bool m_quoted = false;
    bool m_decided = false;
    bool m_result = false;
};

std::vector<TLogicalLine> Unfold(const QByteArray& bytes)
{
    std::vector<TLogicalLine> lines;
    TQuotedPrintableScan quotedPrintable;
    qsizetype pos = 0;
    int number = 0;
    bool softBreak = false;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        QByteArrayView physical = QByteArrayView(bytes).sliced(pos, end - pos);
        if (physical.endsWith('\r'))
            physical.chop(1);
        pos = end + 1;
        ++number;
        if (softBreak) {
            // A quoted-printable value ending in "=" goes on with the next line as it stands.
            lines.back().text.chop(1);
            lines.back().text += physical;
        } else if (!lines.empty() && (physical.startsWith(' ') || physical.startsWith('\t'))) {
            lines.back().text += physical.sliced(1);
        } else {
            lines.push_back({ number, physical.toByteArray() });
            quotedPrintable.Reset();
        }
        const QByteArray& last = lines.back().text;
        softBreak = last.endsWith('=') && quotedPrintable.Test(last) && pos < bytes.size();
    }
    return lines;
}

// Splits at separators outside double quotes.
QList<QByteArrayView> SplitOutsideQuotes(QByteArrayView text, char separator)
{
    QList<QByteArrayView> parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            parts.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(text.sliced(start));
    return parts;
}

QByteArray Unquote(QByteArrayView value)
{
    QByteArrayView v = value.trimmed();
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
        v = v.sliced(1, v.size() - 2);
    return v.toByteArray();
}

TVCardProperty ParseProperty(const TLogicalLine& logical)
{
    const QByteArrayView text(logical.text);
    const qsizetype colon = ValueColon(text);
    if (colon <= 0)
        throw EExchangeError(logical.line,
            QStringLiteral("\"%1\" is not a vCard property (NAME:VALUE)")
                .arg(QString::fromUtf8(text.first(qMin<qsizetype>(text.size(), 40)))));
    TVCardProperty property;
    property.line = logical.line;
    const QList<QByteArrayView> head = SplitOutsideQuotes(text.first(colon), ';');
    QByteArray name = head.first().trimmed().toByteArray().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0) {
        property.group = name.first(dot);
        name.remove(0, dot + 1);
    }
    if (name.isEmpty())
        throw EExchangeError(logical.line, QStringLiteral("property without a name"));
    property.name = name;
    QByteArray encoding;
    QByteArray charset;
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArrayView parameter = head[i];
        const qsizetype equals = parameter.indexOf('=');
        const QByteArray key
            = (equals < 0 ? QByteArrayView() : parameter.first(equals)).trimmed().toByteArray().toUpper();
        const QByteArray value = Unquote(equals < 0 ? parameter : parameter.sliced(equals + 1));
        if (key == "ENCODING"
            || (key.isEmpty() && (value.toUpper() == "QUOTED-PRINTABLE" || value.toUpper() == "BASE64")))
            encoding = value.toUpper();
        else if (key == "CHARSET")
            charset = value;
        else if (key == "VALUE")
            property.valueType = value.toUpper();
        else if (key == "TYPE" || key.isEmpty())
            for (const QByteArrayView type : SplitOutsideQuotes(value, ','))
                if (!type.trimmed().isEmpty())
                    property.types.append(QString::fromUtf8(Unquote(type)).toLower());
    }
    QByteArray raw = text.sliced(colon + 1).toByteArray();
    if (encoding == "QUOTED-PRINTABLE") {
        raw = ContactText::DecodeQuotedPrintable(raw, logical.line);
    } else if (encoding == "BASE64" || encoding == "B") {
        property.binary = true;
        property.value = QString::fromLatin1(raw);
        return property;
    }
    property.value = ContactText::Decode(raw, charset, logical.line);
    return property;
}

QStringList SplitEscaped(const QString& value, QChar separator)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            current += next == QLatin1Char('n') || next == QLatin1Char('N') ? QChar(QLatin1Char('\n')) : next;
        } else if (c == separator) {
            parts.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.append(current);
    return parts;
}

} // namespace

// NUL never stands in a value (the file is refused), so splitting at it only unescapes.
QString TVCardProperty::Text() const { return SplitEscaped(value, QChar()).constFirst(); }

QStringList TVCardProperty::Components() const { return SplitEscaped(value, QLatin1Char(';')); }

bool TVCardReader::LooksLikeVCard(const QByteArray& bytes)
{
    try {
        return ContactText::ToUtf8(bytes.left(4096)).trimmed().toUpper().startsWith("BEGIN:VCARD");
    } catch (const EExchangeError&) {
        return false;
    }
}

std::vector<TVCard> TVCardReader::Read(const QByteArray& bytes)
{
    const QByteArray text = ContactText::ToUtf8(bytes);
    std::vector<TVCard> cards;
    bool inCard = false;
    for (const TLogicalLine& logical : Unfold(text)) {
        if (IsBlankLine(logical.text))
            continue;
        const TVCardProperty property = ParseProperty(logical);
        const QByteArray value = property.value.trimmed().toUpper().toLatin1();
        if (property.name == "BEGIN") {
            if (value != "VCARD")
                throw EExchangeError(logical.line, QStringLiteral("BEGIN:VCARD expected"));
            if (inCard)
                throw EExchangeError(logical.line,
                    QStringLiteral("BEGIN:VCARD inside the card that began on line %1").arg(cards.back().line));
            cards.push_back({ logical.line, {} });
            inCard = true;
        } else if (!inCard) {
            throw EExchangeError(logical.line,
                cards.empty()
                    ? QStringLiteral("this is not a vCard file: it does not begin with BEGIN:VCARD")
                    : QStringLiteral("%1 outside a card (after END:VCARD)").arg(QString::fromLatin1(property.name)));
        } else if (property.name == "END") {
            if (value != "VCARD")
                throw EExchangeError(logical.line, QStringLiteral("END:VCARD expected"));
            inCard = false;
        } else if (property.name == "VERSION") {
            if (value != "2.1" && value != "3.0" && value != "4.0")
                throw EExchangeError(logical.line,
                    QStringLiteral("vCard version %1 is not supported (2.1, 3.0 and 4.0 are)")
                        .arg(property.value.trimmed()));
        } else {
            cards.back().properties.push_back(property);
        }
    }
    if (inCard)
        throw EExchangeError(cards.back().line, QStringLiteral("the card that begins here has no END:VCARD"));
    if (cards.empty())
        throw EExchangeError(0, QStringLiteral("The file holds no vCard (BEGIN:VCARD ... END:VCARD)"));
    return cards;
}

} // namespace quillo
