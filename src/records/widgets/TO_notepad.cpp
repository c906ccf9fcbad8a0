#include "records/widgets/TO_notepad.h"

#include "tree/TKelPigger.h"

#include <QLabel>
#include <QVBoxLayout>

namespace quillo {

TO_notepad::TO_notepad(QWidget* parent)
    : QFrame(parent)
{
    auto* placeholder = new QLabel(QStringLiteral("The records of this page appear here"), this);
    placeholder->setObjectName(QStringLiteral("Label_placeholder"));
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setEnabled(false);
    (new QVBoxLayout(this))->addWidget(placeholder);
}

void TO_notepad::OpenNotebook()
{
    if (!m_notebook)
        return;
    m_rightTabs = m_notebook->GetAttr(QStringLiteral("RIGHT_TAB_POSITION")) == QLatin1String("Y");
    m_pageName.clear();
    m_active = true;
}

void TO_notepad::CloseNotebook()
{
    if (!m_notebook)
        return;
    m_notebook = nullptr;
    m_active = false;
}

void TO_notepad::SelectPageByName(const QString& name) { m_pageName = name; }

} // namespace quillo
