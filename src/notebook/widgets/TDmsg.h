#pragma once

#include <QDialog>

class QLabel;

namespace quillo {

// The message dialog: a message and one "OK" button. Created once and reused.
class TDmsg : public QDialog {
    Q_OBJECT
public:
    explicit TDmsg(QWidget* parent = nullptr);

    // Shows the message and waits for "OK".
    void Execute(const QString& message);
    // Puts up the message without waiting; Execute starts with it.
    void SetMessage(const QString& message);

private:
    QLabel* m_message;
};

} // namespace quillo
