#pragma once

#include "notebook/IPrompts.h"

class QWidget;

namespace quillo {

class TFsure;
class TFsure_checked;
class TDmsg;

// Questions and messages through the program's shared dialogs, and the platform's message and input boxes
// over the given window.
class TQtPrompts : public IPrompts {
public:
    TQtPrompts(TFsure& sure, TFsure_checked& sureChecked, TDmsg& msg, QWidget* window = nullptr);

    bool Sure(const QString& question) override;
    TAnswer SureOrCancel(const QString& question, bool cancelButton) override;
    bool SureChecked(const QString& question) override;
    void Msg(const QString& message) override;
    void ShowMessage(const QString& message) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& value) override;

private:
    TFsure& m_sure;
    TFsure_checked& m_sureChecked;
    TDmsg& m_msg;
    QWidget* m_window;
};

// File choices through the platform's file dialogs.
class TQtFileDialogs : public IFileDialogs {
public:
    explicit TQtFileDialogs(QWidget* window = nullptr);

    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    // Asks before overwriting; a name typed without extension gets that of the filter's first pattern.
    QString SaveFileName(
        const QString& caption, const QString& folder, const QString& filter, const QString& proposedName) override;

private:
    QWidget* m_window;
};

} // namespace quillo
