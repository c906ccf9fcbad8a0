#include "ui/TRecordGridBinding.h"

#include "notebook/NodePath.h"
#include "notebook/TEditHistory.h"
#include "records/RecordOps.h"
#include "records/widgets/TO_notepad.h"
#include "shell/IMainWindow.h"
#include "tree/TKelPigger.h"
#include "ui/TOPigSructEd.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace quillo {

TRecordGridBinding::TRecordGridBinding(IMainWindow& main, TO_notepad& notepad, TOPigSructEd& guider, QObject* parent)
    : QObject(parent)
    , m_main(main)
    , m_notepad(notepad)
    , m_guider(guider)
{
    m_guider.TV1->viewport()->setAcceptDrops(true);
    m_guider.TV1->viewport()->installEventFilter(this);
}

TEditHistory* TRecordGridBinding::History() { return m_main.History(); }

void TRecordGridBinding::SetChanged(bool changed) { m_main.SetChanged(changed); }

void TRecordGridBinding::PageAdded(TKelPigger& page)
{
    {
        const QSignalBlocker blocker(m_guider);
        m_guider.Rebuild();
    }
    m_guider.Select(&page);
    m_main.StructureChanged();
}

void TRecordGridBinding::PageShown(TKelPigger& page)
{
    if (m_guider.SelectedNode() != &page)
        m_guider.Select(&page);
}

void TRecordGridBinding::PrintPage(TKelPigger& page, const QString& printTemplate)
{
    if (m_printer)
        m_printer(page, printTemplate);
}

void TRecordGridBinding::PrintNotebook(TKelPigger& notebook)
{
    if (m_notebookPrinter)
        m_notebookPrinter(notebook);
}

TKelPigger* TRecordGridBinding::DropPage(const QDropEvent& event) const
{
    // A record dragged out of another running copy of the program is not ours to move.
    if (event.mimeData()->data(TO_notepad::RecordMimeType) != QByteArray::number(QCoreApplication::applicationPid())
        || !m_notepad.CurRecord())
        return nullptr;
    TKelPigger* node = TOPigSructEd::NodeOf(m_guider.TV1->itemAt(event.position().toPoint()));
    return node && node->Tag() == "PAGE" ? node : nullptr;
}

bool TRecordGridBinding::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto& drag = static_cast<QDragMoveEvent&>(*event);
        if (!drag.mimeData()->hasFormat(TO_notepad::RecordMimeType))
            return QObject::eventFilter(watched, event);
        if (DropPage(drag)) {
            drag.setDropAction(Qt::MoveAction);
            drag.accept();
        } else {
            drag.ignore();
        }
        // Entering must be accepted for the moves over other items to follow.
        if (event->type() == QEvent::DragEnter)
            drag.accept();
        return true;
    }
    case QEvent::Drop: {
        auto& drop = static_cast<QDropEvent&>(*event);
        if (!drop.mimeData()->hasFormat(TO_notepad::RecordMimeType))
            return QObject::eventFilter(watched, event);
        TKelPigger* page = DropPage(drop);
        if (!page) {
            drop.ignore();
            return true;
        }
        drop.setDropAction(Qt::MoveAction);
        drop.accept();
        TKelPigger& record = *m_notepad.CurRecord();
        // One step on the node that holds both pages, which may be the whole document.
        TKelPigger* both = record.Parent() ? NodePath::CommonAncestor(*record.Parent(), *page) : nullptr;
        if (!both)
            return true;
        TEditStep step(m_main.History(), QStringLiteral("Move record to page"), *both);
        if (RecordOps::MoveRecordToPage(record, *page)) {
            m_notepad.Refill();
            m_main.SetChanged(true);
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quillo
