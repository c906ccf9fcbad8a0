#include "records/widgets/TF_remind.h"

#include "notebook/IPrompts.h"
#include "notebook/TUserSettings.h"
#include "records/NodeLookup.h"
#include "records/RecordDates.h"
#include "records/SlicedWalk.h"
#include "records/TBirthdayReminder.h"
#include "records/widgets/ILookupHost.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillo {

namespace {

const QString StaleRecordMessage = QStringLiteral("This record is no longer as listed: it was deleted or changed "
                                                  "after the list was made.\nThe list is made again.");

QString DueText(int days, bool any)
{
    if (days == 1)
        return any ? QStringLiteral("Birthdays today:") : QStringLiteral("No birthdays today.");
    return any ? QStringLiteral("Birthdays today and in the next %1 days:").arg(days - 1)
               : QStringLiteral("No birthdays today or in the next %1 days.").arg(days - 1);
}

} // namespace

TF_remind::TF_remind(ILookupHost& host, TUserSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_host(host)
    , m_settings(settings)
    , m_today([] { return QDate::currentDate(); })
{
    setObjectName(QStringLiteral("TF_remind"));
    setWindowTitle(QStringLiteral("Birthday Reminder"));

    Label_due = new QLabel(this);
    Label_due->setObjectName(QStringLiteral("Label_due"));
    LV1 = new QTreeWidget(this);
    LV1->setObjectName(QStringLiteral("LV1"));
    LV1->setColumnCount(2);
    LV1->setHeaderHidden(true);
    LV1->setRootIsDecorated(false);
    LV1->setUniformRowHeights(true);
    LV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV1->setSelectionMode(QAbstractItemView::SingleSelection);
    LV1->setColumnWidth(0, 70);
    LV1->setColumnWidth(1, 350);
    CB_show_at_start = new QCheckBox(QStringLiteral("Show at start-up when birthdays are due"), this);
    CB_show_at_start->setObjectName(QStringLiteral("CB_show_at_start"));
    btn_goto = new QPushButton(QStringLiteral("Go To Record"), this);
    btn_goto->setObjectName(QStringLiteral("btn_goto"));
    btn_close = new QPushButton(QStringLiteral("Close"), this);
    btn_close->setObjectName(QStringLiteral("btn_close"));
    // The gifts link has no address that belongs to this program: the group is kept but never shown.
    GroupBox_gift = new QGroupBox(QStringLiteral("Save your time."), this);
    GroupBox_gift->setObjectName(QStringLiteral("GroupBox_gift"));
    Label_gift_webpage = new QLabel(QStringLiteral("Gifts Webpage"), GroupBox_gift);
    Label_gift_webpage->setObjectName(QStringLiteral("Label_gift_webpage"));
    auto* giftLayout = new QHBoxLayout(GroupBox_gift);
    giftLayout->addWidget(new QLabel(QStringLiteral("To find gift online click here:"), GroupBox_gift));
    giftLayout->addWidget(Label_gift_webpage);
    GroupBox_gift->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CB_show_at_start);
    buttons->addStretch();
    buttons->addWidget(btn_goto);
    buttons->addWidget(btn_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_due);
    layout->addWidget(LV1, 1);
    layout->addWidget(GroupBox_gift);
    layout->addLayout(buttons);
    resize(520, 300);

    connect(LV1, &QTreeWidget::itemSelectionChanged, this, &TF_remind::UpdateControls);
    connect(LV1, &QTreeWidget::itemDoubleClicked, this, &TF_remind::GoTo);
    connect(btn_goto, &QPushButton::clicked, this, &TF_remind::GoTo);
    connect(btn_close, &QPushButton::clicked, this, &QWidget::close);
    connect(CB_show_at_start, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.SetReminderAtStart(on);
        m_settings.Save();
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    UpdateControls();
}

void TF_remind::ShowReminder()
{
    Fill();
    Present();
    LV1->setFocus();
}

void TF_remind::ShowIfDue()
{
    if (m_settings.ReminderAtStart() && Fill() > 0)
        Present();
}

void TF_remind::Present()
{
    // The first time over the middle of the main window; later where the user left it.
    if (!m_placed && parentWidget()) {
        move(parentWidget()->window()->geometry().center() - rect().center());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void TF_remind::DocumentChanged()
{
    if (isVisible())
        Fill();
    else
        LV1->clear();
}

int TF_remind::Fill()
{
    // A fill that lets events run must not start another one from those events.
    if (m_filling)
        return LV1->topLevelItemCount();
    m_filling = true;
    LV1->clear();
    const QSignalBlocker blocker(CB_show_at_start);
    CB_show_at_start->setChecked(m_settings.ReminderAtStart());
    const int days = m_settings.ReminderDaysAhead();
    const TBirthdayReminder reminder(m_today(), days, RecordDates::ShortDateFormat());
    // User input waits until the list is made, so the document cannot change under the walk.
    const TWalker walk = [this](TKelPigger& start, const TNodeVisitor& visit) {
        WalkInSlices(start, visit, m_sliceMs, [] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return true;
        });
    };
    QList<QTreeWidgetItem*> items;
    for (const TDueBirthday& due : reminder.Run(m_host.Document(), walk)) {
        auto* item = new QTreeWidgetItem(QStringList { due.birthday, due.values });
        item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(due.record)));
        item->setToolTip(1, due.values);
        items.append(item);
    }
    LV1->addTopLevelItems(items);
    // The birthday as stored may be longer than the column's first width (a long date format).
    LV1->resizeColumnToContents(0);
    LV1->setColumnWidth(0, qMax(70, LV1->columnWidth(0)));
    Label_due->setText(DueText(days, !items.isEmpty()));
    UpdateControls();
    m_filling = false;
    return int(items.size());
}

TKelPigger* TF_remind::NodeOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<TKelPigger*>(item->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

void TF_remind::UpdateControls() { btn_goto->setEnabled(!LV1->selectedItems().isEmpty()); }

void TF_remind::GoTo()
{
    QTreeWidgetItem* item = LV1->currentItem();
    TKelPigger* record = NodeOf(item);
    if (!record || !item->isSelected())
        return;
    // The window stays open while the grid is edited; a record deleted there is not followed.
    if (!NodeLookup::Contains(m_host.Document(), record) || record->Tag() != "REC"
        || !NodeLookup::HoldsValue(*record, item->text(0))) {
        m_host.Prompts().Msg(StaleRecordMessage);
        Fill();
        return;
    }
    m_host.GoToNode(*record);
}

} // namespace quillo
