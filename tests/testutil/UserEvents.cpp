#include "testutil/UserEvents.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

namespace quillo::testutil {

namespace {

// The middle of the item on the viewport, or a null point after failing the test.
QPoint ItemPoint(QAbstractItemView* view, const QModelIndex& index)
{
    if (!index.isValid()) {
        ADD_FAILURE() << "no such item in " << view->objectName().toStdString();
        return {};
    }
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    if (!view->isVisible() || !view->viewport()->rect().intersects(rect)) {
        ADD_FAILURE() << "item not on screen in " << view->objectName().toStdString();
        return {};
    }
    return rect.intersected(view->viewport()->rect()).center();
}

} // namespace

void ClickItem(QTreeWidget* view, QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = item ? view->indexFromItem(item) : QModelIndex();
    const QPoint point = ItemPoint(view, index);
    if (!point.isNull())
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, point);
}

void ClickRow(QListWidget* view, int row)
{
    const QPoint point = ItemPoint(view, view->model()->index(row, 0));
    if (!point.isNull())
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void DoubleClickRow(QListWidget* view, int row)
{
    const QPoint point = ItemPoint(view, view->model()->index(row, 0));
    if (point.isNull())
        return;
    // As the window system delivers it: a click, then the second press as a double click, and its release.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void ClickRow(QListWidget* view, const QString& text)
{
    const QList<QListWidgetItem*> found = view->findItems(text, Qt::MatchExactly);
    if (found.size() != 1) {
        ADD_FAILURE() << "no single row " << text.toStdString() << " in " << view->objectName().toStdString();
        return;
    }
    ClickRow(view, view->row(found.constFirst()));
}

void ClickButton(QAbstractButton* button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString() << " is not on screen";
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

void ShowActive(QWidget* widget)
{
    QWidget* window = widget->window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace quillo::testutil
