#pragma once

#include "notebook/NodePath.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <memory>

namespace quillo {

class TKelPigger;

// The undo history of one document. A step keeps the path of the smallest node an edit changed and that
// node's text before and after; undoing reads the text back into the node at that path. Nothing points into
// the tree, so a step stays valid while later steps free and rebuild the nodes it touched, and the document
// writes the same bytes after undo and redo as it did before.
//
// Edits open a step on the node they are about to change (Begin) and close it when done (End); TEditStep does
// both. Steps opened inside an open step join it, widening it to a node that holds both when needed, so a
// command that calls other commands is still one step. A closed step that changed nothing is dropped.
//
// The history keeps at most MaxSteps steps and MaxHeldBytes of text; the oldest go first.
class TEditHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxSteps = 200;
    static constexpr qint64 MaxHeldBytes = qint64(64) * 1024 * 1024;

    explicit TEditHistory(TKelPigger& document, QObject* parent = nullptr);
    ~TEditHistory() override;

    // Tests use smaller limits; the steps held now are trimmed to them.
    void SetLimits(int steps, qint64 bytes);

    // Opens a step named for the menu ("Delete record") on node, which must stay in place until End.
    // mergeable steps of the same name on the same node follow each other as one (typing into a box).
    void Begin(const QString& name, TKelPigger& node, bool mergeable = false);
    void End();

    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    QString UndoText() const { return m_stack.undoText(); }
    QString RedoText() const { return m_stack.redoText(); }
    void Undo();
    void Redo();

    // Forgets every step: a new or another document.
    void Clear();
    // The document now is what its file holds.
    void SetClean();
    bool IsClean() const { return m_stack.isClean(); }

    int Count() const { return m_stack.count(); }
    // Text held by all steps, in bytes.
    qint64 HeldBytes() const;
    // While a step is read back into the document, edits record nothing.
    bool Restoring() const { return m_restoring; }

signals:
    // A step is about to be read back: every pointer into the document may dangle afterwards.
    void AboutToRestore();
    // The node at path was read back from a step; focus is the deepest node that holds the first change, the
    // place to show.
    void Restored(const TNodePath& path, const TNodePath& focus);
    // What can be undone or redone, or the clean state, may have changed.
    void StateChanged();

private:
    struct TStep;
    class TCommand;
    struct TOpenStep;

    void Widen(TKelPigger& node);
    void Restore(const TStep& step, bool undo);
    static TNodePath FirstChange(TKelPigger& node, const QByteArray& loaded, const QByteArray& replaced);
    void Trim();

    TKelPigger& m_document;
    QUndoStack m_stack;
    std::unique_ptr<TOpenStep> m_open;
    int m_depth = 0;
    int m_maxSteps = MaxSteps;
    qint64 m_maxBytes = MaxHeldBytes;
    bool m_restoring = false;
    // Steps pushed again by Trim are in the document already.
    bool m_replaying = false;
};

// One edit as a scope: opens a step on construction, closes it on destruction, also when an exception passes.
// A null history records nothing.
class TEditStep {
public:
    TEditStep(TEditHistory* history, const QString& name, TKelPigger& node, bool mergeable = false);
    ~TEditStep();
    TEditStep(const TEditStep&) = delete;
    TEditStep& operator=(const TEditStep&) = delete;

private:
    TEditHistory* m_history;
};

} // namespace quillo
