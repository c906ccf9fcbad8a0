#include "records/widgets/TQtDatePicker.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace quillo {

TQtDatePicker::TQtDatePicker(QWidget* parent)
    : QDialog(parent)
    , m_calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("DateEdit1"));
    setWindowTitle(QStringLiteral("Date"));
    m_calendar->setGridVisible(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
}

bool TQtDatePicker::PickDate(QDate& date)
{
    m_calendar->setSelectedDate(date);
    if (exec() != QDialog::Accepted)
        return false;
    date = m_calendar->selectedDate();
    return true;
}

} // namespace quillo
