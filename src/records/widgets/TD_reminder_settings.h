#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace quillo {

class ILookupHost;
class TKelPigger;
class TUserSettings;

// The reminder settings of one notebook (which date field holds the birthdays) and of the user (how many
// days the reminder looks ahead). Application modal, shown without a loop of its own; "Ok" stores.
class TD_reminder_settings : public QDialog {
    Q_OBJECT

public:
    TD_reminder_settings(ILookupHost& host, TUserSettings& settings, QWidget* parent = nullptr);

    // Does nothing for a null notebook.
    void EditReminderSettings(TKelPigger* notebook);
    // The document was replaced or its shape changed: the notebook shown may be gone.
    void DocumentChanged();

    QComboBox* CB_BDF;
    QSpinBox* SE_days_ahead;
    QPushButton* btn_ok;
    QPushButton* btn_cancel;

signals:
    // "Ok" stored the settings: what the reminder lists may have changed.
    void Stored();

private:
    void Store();

    ILookupHost& m_host;
    TUserSettings& m_settings;
    TKelPigger* m_notebook = nullptr;
};

} // namespace quillo
