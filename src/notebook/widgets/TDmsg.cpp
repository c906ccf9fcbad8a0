#include "notebook/widgets/TDmsg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillo {

TDmsg::TDmsg(QWidget* parent)
    : QDialog(parent)
    , m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("TDmsg"));
    setWindowTitle(QStringLiteral("Message:"));
    setModal(true);
    setMinimumWidth(320);
    m_message->setObjectName(QStringLiteral("Label_message"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Btn_ok"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TDmsg::Execute(const QString& message)
{
    SetMessage(message);
    exec();
}

void TDmsg::SetMessage(const QString& message) { m_message->setText(message); }

} // namespace quillo
