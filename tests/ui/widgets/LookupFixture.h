#pragma once

#include "ui/widgets/MainWindowFixture.h"

#include "records/widgets/TD_reminder_settings.h"
#include "records/widgets/TD_search.h"
#include "records/widgets/TF_remind.h"
#include "records/widgets/TO_notepad.h"
#include "ui/LookupWindows.h"

#include <QAbstractButton>
#include <QTableView>

namespace quillo::test {

// The main window with the search dialog and the reminder windows connected as the program connects them.
class LookupTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Owned by the window, as in the program.
        search = new TD_search(*window, window.get());
        reminderSettings = new TD_reminder_settings(*window, window->Settings(), window.get());
        remind = new TF_remind(*window, window->Settings(), window.get());
        TMainHooks hooks = Hooks();
        ConnectLookupWindows(*window, *search, *reminderSettings, *remind, hooks);
        window->SetHooks(hooks);
        // The tool bar lays out the reminder button it now shows.
        QApplication::processEvents();
        notepad = Find<TO_notepad>("O_notepad1");
        hitTester = std::make_unique<QAbstractItemModelTester>(
            search->LV1->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        remindTester = std::make_unique<QAbstractItemModelTester>(
            remind->LV1->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        gridTester = std::make_unique<QAbstractItemModelTester>(
            notepad->Grid1->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    void TearDown() override
    {
        hitTester.reset();
        remindTester.reset();
        gridTester.reset();
    }

    // Texts of a list's column, in order.
    static QStringList Column(const QTreeWidget* list, int column)
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.append(list->topLevelItem(i)->text(column));
        return texts;
    }

    // Where the record grid stands: the page selected in the guider, the grid's page and its current row.
    struct GridPlace {
        TKelPigger* guiderNode;
        TKelPigger* gridPage;
        int row;
        TKelPigger* record;
    };
    GridPlace Place() const
    {
        return { window->Guider().SelectedNode(), notepad->CurrentPage(), notepad->Grid1->currentIndex().row(),
            notepad->CurRecord() };
    }

    // Clicks a radio button or check box on its indicator: the middle of a wide one lies beside its text.
    static void ClickOption(QAbstractButton* option)
    {
        ASSERT_TRUE(option->isVisible() && option->isEnabled()) << option->objectName().toStdString();
        QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
    }

    QAction* Action(const char* name) const
    {
        auto* action = window->findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }

    TKelPigger& Page(int notebook, int page) { return *Pages(notebook).Child(page); }
    TKelPigger& Record(int notebook, int page, int row) { return *Page(notebook, page).Child(row); }

    TD_search* search = nullptr;
    TD_reminder_settings* reminderSettings = nullptr;
    TF_remind* remind = nullptr;
    TO_notepad* notepad = nullptr;
    std::unique_ptr<QAbstractItemModelTester> hitTester;
    std::unique_ptr<QAbstractItemModelTester> remindTester;
    std::unique_ptr<QAbstractItemModelTester> gridTester;
};

} // namespace quillo::test
