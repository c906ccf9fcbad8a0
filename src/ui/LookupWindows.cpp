#include "ui/LookupWindows.h"

#include "records/widgets/TD_reminder_settings.h"
#include "records/widgets/TD_search.h"
#include "records/widgets/TF_remind.h"
#include "ui/TFmain.h"

namespace quillo {

void ConnectLookupWindows(
    TFmain& window, TD_search& search, TD_reminder_settings& settings, TF_remind& remind, TMainHooks& hooks)
{
    hooks.search = [&search](TKelPigger* root, TKelPigger* current, std::optional<bool> global) {
        if (global)
            search.ShowSearch(root, current, *global);
        else
            search.ShowSearch(root, current);
    };
    hooks.reminder = [&remind] { remind.ShowReminder(); };
    hooks.reminderSettings = [&settings](TKelPigger& notebook) { settings.EditReminderSettings(&notebook); };
    QObject::connect(&window, &TFmain::DocumentStructureChanged, &search, &TD_search::DocumentChanged);
    QObject::connect(&window, &TFmain::DocumentStructureChanged, &settings, &TD_reminder_settings::DocumentChanged);
    QObject::connect(&window, &TFmain::DocumentStructureChanged, &remind, &TF_remind::DocumentChanged);
    QObject::connect(&settings, &TD_reminder_settings::Stored, &remind, &TF_remind::DocumentChanged);
}

} // namespace quillo
