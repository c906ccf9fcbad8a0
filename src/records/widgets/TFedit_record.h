#pragma once

#include "records/widgets/INotepadSeams.h"

#include <QDialog>

class QTableWidget;

namespace quillo {

// The record form: one row per FIELD, its title on the left and the record's value, editable, on the right.
class TFedit_record : public QDialog, public IRecordEditor {
    Q_OBJECT

public:
    explicit TFedit_record(QWidget* parent = nullptr);

    bool EditRecord(TKelPigger* fields, TKelPigger* record) override;

    QTableWidget* Grid1;

private:
    void Fill(const TKelPigger& fields, const TKelPigger& record);
};

} // namespace quillo
