#include "printing/widgets/TO_prn_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace quillo {

TO_prn_page::TO_prn_page(QWidget* parent)
    : QFrame(parent)
{
    auto* placeholder = new QLabel(
        QStringLiteral("The print template of this notebook and a sample of a printed page appear here"), this);
    placeholder->setObjectName(QStringLiteral("Label_placeholder"));
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setWordWrap(true);
    placeholder->setEnabled(false);
    (new QVBoxLayout(this))->addWidget(placeholder);
}

} // namespace quillo
