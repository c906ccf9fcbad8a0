#pragma once

#include "notebook/NotebookEdits.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quillo {

// Name, title, grid width and feature of one field.
class TD_field_props : public QDialog, public IFieldPropsEditor {
    Q_OBJECT

public:
    explicit TD_field_props(QWidget* parent = nullptr);

    QLineEdit* Edit_field_name = nullptr;
    QLineEdit* Edit_field_title = nullptr;
    QSpinBox* SpinEdit_field_width = nullptr;
    QGroupBox* RG_features = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void Load(const TFieldProps& props);
    TFieldProps Result() const;
    bool TitleEdited() const { return m_titleEdited; }

    bool Execute(TFieldProps& props, bool& titleEdited) override;

private:
    QButtonGroup* m_features = nullptr;
    QStringList m_choices;
    // A stored feature that is none of the choices; kept unless the user picks one.
    QString m_otherFeature;
    bool m_titleEdited = false;
};

} // namespace quillo
