#include "report/widgets/TForm_PageSetup.h"

#include "report/widgets/TFrame_Preview.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillo {

TForm_PageSetup::TForm_PageSetup(QWidget* parent)
    : QDialog(parent)
    , m_left(SpinEdit("ebLeftMargin", 50, 5))
    , m_right(SpinEdit("ebRightMargin", 50, 5))
    , m_top(SpinEdit("ebTopMargin", 50, 5))
    , m_bottom(SpinEdit("ebBottomMargin", 50, 5))
    , m_printZoom(SpinEdit("ebPrintZoom", 400, 10))
    , m_twoSide(new QCheckBox(QStringLiteral("Swap left and right mrgins at odd pages"), this))
    , m_horBreak(new QCheckBox(QStringLiteral("Enable horizontal page breaking"), this))
    , m_intersectLabel(new QLabel(QStringLiteral("Horizontal intersection size (mm):"), this))
    , m_intersect(SpinEdit("ebIntersectSize", 20, 5))
    , m_ok(new QPushButton(QStringLiteral("O&k"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("Form_PageSetup"));
    setWindowTitle(QStringLiteral("Page setup"));
    setModal(true);
    m_printZoom->setMinimum(10);
    m_twoSide->setObjectName(QStringLiteral("chTwoSidePrinting"));
    m_horBreak->setObjectName(QStringLiteral("chHorBreakMode"));
    m_intersectLabel->setObjectName(QStringLiteral("lIntersectSize"));
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_ok->setDefault(true);
    m_intersectLabel->setEnabled(false);
    m_intersect->setEnabled(false);

    auto* margins = new QGroupBox(QStringLiteral("Margins (mm)"), this);
    auto* marginsForm = new QFormLayout(margins);
    marginsForm->addRow(QStringLiteral("Left"), m_left);
    marginsForm->addRow(QStringLiteral("Right"), m_right);
    marginsForm->addRow(QStringLiteral("Top"), m_top);
    marginsForm->addRow(QStringLiteral("Bottom"), m_bottom);
    auto* zoom = new QGroupBox(QStringLiteral("Print zoom (%)"), this);
    (new QVBoxLayout(zoom))->addWidget(m_printZoom);
    auto* additional = new QGroupBox(QStringLiteral("Additional"), this);
    auto* additionalLayout = new QVBoxLayout(additional);
    additionalLayout->addWidget(m_twoSide);
    additionalLayout->addWidget(m_horBreak);
    auto* intersectRow = new QHBoxLayout;
    intersectRow->addWidget(m_intersectLabel);
    intersectRow->addWidget(m_intersect);
    additionalLayout->addLayout(intersectRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(margins);
    top->addWidget(zoom, 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(additional);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(m_horBreak, &QCheckBox::toggled, this, &TForm_PageSetup::HorBreakModeClick);
    connect(m_ok, &QPushButton::clicked, this, &TForm_PageSetup::OkClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QSpinBox* TForm_PageSetup::SpinEdit(const char* name, int maximum, int step)
{
    auto* edit = new QSpinBox(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(0, maximum);
    edit->setSingleStep(step);
    return edit;
}

void TForm_PageSetup::HorBreakModeClick()
{
    m_intersectLabel->setEnabled(m_horBreak->isChecked());
    m_intersect->setEnabled(m_horBreak->isChecked());
}

void TForm_PageSetup::LoadFrom(TFrame_Preview& frame)
{
    m_frame = &frame;
    m_left->setValue(frame.LeftMargin());
    m_right->setValue(frame.RightMargin());
    m_top->setValue(frame.TopMargin());
    m_bottom->setValue(frame.BottomMargin());
    m_printZoom->setValue(frame.PrintZoom());
    m_twoSide->setChecked(frame.TwoSidePrinting());
    m_horBreak->setChecked(frame.HorBreakMode());
    m_intersect->setValue(frame.IntersectSize());
    HorBreakModeClick();
}

void TForm_PageSetup::ApplyTo(TFrame_Preview& frame) const
{
    frame.BeginUpdate();
    try {
        frame.SetLeftMargin(m_left->value());
        frame.SetRightMargin(m_right->value());
        frame.SetTopMargin(m_top->value());
        frame.SetBottomMargin(m_bottom->value());
        frame.SetPrintZoom(m_printZoom->value());
        frame.SetTwoSidePrinting(m_twoSide->isChecked());
        frame.SetHorBreakMode(m_horBreak->isChecked());
        frame.SetIntersectSize(m_intersect->value());
    } catch (...) {
        frame.EndUpdate();
        throw;
    }
    frame.EndUpdate();
}

void TForm_PageSetup::OkClick()
{
    if (m_frame)
        ApplyTo(*m_frame);
    accept();
}

void TForm_PageSetup::Execute(TFrame_Preview& frame)
{
    LoadFrom(frame);
    exec();
}

} // namespace quillo
