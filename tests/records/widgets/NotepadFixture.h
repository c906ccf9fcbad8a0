#pragma once

#include "records/widgets/INotepadSeams.h"
#include "records/widgets/TO_notepad.h"
#include "testutil/ScriptedPrompts.h"
#include "tree/TKelPigger.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace quillo::test {

inline const char* const NotepadDocument = R"(
<NOTEBOOK NAME="Friends" RPP="3" PRINT_TEMPLATE="page.zdkt">
	<FIELDS>
		<FIELD NAME="PERSON" TITLE="Person" WIDTH="150"/>
		<FIELD NAME="PHONE" WIDTH="abc"/>
		<FIELD NAME="SITE" WIDTH="0" FEATURE="Field is http"/>
		<FIELD NAME="HOME" WIDTH="-4" FEATURE="Field is http"/>
		<FIELD NAME="MAIL" FEATURE="Field is e-mail address"/>
		<FIELD NAME="DOC" FEATURE="Field is file"/>
		<FIELD NAME="BORN" FEATURE="Field is date"/>
	</FIELDS>
	<PAGES>
		<PAGE NAME="A" TITLE="Letter A">
			<REC PERSON="Ann" PHONE="1" SITE="site.example" HOME="home.example"/>
			<REC PERSON="Abe" MAIL="abe@example.com"/>
			<REC PERSON="Amy" PHONE="3"/>
		</PAGE>
		<PAGE NAME="B"/>
	</PAGES>
</NOTEBOOK>)";

// The host window: records what the grid asked of it.
class RecordingHost : public INotepadHost {
public:
    int changed = 0;
    QStringList added;
    QStringList shown;
    QStringList printed;
    TEditHistory* history = nullptr;
    TEditHistory* History() override { return history; }
    void SetChanged(bool) override { ++changed; }
    void PageAdded(TKelPigger& page) override { added.append(page.GetAttr("NAME")); }
    void PageShown(TKelPigger& page) override { shown.append(page.GetAttr("NAME")); }
    void PrintPage(TKelPigger& page, const QString& printTemplate) override
    {
        printed.append(page.GetAttr("NAME") + " " + printTemplate);
    }
    void PrintNotebook(TKelPigger& notebook) override { printed.append("notebook " + notebook.GetAttr("NAME")); }
};

class ScriptedDatePicker : public IDatePicker {
public:
    QList<QDate> shown;
    std::optional<QDate> answer;
    bool PickDate(QDate& date) override
    {
        shown.append(date);
        if (!answer)
            return false;
        date = *answer;
        return true;
    }
};

// The record form: logs the record it was given and applies edit when accepting.
class ScriptedRecordEditor : public IRecordEditor {
public:
    int shown = 0;
    bool accept = false;
    std::function<void(TKelPigger&)> edit;
    bool EditRecord(TKelPigger* fields, TKelPigger* record) override
    {
        ++shown;
        EXPECT_TRUE(fields && record);
        if (accept && edit)
            edit(*record);
        return accept;
    }
};

class NotepadTest : public testing::Test {
protected:
    void SetUp() override
    {
        notebook.LoadFromText(NotepadDocument);
        auto* layout = new QVBoxLayout(&window);
        notepad = new TO_notepad(&window);
        other = new QLineEdit(&window);
        other->setObjectName("Other");
        layout->addWidget(notepad);
        layout->addWidget(other);
        notepad->SetServices({ &host, &prompts, &fileDialogs, &desktop, &datePicker, &recordEditor });
        window.resize(900, 400);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid = notepad->Grid1;
        tester = std::make_unique<QAbstractItemModelTester>(
            grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        Open();
    }

    void Open(const QString& page = "A")
    {
        notepad->SetNotebook(&notebook);
        notepad->OpenNotebook();
        notepad->SelectPageByName(page);
        grid->setFocus();
    }

    TKelPigger& Page(int index) { return *notebook.FindChild("PAGES")->Child(index); }
    QModelIndex Cell(int row, int column) { return grid->model()->index(row, column); }
    QString Text(int row, int column) { return Cell(row, column).data().toString(); }
    void Click(int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(Cell(row, column)).center());
    }
    void DoubleClick(int row, int column)
    {
        const QPoint at = grid->visualRect(Cell(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    QToolButton* Button(const char* name) { return notepad->findChild<QToolButton*>(name); }
    void Press(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    bool Enabled(const char* name) { return Button(name)->isEnabled(); }
    QString LastSaid() const { return prompts.Log().isEmpty() ? QString() : prompts.Log().constLast(); }

    TKelPigger notebook;
    QWidget window;
    TO_notepad* notepad = nullptr;
    QLineEdit* other = nullptr;
    QTableView* grid = nullptr;
    RecordingHost host;
    testutil::ScriptedPrompts prompts;
    testutil::ScriptedFileDialogs fileDialogs;
    testutil::ScriptedDesktop desktop;
    ScriptedDatePicker datePicker;
    ScriptedRecordEditor recordEditor;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

} // namespace quillo::test
