#pragma once

#include <QDate>
#include <QString>

namespace quillo {

class TEditHistory;
class TKelPigger;

// What the record grid needs from the window it sits on.
class INotepadHost {
public:
    virtual ~INotepadHost() = default;

    // Where each edit of a record or page is recorded as an undo step; nullptr records nothing.
    virtual TEditHistory* History() = 0;

    virtual void SetChanged(bool changed) = 0;
    // A page was added to the notebook (an overflow page); the window shows it and selects it.
    virtual void PageAdded(TKelPigger& page) = 0;
    // The user turned to the tab of page; the window selects that page in the guider too.
    virtual void PageShown(TKelPigger& page) = 0;
    // Prints page with the notebook's print template.
    virtual void PrintPage(TKelPigger& page, const QString& printTemplate) = 0;
    // Prints the notebook's pages as organiser leaves.
    virtual void PrintNotebook(TKelPigger& notebook) = 0;
};

// The calendar picker; false when dismissed (date then stays as it was).
class IDatePicker {
public:
    virtual ~IDatePicker() = default;
    virtual bool PickDate(QDate& date) = 0;
};

// The record form: every field of one record; true when the user accepted it.
class IRecordEditor {
public:
    virtual ~IRecordEditor() = default;
    virtual bool EditRecord(TKelPigger* fields, TKelPigger* record) = 0;
};

} // namespace quillo
