#pragma once

#include "notebook/IPrompts.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <deque>
#include <optional>

namespace quillo::test {

// Answers questions from a script and records everything that was said. A question the script
// did not expect fails the test.
class ScriptedPrompts : public IPrompts {
public:
    std::deque<bool> sureAnswers;
    std::deque<bool> sureCheckedAnswers;
    // nullopt cancels the input box.
    std::deque<std::optional<QString>> inputAnswers;

    QStringList questions;
    QStringList messages;
    QStringList inputCaptions;
    QStringList inputProposals;

    bool Sure(const QString& question) override { return Answer(question, sureAnswers); }
    bool SureChecked(const QString& question) override { return Answer(question, sureCheckedAnswers); }
    void Msg(const QString& message) override { messages.append(message); }
    void ShowMessage(const QString& message) override { messages.append(message); }

    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override
    {
        inputCaptions.append(caption + QLatin1Char('|') + prompt);
        inputProposals.append(value);
        if (inputAnswers.empty()) {
            ADD_FAILURE() << "unexpected input box: " << caption.toStdString();
            return false;
        }
        const std::optional<QString> answer = inputAnswers.front();
        inputAnswers.pop_front();
        if (!answer)
            return false;
        value = *answer;
        return true;
    }

private:
    bool Answer(const QString& question, std::deque<bool>& answers)
    {
        questions.append(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question.toStdString();
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScriptedFileDialogs : public IFileDialogs {
public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;

    QString OpenFileName(const QString&, const QString&, const QString&) override { return Next(openAnswers); }
    QString SaveFileName(const QString&, const QString&, const QString&, const QString&) override
    {
        return Next(saveAnswers);
    }

private:
    static QString Next(std::deque<QString>& answers)
    {
        if (answers.empty())
            return QString();
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingDesktop : public IDesktop {
public:
    QStringList opened;

    bool Open(const QString& target) override
    {
        opened.append(target);
        return true;
    }
};

} // namespace quillo::test
