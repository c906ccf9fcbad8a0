#pragma once

namespace quillo {

class TKelPigger;

// The new-notebook wizard as the main window starts it.
class INotebookWizard {
public:
    virtual ~INotebookWizard() = default;
    // Lets the user make a notebook in root; the notebook appended, or nullptr when cancelled.
    virtual TKelPigger* Run(TKelPigger& root) = 0;
};

} // namespace quillo
