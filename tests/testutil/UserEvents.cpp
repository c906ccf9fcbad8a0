#include "testutil/UserEvents.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
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

void DoubleClickItem(QTreeWidget* view, QTreeWidgetItem* item)
{
    const QPoint point = ItemPoint(view, item ? view->indexFromItem(item) : QModelIndex());
    if (point.isNull())
        return;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
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

void ChooseFromMenuBar(QMainWindow* window, QAction* entry)
{
    QMenuBar* bar = window->menuBar();
    for (QAction* heading : bar->actions()) {
        QMenu* menu = heading->menu();
        if (!menu || !menu->actions().contains(entry))
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(heading).center());
        ASSERT_TRUE(menu->isVisible()) << heading->text().toStdString() << " did not open";
        ChooseFromPopup(entry);
        return;
    }
    ADD_FAILURE() << "no menu holds " << entry->objectName().toStdString();
}

void ChooseFromPopup(QAction* entry)
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no menu is open";
    const QRect rect = menu->actionGeometry(entry);
    ASSERT_FALSE(rect.isEmpty()) << entry->objectName().toStdString() << " is not in the open menu";
    ASSERT_TRUE(entry->isEnabled()) << entry->objectName().toStdString() << " is disabled";
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, rect.center());
}

void PressShortcut(QAction* action)
{
    ASSERT_NE(action, nullptr);
    ASSERT_FALSE(action->shortcut().isEmpty()) << action->objectName().toStdString() << " has no shortcut";
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "no window has the keyboard";
    QTest::keySequence(target, action->shortcut());
}

void ShowActive(QWidget* widget)
{
    QWidget* window = widget->window();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace quillo::testutil
