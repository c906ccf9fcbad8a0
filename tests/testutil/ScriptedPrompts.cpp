#include "testutil/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace quillo::testutil {

ScriptedPrompts::~ScriptedPrompts()
{
    EXPECT_TRUE(m_answers.empty() && m_inputs.empty())
        << "answers left unused; said: " << m_log.join(QStringLiteral(" / ")).toStdString();
}

ScriptedPrompts& ScriptedPrompts::Answer(bool yes)
{
    m_answers.push_back(yes ? TAnswer::Yes : TAnswer::No);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::Escape()
{
    m_answers.push_back(TAnswer::Cancel);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::AnswerInput(std::optional<QString> value)
{
    m_inputs.push_back(std::move(value));
    return *this;
}

TAnswer ScriptedPrompts::NextAnswer(const QString& question)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question.toStdString();
        return TAnswer::No;
    }
    const TAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedPrompts::Sure(const QString& question)
{
    m_log << QStringLiteral("Sure: ") + question;
    return NextAnswer(question) == TAnswer::Yes;
}

TAnswer ScriptedPrompts::SureOrCancel(const QString& question, bool cancelButton)
{
    m_log << QStringLiteral("Sure: ") + question + (cancelButton ? QStringLiteral(" (Yes/No/Cancel)") : QString());
    return NextAnswer(question);
}

bool ScriptedPrompts::SureChecked(const QString& question)
{
    m_log << QStringLiteral("SureChecked: ") + question;
    return NextAnswer(question) == TAnswer::Yes;
}

void ScriptedPrompts::Msg(const QString& message) { m_log << QStringLiteral("Msg: ") + message; }

void ScriptedPrompts::ShowMessage(const QString& message) { m_log << QStringLiteral("ShowMessage: ") + message; }

bool ScriptedPrompts::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    m_log << QStringLiteral("InputQuery: %1 | %2 | %3").arg(caption, prompt, value);
    if (m_inputs.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return false;
    }
    const std::optional<QString> answer = m_inputs.front();
    m_inputs.pop_front();
    if (answer)
        value = *answer;
    return answer.has_value();
}

ScriptedFileDialogs::~ScriptedFileDialogs()
{
    EXPECT_TRUE(m_answers.empty()) << "file names left unused; asked: "
                                   << m_log.join(QStringLiteral(" / ")).toStdString();
}

ScriptedFileDialogs& ScriptedFileDialogs::Answer(const QString& fileName)
{
    m_answers.push_back(fileName);
    return *this;
}

QString ScriptedFileDialogs::Next(const QString& entry, const QString& filter)
{
    m_log << entry;
    m_lastFilter = filter;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << entry.toStdString();
        return QString();
    }
    const QString answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString ScriptedFileDialogs::OpenFileName(const QString&, const QString& folder, const QString& filter)
{
    return Next(QStringLiteral("Open: ") + folder, filter);
}

QString ScriptedFileDialogs::SaveFileName(
    const QString&, const QString& folder, const QString& filter, const QString& proposedName)
{
    return Next(QStringLiteral("Save: %1 | %2").arg(folder, proposedName), filter);
}

ScriptedDesktop& ScriptedDesktop::Answer(bool opened)
{
    m_answers.push_back(opened);
    return *this;
}

bool ScriptedDesktop::Open(const QString& target)
{
    m_opened << target;
    if (m_answers.empty())
        return true;
    const bool opened = m_answers.front();
    m_answers.pop_front();
    return opened;
}

} // namespace quillo::testutil
