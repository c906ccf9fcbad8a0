#include "notebook/widgets/TQtPrompts.h"

#include "notebook/widgets/TDmsg.h"
#include "notebook/widgets/TFsure.h"
#include "notebook/widgets/TFsure_checked.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace quillo {

TQtPrompts::TQtPrompts(TFsure& sure, TFsure_checked& sureChecked, TDmsg& msg, QWidget* window)
    : m_sure(sure)
    , m_sureChecked(sureChecked)
    , m_msg(msg)
    , m_window(window)
{
}

bool TQtPrompts::Sure(const QString& question) { return m_sure.Ask(question); }

TAnswer TQtPrompts::SureOrCancel(const QString& question, bool cancelButton)
{
    return m_sure.AskOrCancel(question, cancelButton);
}

bool TQtPrompts::SureChecked(const QString& question) { return m_sureChecked.Ask(question); }

void TQtPrompts::Msg(const QString& message) { m_msg.Execute(message); }

void TQtPrompts::ShowMessage(const QString& message)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), message, QMessageBox::Ok, m_window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool TQtPrompts::InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_window, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

TQtFileDialogs::TQtFileDialogs(QWidget* window)
    : m_window(window)
{
}

QString TQtFileDialogs::OpenFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_window, caption, folder, filter);
}

QString TQtFileDialogs::SaveFileName(
    const QString& caption, const QString& folder, const QString& filter, const QString& proposedName)
{
    QFileDialog dialog(m_window, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
    dialog.setDefaultSuffix(firstPattern.match(filter).captured(1));
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace quillo
