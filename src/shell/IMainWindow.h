#pragma once

#include "notebook/NotebookEdits.h"

namespace quillo {

class IPrompts;
class IGuider;
class TEditHistory;
class TKelPigger;

// What the panels and dialogs placed on the main window use from it.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;

    virtual TKelPigger& Document() = 0;
    virtual IGuider& Guider() = 0;
    virtual IPrompts& Prompts() = 0;
    // Every edit of the document is one step of it (TEditStep); nullptr before the document exists.
    virtual TEditHistory* History() = 0;

    virtual void SetChanged(bool changed) = 0;
    // Refreshes the panels for the current guider node and marks the document changed.
    virtual void StructureChanged() = 0;
    // Pre-order walk from start; pending events are processed before each node.
    virtual void WalkDocument(TKelPigger& start, const TNodeVisitor& visit) = 0;

    virtual TKelPigger* CurrentNotebook() const = 0;
    virtual TKelPigger* CurrentFields() const = 0;
    virtual TKelPigger* CurrentPages() const = 0;
    virtual void ShowFieldList() = 0;
    virtual void ShowPageList() = 0;

    // Adds a field or page of that name (the name rule applied) to the current notebook, mirrored in the
    // guider; a name that is taken or empty is refused with a message. The new node, or nullptr.
    virtual TKelPigger* AddField(const QString& name) = 0;
    virtual TKelPigger* AddPage(const QString& name) = 0;

    // The record grid posts its pending edit and lets go of its notebook.
    virtual void ReleaseRecordGrid() = 0;
    virtual void DeleteNotebook(TKelPigger& notebook) = 0;
    // Opens the new-notebook wizard for the document.
    virtual void NewNotebook() = 0;
    virtual void EditReminderSettings(TKelPigger* notebook) = 0;
};

} // namespace quillo
