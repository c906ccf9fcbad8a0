#pragma once

namespace quillo {

class IPrompts;
class TEditHistory;
class TKelPigger;

// What the search and reminder windows need from the main window.
class ILookupHost {
public:
    virtual ~ILookupHost() = default;

    // The open document; the hit lists keep nodes of it.
    virtual TKelPigger& Document() = 0;
    virtual IPrompts& Prompts() = 0;
    // Where an edit of the document is recorded as an undo step; nullptr records nothing.
    virtual TEditHistory* History() = 0;
    virtual void SetChanged(bool changed) = 0;
    // Shows node in the main window: a record in the record grid on its page, any other node in the guider.
    virtual void GoToNode(TKelPigger& node) = 0;
};

} // namespace quillo
