#pragma once

#include <QString>
#include <Qt>

class QAbstractButton;
class QAction;
class QListWidget;
class QMainWindow;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace quillo::testutil {

// Input as the user sends it: mouse clicks land on a view's viewport in the middle of the item's
// visual rectangle, after scrolling it into view; buttons are clicked where they are drawn. Each
// helper fails the test when the target cannot be reached (hidden, disabled, off the view).

void ClickItem(QTreeWidget* view, QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A double click on the item as the window system delivers it: a click, then the second press as a double click.
void DoubleClickItem(QTreeWidget* view, QTreeWidgetItem* item);
void ClickRow(QListWidget* view, int row);
void DoubleClickRow(QListWidget* view, int row);
// Clicks the row whose text is exactly text.
void ClickRow(QListWidget* view, const QString& text);
void ClickButton(QAbstractButton* button);
// Opens the window's menu bar menu that holds entry with a click, then clicks the entry.
void ChooseFromMenuBar(QMainWindow* window, QAction* entry);
// Clicks the entry of the pop-up menu that is open now.
void ChooseFromPopup(QAction* entry);
// Presses the action's shortcut where the keyboard focus is.
void PressShortcut(QAction* action);
// Shows the widget's window and waits until it has the keyboard, so shortcuts reach it.
void ShowActive(QWidget* widget);

} // namespace quillo::testutil
