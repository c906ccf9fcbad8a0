#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace quillo::RecordLinks {

// The address "Go to http" opens: a value with an http, https or ftp scheme, or one without a scheme
// (taken as http). Anything else, a local path or another scheme, gives nullopt.
std::optional<QUrl> WebAddress(const QString& value);
QString NotWebAddressMessage(const QString& value);

// "mailto:" with the whole value as the address: characters that would start parameters or headers
// ("?", "&", "#") are encoded, so the value cannot attach files or add recipients by header.
QUrl MailtoAddress(const QString& value);

// A file the desktop would run rather than open: an executable file, a script with the executable bit,
// a desktop launcher or a program of another system.
bool RunsAsProgram(const QString& absolutePath);
QString RunProgramQuestion(const QString& absolutePath);

QString FileNotFoundMessage(const QString& value);
QString NoApplicationMessage();

} // namespace quillo::RecordLinks
