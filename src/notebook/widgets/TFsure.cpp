#include "notebook/widgets/TFsure.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillo {

TFsure::TFsure(QWidget* parent)
    : TFsure(QStringLiteral("TFsure"), parent)
{
}

TFsure::TFsure(const QString& objectName, QWidget* parent)
    : QDialog(parent)
    , m_layout(new QVBoxLayout(this))
    , m_question(new QLabel(this))
    , m_yes(new QPushButton(QStringLiteral("Yes"), this))
    , m_no(new QPushButton(QStringLiteral("No"), this))
{
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Confirmation:"));
    setModal(true);
    setMinimumWidth(320);
    m_question->setObjectName(QStringLiteral("Label_question"));
    m_question->setWordWrap(true);
    m_question->setTextFormat(Qt::PlainText);
    m_yes->setObjectName(QStringLiteral("Btn_yes"));
    m_yes->setDefault(true);
    m_no->setObjectName(QStringLiteral("Btn_no"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    m_layout->addWidget(m_question);
    m_layout->addLayout(buttons);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFsure::Ask(const QString& question)
{
    SetQuestion(question);
    return exec() == QDialog::Accepted;
}

void TFsure::SetQuestion(const QString& question)
{
    m_question->setText(question);
    m_yes->setFocus();
}

} // namespace quillo
