#pragma once

#include "notebook/IPrompts.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace quillo {

// The confirmation dialog: a question with "Yes" (the default) and "No", and for questions that can be
// backed out of, "Cancel". Created once and reused.
class TFsure : public QDialog {
    Q_OBJECT
public:
    explicit TFsure(QWidget* parent = nullptr);

    // Shows the question and waits; true only when "Yes" was pressed.
    bool Ask(const QString& question);
    // Esc and the close box answer Cancel, not "No"; cancelButton shows "Cancel" as a button too.
    TAnswer AskOrCancel(const QString& question, bool cancelButton);
    // Puts up the question without waiting; Ask starts with it.
    virtual void SetQuestion(const QString& question);

protected:
    TFsure(const QString& objectName, QWidget* parent);

    QVBoxLayout* m_layout;
    QLabel* m_question;
    QPushButton* m_yes;
    QPushButton* m_no;
    QPushButton* m_cancel;
    // While true, "No" is told apart from escaping the question.
    bool m_threeWay = false;
};

} // namespace quillo
