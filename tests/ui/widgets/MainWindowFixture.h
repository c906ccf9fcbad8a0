#pragma once

#include "records/widgets/TO_notepad.h"
#include "testutil/ScriptedNotebookWizard.h"
#include "testutil/ScriptedPrompts.h"
#include "testutil/TempFolder.h"
#include "testutil/UserEvents.h"
#include "tree/TKelPigger.h"
#include "ui/TFmain.h"
#include "ui/TOPigSructEd.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMimeData>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace quillo::test {

// Two notebooks; Friends holds records on both pages and reminds of birthdays, Work shares the field names.
inline const char* const SampleDocument = R"(
<NOTEBOOKS>
	<NOTEBOOK NAME="Friends" RPP="20" BDF="BIRTHDAY">My friends
		<FIELDS>
			<FIELD NAME="PERSON" WIDTH="150"/>
			<FIELD NAME="PHONE" TITLE="Phone number"/>
			<FIELD NAME="BIRTHDAY" FEATURE="Field is date"/>
		</FIELDS>
		<PAGES>
			<PAGE NAME="A">
				<REC PERSON="Ann" PHONE="123"/>
				<REC PERSON="Abe"/>
			</PAGE>
			<PAGE NAME="B">
				<REC PERSON="Bob" PHONE="456" BIRTHDAY="1.2.1990"/>
			</PAGE>
			<PAGE NAME="C"/>
		</PAGES>
	</NOTEBOOK>
	<NOTEBOOK NAME="Work" RIGHT_TAB_POSITION="Y">
		<FIELDS>
			<FIELD NAME="PERSON"/>
			<FIELD NAME="PHONE"/>
		</FIELDS>
		<PAGES>
			<PAGE NAME="X">
				<REC PERSON="Xena" PHONE="789"/>
			</PAGE>
		</PAGES>
	</NOTEBOOK>
</NOTEBOOKS>)";

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { StartWindow(); }

    // A new main window with the settings the last one left, as the next start of the program.
    void StartWindow()
    {
        // The tester must not watch a model while its view is being destroyed.
        tester.reset();
        window.reset();
        window = std::make_unique<TFmain>(SettingsPath());
        window->Start(prompts, fileDialogs, desktop);
        window->SetHooks(Hooks());
        testutil::ShowActive(window.get());
        tester = std::make_unique<QAbstractItemModelTester>(
            Tree()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    // The dialogs of the window as the tests script them; tests add the hooks they watch.
    TMainHooks Hooks()
    {
        TMainHooks hooks;
        hooks.notebookWizard = &wizard;
        return hooks;
    }

    QString LastSaid() const { return prompts.Log().isEmpty() ? QString() : prompts.Log().constLast(); }

    QString SettingsPath() const { return folder.File("quillo-zdk.SET"); }

    // Opens text as the notebook file of the window, the way a file is opened at start-up.
    void Load(const char* text = SampleDocument)
    {
        const QString path = folder.Write("sample.zdk", text);
        window->Session().NewDocument();
        window->Session().SetFileName(path);
        ASSERT_TRUE(window->Session().LoadFile());
    }

    TKelPigger& Doc() { return window->Document(); }
    TKelPigger& Notebook(int index) { return *Doc().Child(index); }
    TKelPigger& Fields(int notebook = 0) { return *Notebook(notebook).FindChild("FIELDS"); }
    TKelPigger& Pages(int notebook = 0) { return *Notebook(notebook).FindChild("PAGES"); }

    // Arranges a selection without the events of a user; the step under test clicks instead.
    void Select(TKelPigger& node) { window->Guider().Select(&node); }
    // Clicks the node's guider item, as the user does.
    void Click(TKelPigger& node) { testutil::ClickItem(Tree(), window->Guider().ItemOf(&node)); }
    QTreeWidget* Tree() const { return window->Guider().TV1; }
    // Right-clicks the node's guider item, through the window system's input so that the context menu opens.
    void RightClick(TKelPigger& node)
    {
        QTreeWidgetItem* item = window->Guider().ItemOf(&node);
        ASSERT_NE(item, nullptr);
        Tree()->scrollToItem(item);
        const QPoint point = Tree()->viewport()->mapTo(window.get(), Tree()->visualItemRect(item).center());
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, Qt::NoModifier, point);
    }
    // A key pressed where the keyboard focus is, as the user presses it.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    QString ShownSheet() const
    {
        return window->findChild<QStackedWidget*>(QStringLiteral("PageControl1"))->currentWidget()->objectName();
    }

    // Captions of the guider items below the item of node, in order.
    QStringList ItemCaptions(const TKelPigger& node) const
    {
        QStringList captions;
        if (QTreeWidgetItem* item = window->Guider().ItemOf(&node))
            for (int i = 0; i < item->childCount(); ++i)
                captions.append(item->child(i)->text(0));
        return captions;
    }

    // Drags of the notepad's records land in the test instead of the window system's drag loop.
    void CatchDrags(TO_notepad* notepad)
    {
        notepad->SetDragRunner([this](QMimeData* data) { dragged.reset(data); });
    }

    // Drags the record of row out of the notepad's grid with the mouse and lets it go over the guider
    // item of target; true when the guider accepted the record while it moved over the item.
    bool DragRecord(TO_notepad* notepad, int row, const TKelPigger& target)
    {
        QTableView* grid = notepad->Grid1;
        const QPoint from = grid->visualRect(grid->model()->index(row, 0)).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(grid->viewport(), from + QPoint(0, 4 * QApplication::startDragDistance()));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, from);
        EXPECT_TRUE(dragged) << "no drag started from row " << row;
        if (!dragged)
            return false;
        QWidget* viewport = Tree()->viewport();
        const QPoint at = Tree()->visualItemRect(window->Guider().ItemOf(&target)).center();
        QDragEnterEvent enter(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &move);
        QDropEvent drop(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &drop);
        dragged.reset();
        return move.isAccepted();
    }

    template <typename T> T* Find(const char* name) const
    {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    testutil::TempFolder folder;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs fileDialogs;
    testutil::ScriptedDesktop desktop;
    testutil::ScriptedNotebookWizard wizard;
    std::unique_ptr<TFmain> window;
    std::unique_ptr<QAbstractItemModelTester> tester;
    std::unique_ptr<QMimeData> dragged;
};

} // namespace quillo::test
