#pragma once

#include <QDate>
#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillo {

class ILookupHost;
class TKelPigger;
class TUserSettings;

// The birthday reminder: the records of all notebooks whose birthday (the field the notebook's BDF names)
// falls within the days ahead of the user settings. A window of its own that stays open while the user
// goes to the records it lists.
class TF_remind : public QWidget {
    Q_OBJECT

public:
    TF_remind(ILookupHost& host, TUserSettings& settings, QWidget* parent = nullptr);

    // Fills the list from the whole document and shows the window.
    void ShowReminder();
    // At start-up: shows the reminder when the user asked for it and a birthday is due.
    void ShowIfDue();
    // The document was replaced or its shape changed: an open window is filled again, a closed one forgets.
    void DocumentChanged();
    // The day the reminder counts from; the system date by default.
    void SetClock(std::function<QDate()> today) { m_today = std::move(today); }
    // Milliseconds of walking between two turns of the event loop; 0 turns it before every node.
    void SetSliceMs(int milliseconds) { m_sliceMs = milliseconds; }

    static TKelPigger* NodeOf(const QTreeWidgetItem* item);

    QTreeWidget* LV1;
    QLabel* Label_due;
    QCheckBox* CB_show_at_start;
    QPushButton* btn_goto;
    QPushButton* btn_close;
    QGroupBox* GroupBox_gift;
    QLabel* Label_gift_webpage;

private:
    // Returns the number of records listed.
    int Fill();
    void Present();
    void UpdateControls();
    void GoTo();

    ILookupHost& m_host;
    TUserSettings& m_settings;
    std::function<QDate()> m_today;
    int m_sliceMs = 20;
    bool m_filling = false;
    bool m_placed = false;
};

} // namespace quillo
