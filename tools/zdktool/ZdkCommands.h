#pragma once

#include "tree/TKelPigger.h"

namespace quillo {
class TKelReport;
}

#include <QStringList>

namespace quillo::zdktool {

// Each command takes the arguments after its name and returns the exit code.
int Check(const QStringList& args);
int Format(const QStringList& args);
int Eval(const QStringList& args);
int Run(const QStringList& args);
int Render(const QStringList& args);
int Zbm(const QStringList& args);
int Search(const QStringList& args);
int Birthdays(const QStringList& args);
int PrintPage(const QStringList& args);
int Import(const QStringList& args);
int Export(const QStringList& args);
int PrintNotebook(const QStringList& args);

// Prints "error: MESSAGE" on stderr and returns 1.
int Fail(const QString& message);
// Writes to standard output; a failure is kept for FinishOutput to report.
void WriteOut(QByteArrayView bytes);
// Flushes and closes standard output. When any write failed, prints "error: Cannot write standard output:
// REASON" and returns 1; otherwise returns exitCode.
int FinishOutput(int exitCode);
// Writes data to path; a regular file is replaced only when complete. Prints "error: Cannot write PATH:
// REASON" and returns false on failure.
bool WriteFile(const QString& path, const QByteArray& data);
// count whole numbers separated by sep; empty when the text is anything else.
QList<int> NumberList(const QString& text, QChar sep, qsizetype count);
// The values of --paper WxH and --margins L,R,T (millimetres) at args[index]; index then points at the value.
// Raise the option's usage message on a bad value.
QList<int> PaperOption(const QStringList& args, qsizetype& index);
QList<int> MarginsOption(const QStringList& args, qsizetype& index);
// Writes the report's sheets as a PDF file, as printing makes them; false after printing the error.
bool WriteReportPdf(TKelReport& report, const QString& path);
// Reads a whole regular file (refusing devices, FIFOs and files over the size limit), or stdin for "-".
QByteArray ReadInput(const QString& path);
// Reads document text into root; on a reading fault prints "error: FILE: MESSAGE at byte N" and returns false.
bool LoadDocument(const QString& path, TKelPigger& root);
// Loads a notebook file as Open does: reading faults and the opening check print the error and give false.
bool LoadNotebooks(const QString& path, TKelPigger& root);
// The first child of parent with that tag whose NAME matches name case-insensitively; null when none.
TKelPigger* FindNamed(const TKelPigger* parent, const QByteArray& tag, const QString& name);
// The value of the option at args[index]; index then points at it. Raises "OPTION needs a value".
QString OptionValue(const QStringList& args, qsizetype& index);
// A value for one column of a TAB-separated line: %, TAB, CR and LF become %25, %09, %0D, %0A.
QString EscapeColumn(QStringView value);

} // namespace quillo::zdktool
