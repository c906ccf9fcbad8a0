#pragma once

namespace quillo {

class TD_reminder_settings;
class TD_search;
class TF_remind;
class TFmain;
struct TMainHooks;

// Makes the search dialog and the reminder windows the main window's search and reminder commands, and lets
// them drop the nodes they keep whenever the document is replaced or its shape changes.
void ConnectLookupWindows(
    TFmain& window, TD_search& search, TD_reminder_settings& settings, TF_remind& remind, TMainHooks& hooks);

} // namespace quillo
