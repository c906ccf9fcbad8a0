#pragma once

#include "tree/TKelPigger.h"

#include <QStringList>

namespace quillo::zdktool {

// Each command takes the arguments after its name and returns the exit code.
int Check(const QStringList& args);
int Format(const QStringList& args);
int Eval(const QStringList& args);
int Run(const QStringList& args);
int Render(const QStringList& args);
int Zbm(const QStringList& args);

// Prints "error: MESSAGE" on stderr and returns 1.
int Fail(const QString& message);
// Reads a whole file, or stdin for "-".
QByteArray ReadInput(const QString& path);
// Reads document text into root; on a reading fault prints "error: FILE: MESSAGE at byte N" and returns false.
bool LoadDocument(const QString& path, TKelPigger& root);

} // namespace quillo::zdktool
