#include "notebook/widgets/TFsure_checked.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillo {

TFsure_checked::TFsure_checked(QWidget* parent)
    : TFsure(QStringLiteral("TFsure_checked"), parent)
    , m_sure(new QCheckBox(QStringLiteral("Yes, I'm sure"), this))
{
    m_sure->setObjectName(QStringLiteral("CB_sure"));
    m_layout->insertWidget(1, m_sure);
    m_yes->setEnabled(false);
    connect(m_sure, &QCheckBox::toggled, m_yes, &QPushButton::setEnabled);
}

void TFsure_checked::SetQuestion(const QString& question)
{
    TFsure::SetQuestion(question);
    m_sure->setChecked(false);
    m_yes->setEnabled(false);
    m_sure->setFocus();
}

} // namespace quillo
