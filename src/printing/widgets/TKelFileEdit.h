#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quillo {

class IFileDialogs;

// A file-name box: editable text, an ellipsis button that opens a file-open dialog on that text and
// puts the chosen path into it, and a file dropped from the desktop. Every change of the text is
// signalled, whether typed, chosen or set.
class TKelFileEdit : public QWidget {
    Q_OBJECT

public:
    explicit TKelFileEdit(QWidget* parent = nullptr);

    QLineEdit* Edit = nullptr;
    QToolButton* Btn_ellipsis = nullptr;

    // Without file dialogs the ellipsis button does nothing.
    void SetFileDialogs(IFileDialogs* dialogs) { m_dialogs = dialogs; }
    // The caption and filter of the file-open dialog, in Qt's filter form.
    void SetDialog(const QString& caption, const QString& filter);

    QString Text() const;
    void SetText(const QString& text);

signals:
    void TextChanged(const QString& text);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ChooseFile();

    IFileDialogs* m_dialogs = nullptr;
    QString m_caption;
    QString m_filter;
};

} // namespace quillo
