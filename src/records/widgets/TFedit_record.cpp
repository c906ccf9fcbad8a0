#include "records/widgets/TFedit_record.h"

#include "records/RecordOps.h"
#include "tree/TKelPigger.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillo {

TFedit_record::TFedit_record(QWidget* parent)
    : QDialog(parent)
    , Grid1(new QTableWidget(0, 1, this))
{
    setObjectName(QStringLiteral("TFedit_record"));
    setWindowTitle(QStringLiteral("Record"));
    Grid1->setObjectName(QStringLiteral("Grid1"));
    // The field titles are the fixed first column: the vertical header, so Tab walks the values only.
    Grid1->horizontalHeader()->hide();
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Grid1->verticalHeader()->setDefaultSectionSize(20);
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Grid1->verticalHeader()->setMinimumWidth(200);
    Grid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Btn_ok"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Btn_cancel"));
    // Enter accepts the form; in a cell being edited the first Enter ends the edit.
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    resize(460, 320);
}

void TFedit_record::Fill(const TKelPigger& fields, const TKelPigger& record)
{
    Grid1->clearContents();
    Grid1->setRowCount(fields.ChildCount());
    QFont titleFont = Grid1->font();
    titleFont.setBold(true);
    for (int row = 0; row < fields.ChildCount(); ++row) {
        const QString name = fields.Child(row)->GetAttr(QStringLiteral("NAME"));
        auto* title = new QTableWidgetItem(RecordOps::TitleOf(&fields, name));
        title->setData(Qt::UserRole, name);
        title->setFont(titleFont);
        Grid1->setVerticalHeaderItem(row, title);
        Grid1->setItem(row, 0, new QTableWidgetItem(record.GetAttr(name)));
    }
    if (fields.ChildCount() > 0)
        Grid1->setCurrentCell(0, 0);
}

bool TFedit_record::EditRecord(TKelPigger* fields, TKelPigger* record)
{
    if (!fields || !record)
        return false;
    Fill(*fields, *record);
    Grid1->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    // Leaving the cell commits what is still in its editor.
    Grid1->setCurrentIndex({});
    for (int row = 0; row < Grid1->rowCount(); ++row)
        record->SetAttr(Grid1->verticalHeaderItem(row)->data(Qt::UserRole).toString(), Grid1->item(row, 0)->text());
    return true;
}

} // namespace quillo
