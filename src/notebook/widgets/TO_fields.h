#pragma once

#include "notebook/widgets/TO_list.h"

namespace quillo {

class IFieldPropsEditor;

// The field list of a notebook: new, delete, move, and the properties of one field. Records
// follow renames and deletions.
class TO_fields : public TO_list {
    Q_OBJECT

public:
    TO_fields(IMainWindow& main, QWidget* parent = nullptr);

    QPushButton* Btn_new_field = nullptr;
    QPushButton* Btn_delete_field = nullptr;

    void SetPropsEditor(IFieldPropsEditor* editor) { m_editor = editor; }

    void NewField();
    void DeleteField();
    void ChangeField();

protected:
    void UpdateButtons() override;

private:
    void RenameField(TKelPigger& field, const QString& newName);

    IFieldPropsEditor* m_editor = nullptr;
};

} // namespace quillo
