#include "ZdkCommands.h"

#include "notebook/NotebookSchema.h"
#include "report/TPdfExport.h"
#include "tree/EKelError.h"
#include "tree/KelTextFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quillo::zdktool {

int Fail(const QString& message)
{
    std::fprintf(stderr, "error: %s\n", message.toUtf8().constData());
    return 1;
}

QList<int> NumberList(const QString& text, QChar sep, qsizetype count)
{
    QList<int> numbers;
    for (const QString& part : text.split(sep)) {
        bool ok = false;
        numbers.append(part.toInt(&ok));
        if (!ok)
            return {};
    }
    return numbers.size() == count ? numbers : QList<int> {};
}

QList<int> PaperOption(const QStringList& args, qsizetype& index)
{
    const QList<int> paper = NumberList(OptionValue(args, index), QLatin1Char('x'), 2);
    if (paper.isEmpty() || paper[0] <= 0 || paper[1] <= 0)
        throw EKelError(QStringLiteral("--paper must be WIDTHxHEIGHT in millimetres"));
    return paper;
}

QList<int> MarginsOption(const QStringList& args, qsizetype& index)
{
    const QList<int> margins = NumberList(OptionValue(args, index), QLatin1Char(','), 3);
    if (margins.isEmpty())
        throw EKelError(QStringLiteral("--margins must be L,R,T in millimetres"));
    return margins;
}

bool WriteReportPdf(TKelReport& report, const QString& path)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    ExportPdf(report, buffer);
    buffer.close();
    return WriteFile(path, pdf);
}

bool LoadNotebooks(const QString& path, TKelPigger& root)
{
    if (!LoadDocument(path, root))
        return false;
    if (NotebookSchema::CheckStructure(root))
        return true;
    Fail(NotebookSchema::CantLoadFileMessage(path));
    return false;
}

TKelPigger* FindNamed(const TKelPigger* parent, const QByteArray& tag, const QString& name)
{
    if (!parent)
        return nullptr;
    for (TKelPigger* child = parent->FindChild(tag); child; child = parent->FindNextChild(child))
        if (child->GetAttr(QStringLiteral("NAME")).compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

QString OptionValue(const QStringList& args, qsizetype& index)
{
    if (++index == args.size())
        throw EKelError(QStringLiteral("%1 needs a value").arg(args[index - 1]));
    return args[index];
}

QByteArray ReadInput(const QString& path)
{
    if (path != QLatin1String("-"))
        return KelTextFile::Read(path);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw EKelError(QStringLiteral("Cannot open standard input"));
    return KelTextFile::ReadStream(input, QStringLiteral("standard input"));
}

QString EscapeColumn(QStringView value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '%':
            escaped += QLatin1String("%25");
            break;
        case '\t':
            escaped += QLatin1String("%09");
            break;
        case '\r':
            escaped += QLatin1String("%0D");
            break;
        case '\n':
            escaped += QLatin1String("%0A");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

namespace {

// The reason of the first failed write to standard output.
int s_outputError = 0;

} // namespace

void WriteOut(QByteArrayView bytes)
{
    if (std::fwrite(bytes.data(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) && s_outputError == 0)
        s_outputError = errno;
}

int FinishOutput(int exitCode)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!flushed && s_outputError == 0)
        s_outputError = errno;
    // Closing reports what a file system only notices at the end.
    if (std::fclose(stdout) != 0 && s_outputError == 0)
        s_outputError = errno;
    if (!flushed || s_outputError != 0)
        return Fail(QStringLiteral("Cannot write standard output: %1")
                        .arg(QString::fromLocal8Bit(std::strerror(s_outputError ? s_outputError : EIO))));
    return exitCode;
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    const QFileInfo target(path);
    QString reason;
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or FIFO is written as it is: a temporary file beside it would replace it.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush())
            reason = file.errorString();
        file.close();
        if (reason.isEmpty() && file.error() != QFileDevice::NoError)
            reason = file.errorString();
    } else {
        // Through a temporary file, so that a failed write leaves no partial output behind.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
            reason = file.errorString();
    }
    if (reason.isEmpty())
        return true;
    Fail(QStringLiteral("Cannot write %1: %2").arg(path, reason));
    return false;
}

} // namespace quillo::zdktool
