#pragma once

#include "records/widgets/INotepadSeams.h"

#include <QDialog>

class QCalendarWidget;

namespace quillo {

// The calendar as a small modal dialog: double-click or Enter picks, Esc dismisses.
class TQtDatePicker : public QDialog, public IDatePicker {
    Q_OBJECT

public:
    explicit TQtDatePicker(QWidget* parent = nullptr);
    bool PickDate(QDate& date) override;

private:
    QCalendarWidget* m_calendar;
};

} // namespace quillo
