#include "ui/TF_about.h"

#include "notebook/widgets/QuilloIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillo {

TF_about::TF_about(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TF_about"));
    setWindowTitle(QStringLiteral("About"));

    auto* picture = new QLabel(this);
    picture->setPixmap(QuilloIcons::ToolIcon(QuilloIcons::Tool::Program).pixmap(48, 48));
    Label_product = new QLabel(QStringLiteral("QUILLO-ZDK"), this);
    Label_product->setObjectName(QStringLiteral("Label_product"));
    QFont productFont = Label_product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.6);
    Label_product->setFont(productFont);
    Label_edition = new QLabel(QStringLiteral("Address-book notebook, desktop edition"), this);
    Label_edition->setObjectName(QStringLiteral("Label_edition"));
    Label_version = new QLabel(QStringLiteral("Version %1").arg(Version()), this);
    Label_version->setObjectName(QStringLiteral("Label_version"));
    Label_webpage = new QLabel(QStringLiteral("<a href=\"guide\">User guide</a>"), this);
    Label_webpage->setObjectName(QStringLiteral("Label_webpage"));
    Label_webpage->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(Label_webpage, &QLabel::linkActivated, this, &TF_about::GuideWanted);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Btn_ok"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label_product);
    texts->addWidget(Label_edition);
    texts->addWidget(Label_version);
    texts->addSpacing(8);
    texts->addWidget(Label_webpage);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TF_about::Version() { return QStringLiteral("0.1.0"); }

} // namespace quillo
