#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace quillo {

// The confirmation dialog: a question with "Yes" (the default) and "No". Created once and reused.
class TFsure : public QDialog {
    Q_OBJECT
public:
    explicit TFsure(QWidget* parent = nullptr);

    // Shows the question and waits; true only when "Yes" was pressed.
    bool Ask(const QString& question);
    // Puts up the question without waiting; Ask starts with it.
    virtual void SetQuestion(const QString& question);

protected:
    TFsure(const QString& objectName, QWidget* parent);

    QVBoxLayout* m_layout;
    QLabel* m_question;
    QPushButton* m_yes;
    QPushButton* m_no;
};

} // namespace quillo
