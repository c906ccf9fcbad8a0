#pragma once

#include "reportgen/TExpr.h"

#include <QByteArrayView>
#include <QString>

namespace quillo {

struct TOperation;

// Whoever runs an evaluation hands its state to the functions through this, e.g. a report generator.
class TExprContext {
public:
    virtual ~TExprContext() = default;
};

// Parses and computes an expression in one pass over its text, without building a tree.
// One evaluation at a time: a function must not evaluate through the parser that called it.
class TExprParser {
public:
    explicit TExprParser(TExprContext* context = nullptr)
        : Context(context)
    {
    }

    // An empty text, or one of blanks only, yields ekNull. Errors are raised as "MESSAGE. Position N".
    TExpr Evaluate(QByteArrayView text);

    // Handed unchanged to every function.
    TExprContext* Context;

    // Parentheses and calls nested deeper than this are refused.
    static constexpr int MaxNesting = 200;

private:
    // The operator token read last; a caller handed it back continues without scanning it again.
    struct OperatorToken {
        qsizetype Start = -1;
        qsizetype End = 0; // after the token and the blanks that follow it
        const TOperation* Operation = nullptr;
    };

    class NestingGuard;

    TExpr Parse(int minPriority);
    TExpr ReadNumber();
    TExpr ReadString();
    TExpr ReadParenthesised();
    TExpr ReadCall();
    const TOperation* ReadOperator();
    void SkipBlanks();
    char Current() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    [[noreturn]] void Raise(const QString& message, qsizetype index) const;

    QByteArrayView m_text;
    qsizetype m_pos = 0; // 0-based; messages count from 1
    OperatorToken m_lastOperator;
    int m_depth = 0;
};

} // namespace quillo
