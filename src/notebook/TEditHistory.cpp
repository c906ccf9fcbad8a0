#include "notebook/TEditHistory.h"

#include "tree/EKelError.h"
#include "tree/TKelPigger.h"

#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QUndoCommand>

#include <algorithm>
#include <vector>

namespace quillo {

struct TEditHistory::TStep {
    QString name;
    TNodePath path;
    QByteArray before;
    QByteArray after;
    bool mergeable = false;

    qint64 Bytes() const;
};

struct TEditHistory::TOpenStep {
    QString name;
    TKelPigger* node = nullptr;
    TNodePath path;
    QByteArray before;
    bool mergeable = false;
};

class TEditHistory::TCommand : public QUndoCommand {
public:
    TCommand(TEditHistory& history, std::shared_ptr<const TStep> step)
        : QUndoCommand(step->name)
        , m_history(history)
        , m_step(std::move(step))
    {
    }

    const TStep& Step() const { return *m_step; }
    const std::shared_ptr<const TStep>& Shared() const { return m_step; }

    int id() const override { return m_step->mergeable ? 1 : -1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const TStep& next = static_cast<const TCommand*>(other)->Step();
        if (m_history.m_replaying || next.name != m_step->name || next.path != m_step->path)
            return false;
        auto merged = std::make_shared<TStep>(*m_step);
        merged->after = next.after;
        m_step = std::move(merged);
        // Typed and typed back: nothing is left to undo.
        setObsolete(m_step->before == m_step->after);
        return true;
    }

    void undo() override { m_history.Restore(*m_step, true); }

    void redo() override
    {
        // Pushing redoes; the edit is in the document already.
        if (m_inDocument) {
            m_inDocument = false;
            return;
        }
        m_history.Restore(*m_step, false);
    }

private:
    TEditHistory& m_history;
    std::shared_ptr<const TStep> m_step;
    bool m_inDocument = true;
};

qint64 TEditHistory::TStep::Bytes() const
{
    return before.size() + after.size() + name.size() * qint64(sizeof(QChar)) + path.size() * qint64(sizeof(int))
        + qint64(sizeof(TStep) + sizeof(TCommand));
}

TEditHistory::TEditHistory(TKelPigger& document, QObject* parent)
    : QObject(parent)
    , m_document(document)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &TEditHistory::StateChanged);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &TEditHistory::StateChanged);
}

TEditHistory::~TEditHistory() = default;

void TEditHistory::SetLimits(int steps, qint64 bytes)
{
    m_maxSteps = qMax(1, steps);
    m_maxBytes = bytes;
    Trim();
}

void TEditHistory::Begin(const QString& name, TKelPigger& node, bool mergeable)
{
    if (m_depth++ > 0) {
        if (m_open)
            Widen(node);
        return;
    }
    // Reading a step back is no edit; a node outside the document is none of ours.
    if (m_restoring || &NodePath::Top(node) != &m_document)
        return;
    m_open = std::make_unique<TOpenStep>();
    m_open->name = name;
    m_open->node = &node;
    m_open->path = NodePath::Of(node);
    m_open->before = node.SaveToText();
    // The writer leaves room to grow; a step keeps only the text.
    m_open->before.squeeze();
    m_open->mergeable = mergeable;
}

void TEditHistory::Widen(TKelPigger& node)
{
    TKelPigger& open = *m_open->node;
    if (NodePath::IsWithin(node, open))
        return;
    TKelPigger* ancestor = NodePath::CommonAncestor(open, node);
    if (!ancestor)
        return;
    // What the ancestor was when the step opened: its text now, with the open node's part as it was then. The
    // copy sits at the ancestor's depth, so that it writes the same indentation.
    TKelPigger holder;
    TKelPigger* copy = &holder;
    for (int level = 0; level < ancestor->Level(); ++level)
        copy = new TKelPigger(copy);
    copy->LoadFromText(ancestor->SaveToText());
    const TNodePath inner = m_open->path.mid(NodePath::Of(*ancestor).size());
    NodePath::Resolve(*copy, inner)->LoadFromText(m_open->before);
    m_open->before = copy->SaveToText();
    m_open->before.squeeze();
    m_open->node = ancestor;
    m_open->path = NodePath::Of(*ancestor);
    m_open->mergeable = false;
}

void TEditHistory::End()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    const std::unique_ptr<TOpenStep> open = std::move(m_open);
    if (!open)
        return;
    QByteArray after = open->node->SaveToText();
    if (after == open->before)
        return;
    after.squeeze();
    auto step = std::make_shared<TStep>();
    step->name = open->name;
    step->path = open->path;
    step->before = open->before;
    step->after = std::move(after);
    step->mergeable = open->mergeable;
    m_stack.push(new TCommand(*this, std::move(step)));
    Trim();
}

void TEditHistory::Undo()
{
    if (m_depth == 0)
        m_stack.undo();
}

void TEditHistory::Redo()
{
    if (m_depth == 0)
        m_stack.redo();
}

void TEditHistory::Restore(const TStep& step, bool undo)
{
    if (m_replaying)
        return;
    TKelPigger* node = NodePath::Resolve(m_document, step.path);
    if (!node)
        throw EKelError(
            QStringLiteral("\"%1\" cannot be undone: the document has changed outside the history.").arg(step.name));
    {
        const QScopedValueRollback restoring(m_restoring, true);
        emit AboutToRestore();
        const QByteArray& text = undo ? step.before : step.after;
        const QByteArray& replaced = undo ? step.after : step.before;
        try {
            node->LoadFromText(text);
        } catch (...) {
            // The node goes back to what it was, and the step stays where it was.
            node->LoadFromText(replaced);
            emit Restored(step.path, step.path);
            throw;
        }
        emit Restored(step.path, FirstChange(*node, text, replaced));
    }
}

TNodePath TEditHistory::FirstChange(TKelPigger& node, const QByteArray& loaded, const QByteArray& replaced)
{
    const auto end = loaded.begin() + qMin(loaded.size(), replaced.size());
    const qsizetype first = std::mismatch(loaded.begin(), end, replaced.begin()).first - loaded.begin();
    // Each node just read knows where its element ended; it starts at the first "<" after what came before it,
    // since values and texts hold no bare "<".
    TKelPigger* at = &node;
    qsizetype start = loaded.indexOf('<');
    for (bool deeper = true; deeper;) {
        deeper = false;
        qsizetype after = start + 1;
        for (int i = 0; i < at->ChildCount(); ++i) {
            TKelPigger* child = at->Child(i);
            const qsizetype childStart = loaded.indexOf('<', after);
            const qsizetype childEnd = child->ReadPosition() - 1;
            if (childStart < 0)
                break;
            // The line break and indentation in front of an element belong to it.
            qsizetype lineStart = childStart;
            while (lineStart > after
                && (loaded[lineStart - 1] == '\t' || loaded[lineStart - 1] == '\n' || loaded[lineStart - 1] == '\r'))
                --lineStart;
            if (first < lineStart)
                break;
            if (first < childEnd) {
                at = child;
                start = childStart;
                deeper = true;
                break;
            }
            after = childEnd;
        }
    }
    return NodePath::Of(*at);
}

void TEditHistory::Clear()
{
    m_open.reset();
    m_stack.clear();
    emit StateChanged();
}

void TEditHistory::SetClean()
{
    m_stack.setClean();
    emit StateChanged();
}

qint64 TEditHistory::HeldBytes() const
{
    qint64 bytes = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        bytes += static_cast<const TCommand*>(m_stack.command(i))->Step().Bytes();
    return bytes;
}

void TEditHistory::Trim()
{
    const int count = m_stack.count();
    qint64 bytes = HeldBytes();
    int drop = 0;
    // The newest step stays even when it alone is over the limit: the edit just made can always be undone.
    while (drop < count - 1 && (count - drop > m_maxSteps || bytes > m_maxBytes))
        bytes -= static_cast<const TCommand*>(m_stack.command(drop++))->Step().Bytes();
    if (drop == 0)
        return;
    // QUndoStack cannot drop its oldest commands by size: the stack is built again from the steps that stay.
    std::vector<std::shared_ptr<const TStep>> kept;
    for (int i = drop; i < count; ++i)
        kept.push_back(static_cast<const TCommand*>(m_stack.command(i))->Shared());
    const int index = m_stack.index() - drop;
    const int clean = m_stack.cleanIndex() - drop;
    const bool hadClean = m_stack.cleanIndex() >= drop;
    {
        const QSignalBlocker blocker(&m_stack);
        const QScopedValueRollback replaying(m_replaying, true);
        m_stack.clear();
        for (std::shared_ptr<const TStep>& step : kept)
            m_stack.push(new TCommand(*this, std::move(step)));
        if (hadClean) {
            m_stack.setIndex(clean);
            m_stack.setClean();
        } else {
            m_stack.resetClean();
        }
        m_stack.setIndex(qMax(0, index));
    }
    emit StateChanged();
}

TEditStep::TEditStep(TEditHistory* history, const QString& name, TKelPigger& node, bool mergeable)
    : m_history(history)
{
    if (m_history)
        m_history->Begin(name, node, mergeable);
}

TEditStep::~TEditStep()
{
    if (m_history)
        m_history->End();
}

} // namespace quillo
