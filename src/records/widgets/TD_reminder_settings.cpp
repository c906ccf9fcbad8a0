#include "records/widgets/TD_reminder_settings.h"

#include "notebook/TEditHistory.h"
#include "notebook/TUserSettings.h"
#include "records/TBirthdayReminder.h"
#include "records/widgets/ILookupHost.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillo {

TD_reminder_settings::TD_reminder_settings(ILookupHost& host, TUserSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("TD_reminder_settings"));
    setWindowTitle(QStringLiteral("Reminder settings"));
    setWindowModality(Qt::ApplicationModal);

    CB_BDF = new QComboBox(this);
    CB_BDF->setObjectName(QStringLiteral("CB_BDF"));
    CB_BDF->setToolTip(QStringLiteral("The field of this notebook that holds the birthdays; only fields with the "
                                      "date feature are offered"));
    SE_days_ahead = new QSpinBox(this);
    SE_days_ahead->setObjectName(QStringLiteral("SE_days_ahead"));
    SE_days_ahead->setRange(TUserSettings::MinReminderDays, TUserSettings::MaxReminderDays);
    SE_days_ahead->setToolTip(QStringLiteral("How many days the reminder looks ahead, today counted (all notebooks)"));
    auto* buttons = new QDialogButtonBox(this);
    btn_ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    btn_ok->setObjectName(QStringLiteral("btn_ok"));
    btn_ok->setDefault(true);
    btn_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    btn_cancel->setObjectName(QStringLiteral("btn_cancel"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Birthday date field:"), CB_BDF);
    form->addRow(QStringLiteral("Days ahead (today counted):"), SE_days_ahead);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(340);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &TD_reminder_settings::Store);
}

void TD_reminder_settings::EditReminderSettings(TKelPigger* notebook)
{
    if (!notebook)
        return;
    m_notebook = notebook;
    CB_BDF->clear();
    CB_BDF->addItems(TBirthdayReminder::FieldChoices(*notebook));
    CB_BDF->setCurrentIndex(TBirthdayReminder::CurrentChoice(*notebook));
    SE_days_ahead->setValue(m_settings.ReminderDaysAhead());
    // Showing gives the focus back to the control that had it; a button clicked last time would take the
    // default with it, and Enter would cancel.
    CB_BDF->setFocus();
    btn_ok->setDefault(true);
    open();
}

void TD_reminder_settings::DocumentChanged()
{
    m_notebook = nullptr;
    if (isVisible())
        reject();
}

void TD_reminder_settings::Store()
{
    m_settings.SetReminderDaysAhead(SE_days_ahead->value());
    m_settings.Save();
    if (m_notebook) {
        TEditStep step(m_host.History(), QStringLiteral("Reminder settings"), *m_notebook);
        const QString before = m_notebook->GetAttr(QStringLiteral("BDF"));
        TBirthdayReminder::SetChoice(*m_notebook, CB_BDF->currentIndex());
        // Only a new field is a change of the document; the days ahead belong to the user.
        if (m_notebook->GetAttr(QStringLiteral("BDF")) != before)
            m_host.SetChanged(true);
        m_notebook = nullptr;
    }
    emit Stored();
}

} // namespace quillo
