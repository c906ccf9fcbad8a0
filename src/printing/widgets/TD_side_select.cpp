#include "printing/widgets/TD_side_select.h"

#include "printing/PagePlacement.h"
#include "printing/widgets/TSideShape.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillo {

namespace {

// The pictured notebook: two pages of this size with a ring binding between them.
constexpr int PictureTop = 12;
constexpr int PageWidth = 110;
constexpr int PageHeight = 150;
constexpr int Gap = 16;

} // namespace

TD_side_select::TD_side_select(QWidget* parent)
    : QDialog(parent)
    , Shape_left(new TSideShape(this))
    , Shape_right(new TSideShape(this))
    , m_items(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("TD_side_select"));
    setWindowTitle(QStringLiteral("Page location"));
    auto* group = new QGroupBox(QStringLiteral("Print page as:"), this);
    group->setObjectName(QStringLiteral("RG1"));
    auto* groupLayout = new QVBoxLayout(group);
    const QString captions[]
        = { QStringLiteral("Left side of the notebook"), QStringLiteral("Right side of the notebook") };
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(captions[i], group);
        item->setObjectName(QStringLiteral("RG1_item%1").arg(i));
        m_items->addButton(item, i);
        groupLayout->addWidget(item);
    }
    Shape_left->setObjectName(QStringLiteral("Shape_left"));
    Shape_right->setObjectName(QStringLiteral("Shape_right"));
    connect(Shape_left, &TSideShape::Clicked, this, [this] { Select(0); });
    connect(Shape_right, &TSideShape::Clicked, this, [this] { Select(1); });
    connect(m_items, &QButtonGroup::idToggled, this, [this] { UpdateOutlines(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Btn_ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Btn_cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(PictureTop + PageHeight + 12);
    layout->addWidget(group);
    layout->addWidget(buttons);
    setMinimumWidth(2 * PageWidth + Gap + 40);
    setFixedHeight(sizeHint().height());
}

QRadioButton* TD_side_select::Item(int index) const { return qobject_cast<QRadioButton*>(m_items->button(index)); }

QString TD_side_select::ChoosePageSide(const QString& side)
{
    Select(side == PagePlacement::Left ? 0 : 1);
    if (exec() != QDialog::Accepted)
        return {};
    return m_items->checkedId() == 0 ? PagePlacement::Left : PagePlacement::Right;
}

void TD_side_select::Select(int index)
{
    Item(index)->setChecked(true);
    UpdateOutlines();
}

void TD_side_select::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect book = NotebookRect();
    Shape_left->setGeometry(book.left(), book.top(), PageWidth, PageHeight);
    Shape_right->setGeometry(book.right() + 1 - PageWidth, book.top(), PageWidth, PageHeight);
}

void TD_side_select::UpdateOutlines()
{
    Shape_left->SetOutlined(m_items->checkedId() == 0);
    Shape_right->SetOutlined(m_items->checkedId() == 1);
}

QRect TD_side_select::NotebookRect() const
{
    const int width = 2 * PageWidth + Gap;
    return QRect((this->width() - width) / 2, PictureTop, width, PageHeight);
}

void TD_side_select::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect book = NotebookRect();
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(QColor(0x8a, 0x5a, 0x3c));
    painter.drawRoundedRect(book.adjusted(-8, -8, 8, 8), 6, 6);
    painter.setBrush(Qt::white);
    const QRect pages[] = { QRect(book.left(), book.top(), PageWidth, PageHeight),
        QRect(book.right() + 1 - PageWidth, book.top(), PageWidth, PageHeight) };
    for (const QRect& page : pages) {
        painter.setPen(QPen(Qt::darkGray, 1));
        painter.drawRect(page.adjusted(4, 4, -4, -4));
        painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1));
        for (int y = page.top() + 24; y < page.bottom() - 8; y += 12)
            painter.drawLine(page.left() + 12, y, page.right() - 12, y);
    }
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 2));
    painter.setBrush(Qt::NoBrush);
    const int ringX = book.left() + PageWidth + Gap / 2;
    for (int y = book.top() + 20; y < book.bottom() - 10; y += 22)
        painter.drawEllipse(QPoint(ringX, y), Gap / 2 + 3, 4);
}

} // namespace quillo
