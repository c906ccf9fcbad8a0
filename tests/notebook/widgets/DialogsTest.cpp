#include "notebook/widgets/TDmsg.h"
#include "notebook/widgets/TFsure.h"
#include "notebook/widgets/TFsure_checked.h"
#include "notebook/widgets/TQtPrompts.h"
#include "testutil/QtPrinters.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace quillo {
namespace {

template <class T> T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TEST(DialogsTest, SureShowsTheQuestionAndTrueOnlyForYes)
{
    TFsure sure;
    auto* yes = Child<QPushButton>(sure, "Btn_yes");
    auto* no = Child<QPushButton>(sure, "Btn_no");
    EXPECT_EQ(sure.windowTitle(), "Confirmation:");
    EXPECT_EQ(yes->text() + "/" + no->text(), "Yes/No");
    const std::pair<std::function<void()>, bool> answers[] = {
        { [&] { QTest::mouseClick(yes, Qt::LeftButton); }, true },
        { [&] { QTest::mouseClick(no, Qt::LeftButton); }, false },
        { [&] { QTest::keyClick(&sure, Qt::Key_Return); }, true }, // Yes is the default
        { [&] { QTest::keyClick(&sure, Qt::Key_Escape); }, false },
    };
    for (const auto& [answer, accepted] : answers) {
        sure.SetQuestion("Save changes?");
        sure.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sure));
        EXPECT_EQ(Child<QLabel>(sure, "Label_question")->text(), "Save changes?");
        answer();
        EXPECT_FALSE(sure.isVisible());
        EXPECT_EQ(sure.result() == QDialog::Accepted, accepted);
    }
}

TEST(DialogsTest, SureCheckedNeedsTheTickForEveryQuestion)
{
    TFsure_checked sure;
    auto* yes = Child<QPushButton>(sure, "Btn_yes");
    auto* tick = Child<QCheckBox>(sure, "CB_sure");
    EXPECT_EQ(sure.objectName(), "TFsure_checked");
    EXPECT_EQ(sure.windowTitle(), "Confirmation:");
    EXPECT_EQ(tick->text(), "Yes, I'm sure");

    sure.SetQuestion("Delete the notebook?");
    sure.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sure));
    EXPECT_FALSE(tick->isChecked());
    EXPECT_FALSE(yes->isEnabled());
    QTest::keyClick(&sure, Qt::Key_Return);
    EXPECT_TRUE(sure.isVisible()) << "Enter must not answer Yes without the tick";

    QTest::keyClick(tick, Qt::Key_Space);
    EXPECT_TRUE(yes->isEnabled());
    QTest::keyClick(tick, Qt::Key_Space);
    EXPECT_FALSE(yes->isEnabled());
    QTest::keyClick(tick, Qt::Key_Space);
    QTest::mouseClick(yes, Qt::LeftButton);
    EXPECT_EQ(sure.result(), QDialog::Accepted);

    // The tick given for one deletion does not carry over to the next.
    sure.SetQuestion("Delete the page?");
    sure.open();
    EXPECT_FALSE(tick->isChecked());
    EXPECT_FALSE(yes->isEnabled());
    QTest::mouseClick(Child<QPushButton>(sure, "Btn_no"), Qt::LeftButton);
    EXPECT_EQ(sure.result(), QDialog::Rejected);
}

TEST(DialogsTest, MessageHasOneOkButtonAndShowsTextAsTyped)
{
    TDmsg msg;
    EXPECT_EQ(msg.objectName(), "TDmsg");
    EXPECT_EQ(msg.windowTitle(), "Message:");
    const auto buttons = msg.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.first()->text(), "OK");

    msg.SetMessage("Field \"<b>x</b>\" already exists");
    msg.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&msg));
    EXPECT_EQ(Child<QLabel>(msg, "Label_message")->textFormat(), Qt::PlainText);
    EXPECT_EQ(Child<QLabel>(msg, "Label_message")->text(), "Field \"<b>x</b>\" already exists");
    QTest::mouseClick(buttons.first(), Qt::LeftButton);
    EXPECT_FALSE(msg.isVisible());
}

// Answers the next modal dialog once it is up.
void WhenModal(std::function<void(QWidget&)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(*modal);
    });
}

// Escaping a question about changes must never count as "No": that would throw the changes away.
TEST(DialogsTest, SureOrCancelTellsNoFromEscaping)
{
    TFsure sure;
    TFsure_checked sureChecked;
    TDmsg msg;
    TQtPrompts prompts(sure, sureChecked, msg);
    const auto button = [](QWidget& modal, const char* name) { return modal.findChild<QPushButton*>(name); };
    const struct {
        const char* what;
        bool cancelButton;
        std::function<void(QWidget&)> answer;
        TAnswer expected;
    } cases[] = {
        { "Yes", true, [&](QWidget& m) { QTest::mouseClick(button(m, "Btn_yes"), Qt::LeftButton); }, TAnswer::Yes },
        { "No", true, [&](QWidget& m) { QTest::mouseClick(button(m, "Btn_no"), Qt::LeftButton); }, TAnswer::No },
        { "Cancel", true, [&](QWidget& m) { QTest::mouseClick(button(m, "Btn_cancel"), Qt::LeftButton); },
            TAnswer::Cancel },
        { "Esc", true, [](QWidget& m) { QTest::keyClick(&m, Qt::Key_Escape); }, TAnswer::Cancel },
        { "close box", true, [](QWidget& m) { m.close(); }, TAnswer::Cancel },
        { "Enter", true, [](QWidget& m) { QTest::keyClick(&m, Qt::Key_Return); }, TAnswer::Yes },
        { "No of two", false, [&](QWidget& m) { QTest::mouseClick(button(m, "Btn_no"), Qt::LeftButton); },
            TAnswer::No },
        { "Esc of two", false, [](QWidget& m) { QTest::keyClick(&m, Qt::Key_Escape); }, TAnswer::Cancel },
    };
    for (const auto& c : cases) {
        bool cancelShown = false;
        WhenModal([&](QWidget& modal) {
            cancelShown = button(modal, "Btn_cancel")->isVisible();
            c.answer(modal);
        });
        EXPECT_EQ(prompts.SureOrCancel("Save changes?", c.cancelButton), c.expected) << c.what;
        EXPECT_EQ(cancelShown, c.cancelButton) << c.what;
    }
    // The plain question shows Yes and No only, and escaping it is "No".
    bool cancelShown = true;
    WhenModal([&](QWidget& modal) {
        cancelShown = button(modal, "Btn_cancel")->isVisible();
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(prompts.Sure("Create new file?"));
    EXPECT_FALSE(cancelShown);
}

TEST(DialogsTest, PromptsGoThroughTheSharedDialogs)
{
    TFsure sure;
    TFsure_checked sureChecked;
    TDmsg msg;
    TQtPrompts prompts(sure, sureChecked, msg);
    QString shown;

    WhenModal([&](QWidget& modal) {
        shown = modal.objectName();
        QTest::keyClick(modal.findChild<QCheckBox*>("CB_sure"), Qt::Key_Space);
        QTest::mouseClick(modal.findChild<QPushButton*>("Btn_yes"), Qt::LeftButton);
    });
    EXPECT_TRUE(prompts.SureChecked("Delete?"));
    EXPECT_EQ(shown, "TFsure_checked");

    WhenModal([&](QWidget& modal) {
        shown = qobject_cast<QMessageBox*>(&modal)->text();
        QTest::keyClick(&modal, Qt::Key_Return);
    });
    prompts.ShowMessage("Can't load file <x>.zdk");
    EXPECT_EQ(shown, "Can't load file <x>.zdk");

    QString value = "proposed";
    WhenModal([&](QWidget& modal) {
        auto* edit = modal.findChild<QLineEdit*>();
        shown = edit->text();
        edit->setText("typed");
        QTest::keyClick(&modal, Qt::Key_Return);
    });
    EXPECT_TRUE(prompts.InputQuery("Rename", "New name:", value));
    EXPECT_EQ(shown, "proposed");
    EXPECT_EQ(value, "typed");
    WhenModal([&](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    EXPECT_FALSE(prompts.InputQuery("Rename", "New name:", value));
    EXPECT_EQ(value, "typed") << "a cancelled input box keeps the value";
}

} // namespace
} // namespace quillo
