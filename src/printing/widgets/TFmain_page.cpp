#include "printing/widgets/TFmain_page.h"

#include "notebook/IPrompts.h"
#include "printing/PagePlacement.h"
#include "printing/widgets/TShape.h"
#include "tree/TKelPigger.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quillo {

namespace {

// The sheet is drawn within this many pixels, scaled to its paper.
constexpr int SheetBoxWidth = 170;
constexpr int SheetBoxHeight = 240;
constexpr int SheetLeft = 8;
constexpr int SheetTop = 8;
constexpr int LabelRoom = 170;
// The binding margin drawn on the page, in millimetres.
constexpr int BindingMargin = 12;
// Margins are not bounded: the dialog warns when they put the page off the sheet.
constexpr int MarginLimit = 100000;

const QString WidthAttr = QStringLiteral("WIDTH");
const QString HeightAttr = QStringLiteral("HEIGHT");

} // namespace

TFmain_page::TFmain_page(IPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("TFmain_page"));
    setWindowTitle(QStringLiteral("Printing"));

    RB_right = new QRadioButton(QStringLiteral("Right-side page"), this);
    RB_right->setObjectName(QStringLiteral("RB_right"));
    RB_right->setChecked(true);
    RB_left = new QRadioButton(QStringLiteral("Left-side page"), this);
    RB_left->setObjectName(QStringLiteral("RB_left"));
    for (QRadioButton* button : { RB_right, RB_left })
        connect(button, &QRadioButton::clicked, this, &TFmain_page::draw_page_loaction);

    SE_printermargin_left = SpinEdit("SE_printermargin_left");
    SE_printermargin_right = SpinEdit("SE_printermargin_right");
    SE_printermargin_top = SpinEdit("SE_printermargin_top");
    auto* margins = new QGroupBox(QStringLiteral("Printer margins:"), this);
    auto* marginForm = new QFormLayout(margins);
    marginForm->addRow(QStringLiteral("Left :"), SE_printermargin_left);
    marginForm->addRow(QStringLiteral("Right :"), SE_printermargin_right);
    marginForm->addRow(QStringLiteral("Top :"), SE_printermargin_top);
    for (QSpinBox* edit : { SE_printermargin_left, SE_printermargin_right, SE_printermargin_top })
        connect(edit, &QSpinBox::valueChanged, this, &TFmain_page::draw_page_loaction);

    SE_width = SpinEdit("SE_width");
    SE_height = SpinEdit("SE_height");
    auto* sizes = new QWidget(this);
    auto* sizeForm = new QFormLayout(sizes);
    sizeForm->addRow(QStringLiteral("Notebook page width"), SE_width);
    sizeForm->addRow(QStringLiteral("Notebook page height"), SE_height);
    for (QSpinBox* edit : { SE_width, SE_height })
        edit->setReadOnly(true);
    sizes->hide();

    m_picture = new QWidget(this);
    m_picture->setObjectName(QStringLiteral("Image_sheet"));
    m_picture->setFixedSize(SheetLeft + SheetBoxWidth + LabelRoom, SheetTop + SheetBoxHeight + 8);
    const QBrush hatch(QColor(0x90, 0x90, 0x90), Qt::BDiagPattern);
    Shape_printerpage = new TShape(QStringLiteral("Shape_printerpage"), Qt::white, QPen(Qt::black), m_picture);
    Shape_printermarginleft = new TShape(QStringLiteral("Shape_printermarginleft"), hatch, Qt::NoPen, m_picture);
    Shape_printermarginright = new TShape(QStringLiteral("Shape_printermarginright"), hatch, Qt::NoPen, m_picture);
    Shape_printermargintop = new TShape(QStringLiteral("Shape_printermargintop"), hatch, Qt::NoPen, m_picture);
    Shape_notebookpage = new TShape(
        QStringLiteral("Shape_notebookpage"), QColor(0xff, 0xf6, 0xd5), QPen(QColor(0x80, 0x60, 0x20)), m_picture);
    Shape_notebookmargin
        = new TShape(QStringLiteral("Shape_notebookmargin"), QColor(0xe0, 0xc8, 0x90), Qt::NoPen, m_picture);
    const auto label = [this](const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text), m_picture);
        l->adjustSize();
        return l;
    };
    m_pageLabel = label("<--Notebook page");
    m_marginLabel = label("<--Notebook margin");
    m_leftLabel = label("<--Printer margin left");
    m_rightLabel = label("<--Printer margin right");
    m_topLabel = label("<--Printer margin top");

    Btn_ok = new QPushButton(QStringLiteral("Ok"), this);
    Btn_ok->setObjectName(QStringLiteral("Btn_ok"));
    Btn_ok->setDefault(true);
    btn_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    btn_cancel->setObjectName(QStringLiteral("btn_cancel"));
    connect(Btn_ok, &QPushButton::clicked, this, &TFmain_page::OkClick);
    connect(btn_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* controls = new QVBoxLayout;
    controls->addWidget(RB_right);
    controls->addWidget(RB_left);
    controls->addWidget(margins);
    controls->addWidget(sizes);
    controls->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(controls);
    top->addWidget(m_picture);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_ok);
    buttons->addWidget(btn_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    draw_page_loaction();
}

QSpinBox* TFmain_page::SpinEdit(const char* name)
{
    auto* edit = new QSpinBox(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(-MarginLimit, MarginLimit);
    return edit;
}

void TFmain_page::SetSheet(int paperWidth, int paperHeight, int bandWidth)
{
    m_paperWidth = std::max(1, paperWidth);
    m_paperHeight = std::max(1, paperHeight);
    m_bandWidth = bandWidth;
    draw_page_loaction();
}

QString TFmain_page::Side() const { return RB_left->isChecked() ? PagePlacement::Left : PagePlacement::Right; }

bool TFmain_page::PlacePage(TKelPigger* page, int& left, int& top, int& right)
{
    if (!page)
        return false;
    SE_width->setValue(PagePlacement::PageSize(*page, WidthAttr, PagePlacement::DefaultPageWidth));
    SE_height->setValue(PagePlacement::PageSize(*page, HeightAttr, PagePlacement::DefaultPageHeight));
    SE_printermargin_left->setValue(left);
    SE_printermargin_right->setValue(right);
    SE_printermargin_top->setValue(top);
    draw_page_loaction();
    if (exec() != QDialog::Accepted)
        return false;
    left = SE_printermargin_left->value();
    right = SE_printermargin_right->value();
    top = SE_printermargin_top->value();
    page->SetAttr(HeightAttr, QString::number(SE_height->value()));
    page->SetAttr(WidthAttr, QString::number(SE_width->value()));
    return true;
}

void TFmain_page::OkClick()
{
    const QString warning = PagePlacement::FitWarning(
        Side(), m_paperWidth, m_bandWidth, SE_printermargin_left->value(), SE_printermargin_right->value());
    if (!warning.isEmpty() && !m_prompts.Sure(warning + QStringLiteral("\nPrint anyway?"))) {
        SE_printermargin_left->setFocus();
        return;
    }
    accept();
}

void TFmain_page::draw_page_loaction()
{
    const double scale = std::min(double(SheetBoxWidth) / m_paperWidth, double(SheetBoxHeight) / m_paperHeight);
    const auto px = [scale](int mm) { return int(std::lround(std::max(0, mm) * scale)); };
    const int sheetWidth = px(m_paperWidth);
    const int sheetHeight = px(m_paperHeight);
    const int left = SE_printermargin_left->value();
    const int right = SE_printermargin_right->value();
    const int top = SE_printermargin_top->value();
    Shape_printerpage->setGeometry(SheetLeft, SheetTop, sheetWidth, sheetHeight);
    Shape_printermarginleft->setGeometry(SheetLeft + 1, SheetTop + 1, px(left), sheetHeight - 2);
    Shape_printermarginright->setGeometry(
        SheetLeft + sheetWidth - 1 - px(right), SheetTop + 1, px(right), sheetHeight - 2);
    Shape_printermargintop->setGeometry(SheetLeft + 1, SheetTop + 1, sheetWidth - 2, px(top));

    const bool leftSide = RB_left->isChecked();
    const int pageLeft = leftSide ? SheetLeft + sheetWidth - px(right) - px(m_bandWidth) : SheetLeft + px(left);
    const QRect page(pageLeft, SheetTop + px(top), px(m_bandWidth), px(SE_height->value()));
    Shape_notebookpage->setGeometry(page);
    const int binding = px(BindingMargin);
    const QRect margin(leftSide ? page.right() + 1 - binding : page.left(), page.top(), binding, page.height());
    Shape_notebookmargin->setGeometry(margin);

    m_pageLabel->move(page.right() + 2, page.top() + page.height() / 3);
    m_marginLabel->move(margin.left() + 7, page.top() + page.height() / 2);
    // Each arrow points at the hatched margin it names.
    const int outside = SheetLeft + sheetWidth + 2;
    const int bottom = SheetTop + sheetHeight;
    m_topLabel->move(outside, SheetTop + px(top) / 2 - m_topLabel->height() / 2);
    m_leftLabel->move(SheetLeft + 1 + px(left) + 2, bottom - 2 * m_leftLabel->height() - 6);
    m_rightLabel->move(outside, bottom - m_rightLabel->height() - 4);
    for (QLabel* label : { m_pageLabel, m_marginLabel, m_leftLabel, m_rightLabel, m_topLabel })
        label->raise();
}

} // namespace quillo
