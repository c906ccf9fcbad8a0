#pragma once

#include <QString>

namespace quillo {

// The answer to a question that offers a way out besides "Yes" and "No".
enum class TAnswer { Yes, No, Cancel };

// Every question and message that blocks for the user. The widgets implement it with the
// program's dialogs; tests script the answers and record what was said.
class IPrompts {
public:
    virtual ~IPrompts() = default;

    // TFsure: "Yes" returns true, "No" or closing returns false.
    virtual bool Sure(const QString& question) = 0;
    // TFsure where escaping is not "No": Esc and closing the question answer Cancel. cancelButton adds a
    // "Cancel" button beside "Yes" and "No".
    virtual TAnswer SureOrCancel(const QString& question, bool cancelButton) = 0;
    // TFsure_checked: "Yes" is only possible after ticking "Yes, I'm sure".
    virtual bool SureChecked(const QString& question) = 0;
    // TDmsg: the program's message dialog.
    virtual void Msg(const QString& message) = 0;
    // The platform's plain message box.
    virtual void ShowMessage(const QString& message) = 0;
    // The platform's input box; false when cancelled, value holds the proposal and then the answer.
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
};

// File choices; an empty result means the user cancelled. Filters are in Qt's form, "Name (*.ext);;All (*)".
// SaveFileName asks before overwriting a file, and a name typed without extension gets the extension of
// the filter's first pattern.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;

    virtual QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QString SaveFileName(
        const QString& caption, const QString& folder, const QString& filter, const QString& proposedName)
        = 0;
};

// The desktop's "open" action for web addresses, mailto: addresses and files.
class IDesktop {
public:
    virtual ~IDesktop() = default;

    // Returns false when the desktop could not open it.
    virtual bool Open(const QString& target) = 0;
};

} // namespace quillo
