#include "notebook/widgets/TD_field_props.h"

#include "notebook/NotebookSchema.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillo {

namespace {

const QString NoFeatures = QStringLiteral("No features");

} // namespace

TD_field_props::TD_field_props(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TD_field_props"));
    setWindowTitle(QStringLiteral("Field properties"));

    Edit_field_name = new QLineEdit(this);
    Edit_field_name->setObjectName(QStringLiteral("Edit_field_name"));
    Edit_field_title = new QLineEdit(this);
    Edit_field_title->setObjectName(QStringLiteral("Edit_field_title"));
    SpinEdit_field_width = new QSpinBox(this);
    SpinEdit_field_width->setObjectName(QStringLiteral("SpinEdit_field_width"));
    // Beyond the widest screens a column only hides the others.
    SpinEdit_field_width->setRange(0, NotebookSchema::MaxFieldWidth);
    SpinEdit_field_width->setSuffix(QStringLiteral(" px"));
    auto* widthRange
        = new QLabel(QStringLiteral("0 to %1; 0 is the default width").arg(NotebookSchema::MaxFieldWidth), this);
    widthRange->setObjectName(QStringLiteral("Label_width_range"));
    RG_features = new QGroupBox(QStringLiteral("Filed features"), this);
    RG_features->setObjectName(QStringLiteral("RG_features"));
    m_features = new QButtonGroup(this);
    auto* featureLayout = new QVBoxLayout(RG_features);
    m_choices.append(NoFeatures);
    for (const QLatin1StringView feature : NotebookSchema::Features)
        m_choices.append(feature);
    for (int i = 0; i < m_choices.size(); ++i) {
        auto* choice = new QRadioButton(m_choices[i], RG_features);
        m_features->addButton(choice, i);
        featureLayout->addWidget(choice);
    }

    auto* buttons = new QDialogButtonBox(this);
    OKBtn = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Field name:"), Edit_field_name);
    form->addRow(QStringLiteral("Alternative field title:"), Edit_field_title);
    auto* width = new QHBoxLayout;
    width->addWidget(SpinEdit_field_width);
    width->addWidget(widthRange, 1);
    form->addRow(QStringLiteral("Field width in the grid:"), width);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(RG_features);
    layout->addWidget(buttons);

    connect(Edit_field_title, &QLineEdit::textEdited, this, [this] { m_titleEdited = true; });
}

void TD_field_props::Load(const TFieldProps& props)
{
    Edit_field_name->setText(props.name);
    Edit_field_title->setText(props.title);
    m_titleEdited = false;
    SpinEdit_field_width->setValue(props.width);
    m_otherFeature.clear();
    const int choice = props.feature.isEmpty() ? 0 : int(m_choices.indexOf(props.feature, 1));
    if (choice >= 0) {
        m_features->button(choice)->setChecked(true);
        return;
    }
    // An unknown feature: no choice is shown, and the value stays unless one is picked.
    m_otherFeature = props.feature;
    m_features->setExclusive(false);
    for (QAbstractButton* button : m_features->buttons())
        button->setChecked(false);
    m_features->setExclusive(true);
}

TFieldProps TD_field_props::Result() const
{
    TFieldProps props;
    props.name = Edit_field_name->text();
    props.title = Edit_field_title->text();
    props.width = SpinEdit_field_width->value();
    const int choice = m_features->checkedId();
    props.feature = choice < 0 ? m_otherFeature : choice == 0 ? QString() : m_choices[choice];
    return props;
}

bool TD_field_props::Execute(TFieldProps& props, bool& titleEdited)
{
    Load(props);
    Edit_field_name->setFocus();
    Edit_field_name->selectAll();
    if (exec() != QDialog::Accepted)
        return false;
    props = Result();
    titleEdited = m_titleEdited;
    return true;
}

} // namespace quillo
