#include "notebook/widgets/TFsure.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillo {

namespace {

// "No" ends a three-way question with this code; Yes accepts and everything else rejects.
constexpr int AnsweredNo = 2;

} // namespace

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
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
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
    m_cancel->setObjectName(QStringLiteral("Btn_cancel"));
    m_cancel->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    buttons->addWidget(m_cancel);
    m_layout->addWidget(m_question);
    m_layout->addLayout(buttons);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, [this] { done(m_threeWay ? AnsweredNo : Rejected); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFsure::Ask(const QString& question)
{
    m_threeWay = false;
    m_cancel->hide();
    SetQuestion(question);
    return exec() == QDialog::Accepted;
}

TAnswer TFsure::AskOrCancel(const QString& question, bool cancelButton)
{
    m_threeWay = true;
    m_cancel->setVisible(cancelButton);
    SetQuestion(question);
    const int result = exec();
    m_threeWay = false;
    m_cancel->hide();
    return result == Accepted ? TAnswer::Yes : result == AnsweredNo ? TAnswer::No : TAnswer::Cancel;
}

void TFsure::SetQuestion(const QString& question)
{
    m_question->setText(question);
    m_yes->setFocus();
}

} // namespace quillo
