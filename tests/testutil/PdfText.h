#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>

namespace quillo::testutil {

// A word of a PDF page as poppler's pdftotext reads it, in millimetres from the top left.
struct TPdfWord {
    QString text;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct TPdfPage {
    QSizeF sizeMm;
    QList<TPdfWord> words;
};

// Every page of the PDF file with its words; empty when it cannot be read.
inline QList<TPdfPage> ReadPdf(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), path, QStringLiteral("-") });
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    constexpr double MmPerPoint = 25.4 / 72;
    static const QRegularExpression pageRe(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    static const QRegularExpression wordRe(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<TPdfPage> pages;
    for (const QString& part : html.split(QStringLiteral("</page>"))) {
        const QRegularExpressionMatch page = pageRe.match(part);
        if (!page.hasMatch())
            continue;
        TPdfPage read;
        read.sizeMm = QSizeF(page.captured(1).toDouble() * MmPerPoint, page.captured(2).toDouble() * MmPerPoint);
        auto words = wordRe.globalMatch(part);
        while (words.hasNext()) {
            const QRegularExpressionMatch word = words.next();
            read.words.append(
                { word.captured(5), word.captured(1).toDouble() * MmPerPoint, word.captured(2).toDouble() * MmPerPoint,
                    word.captured(3).toDouble() * MmPerPoint, word.captured(4).toDouble() * MmPerPoint });
        }
        pages.append(read);
    }
    return pages;
}

// The texts of a page's words, joined by blanks.
inline QString PageText(const TPdfPage& page)
{
    QStringList texts;
    for (const TPdfWord& word : page.words)
        texts.append(word.text);
    return texts.join(QLatin1Char(' '));
}

} // namespace quillo::testutil
