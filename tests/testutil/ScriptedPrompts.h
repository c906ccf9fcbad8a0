#pragma once

#include "notebook/IPrompts.h"
#include "testutil/QtPrinters.h"

#include <QStringList>

#include <deque>
#include <optional>

namespace quillo::testutil {

// Questions and messages with answers queued by the test; everything said is logged in order as
// "Kind: text" (Sure, SureChecked, Msg, ShowMessage, InputQuery); a question with a "Cancel" button is logged
// as "Sure: text (Yes/No/Cancel)". A question without a queued answer fails the test and is answered "No"
// (or cancelled).
class ScriptedPrompts : public IPrompts {
public:
    ~ScriptedPrompts() override;

    // The next answer to Sure, SureOrCancel or SureChecked.
    ScriptedPrompts& Answer(bool yes);
    // The next question is escaped (Esc or its close box): Cancel, or false where only Yes and No count.
    ScriptedPrompts& Escape();
    // The next answer to InputQuery; nullopt cancels.
    ScriptedPrompts& AnswerInput(std::optional<QString> value);

    const QStringList& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

    bool Sure(const QString& question) override;
    TAnswer SureOrCancel(const QString& question, bool cancelButton) override;
    bool SureChecked(const QString& question) override;
    void Msg(const QString& message) override;
    void ShowMessage(const QString& message) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;

private:
    TAnswer NextAnswer(const QString& question);

    QStringList m_log;
    std::deque<TAnswer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
};

// File choices with the chosen names queued by the test (an empty name cancels); every call is logged
// as "Open: folder" or "Save: folder | proposed name". An unscripted call fails the test and cancels.
class ScriptedFileDialogs : public IFileDialogs {
public:
    ~ScriptedFileDialogs() override;

    ScriptedFileDialogs& Answer(const QString& fileName);

    const QStringList& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    const QString& LastFilter() const { return m_lastFilter; }

    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(
        const QString& caption, const QString& folder, const QString& filter, const QString& proposedName) override;

private:
    QString Next(const QString& entry, const QString& filter);

    QStringList m_log;
    QString m_lastFilter;
    std::deque<QString> m_answers;
};

// The desktop's "open" action: records each target and answers with the queued results (true when none).
class ScriptedDesktop : public IDesktop {
public:
    ScriptedDesktop& Answer(bool opened);
    const QStringList& Opened() const { return m_opened; }

    bool Open(const QString& target) override;

private:
    QStringList m_opened;
    std::deque<bool> m_answers;
};

} // namespace quillo::testutil
