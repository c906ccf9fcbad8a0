#include "printing/widgets/TKelFileEdit.h"

#include "notebook/IPrompts.h"
#include "notebook/ProgramPaths.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>

namespace quillo {

namespace {

// The one local file a drag carries, or an empty string.
QString DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return QString();
    return data->urls().constFirst().toLocalFile();
}

} // namespace

TKelFileEdit::TKelFileEdit(QWidget* parent)
    : QWidget(parent)
    , m_caption(QStringLiteral("Open"))
    , m_filter(QStringLiteral("All files (*)"))
{
    Edit = new QLineEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    // The box takes the drop as a whole file name, not as text inserted at the cursor.
    Edit->setAcceptDrops(false);
    Btn_ellipsis = new QToolButton(this);
    Btn_ellipsis->setObjectName(QStringLiteral("Btn_ellipsis"));
    Btn_ellipsis->setText(QStringLiteral("..."));
    Btn_ellipsis->setToolTip(QStringLiteral("Choose a file"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(Edit, 1);
    layout->addWidget(Btn_ellipsis);
    setFocusProxy(Edit);
    setAcceptDrops(true);
    connect(Edit, &QLineEdit::textChanged, this, &TKelFileEdit::TextChanged);
    connect(Btn_ellipsis, &QToolButton::clicked, this, &TKelFileEdit::ChooseFile);
}

void TKelFileEdit::SetDialog(const QString& caption, const QString& filter)
{
    m_caption = caption;
    m_filter = filter;
}

QString TKelFileEdit::Text() const { return Edit->text(); }

void TKelFileEdit::SetText(const QString& text) { Edit->setText(text); }

void TKelFileEdit::ChooseFile()
{
    if (!m_dialogs)
        return;
    // The dialog opens where the current name points (relative names as the program finds them).
    const QString current = Text().trimmed();
    const QString chosen
        = m_dialogs->OpenFileName(m_caption, current.isEmpty() ? QString() : ProgramPaths::Resolve(current), m_filter);
    if (!chosen.isEmpty())
        SetText(chosen);
}

void TKelFileEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TKelFileEdit::dropEvent(QDropEvent* event)
{
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    SetText(file);
    event->acceptProposedAction();
}

} // namespace quillo
