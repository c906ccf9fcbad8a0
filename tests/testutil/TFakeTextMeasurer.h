#pragma once

#include "report/ITextMeasurer.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace quillo::testutil {

// Exact text sizes for layout tests: every character is charWidth pixels wide, every line
// (split at line breaks) lineHeight pixels high. Remembers what it measured.
class TFakeTextMeasurer : public ITextMeasurer {
public:
    TFakeTextMeasurer(int charWidth, int lineHeight)
        : m_charWidth(charWidth)
        , m_lineHeight(lineHeight)
    {
    }

    QSize Measure(const QFont&, const QString& text, const TTextFlags&, int, QPaintDevice*) override
    {
        measured.append(text);
        const QStringList lines = text.split(QChar('\n'));
        qsizetype longest = 0;
        for (const QString& line : lines)
            longest = qMax(longest, line.size());
        return QSize(int(longest) * m_charWidth, int(lines.size()) * m_lineHeight);
    }

    QStringList measured;

private:
    int m_charWidth;
    int m_lineHeight;
};

} // namespace quillo::testutil
