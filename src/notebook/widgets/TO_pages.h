#pragma once

#include "notebook/widgets/TO_list.h"

namespace quillo {

// The page list of a notebook: new, rename, delete and move pages.
class TO_pages : public TO_list {
    Q_OBJECT

public:
    TO_pages(IMainWindow& main, QWidget* parent = nullptr);

    QPushButton* Btn_new_page = nullptr;
    QPushButton* Btn_delete_page = nullptr;

    void NewPage();
    void RenamePage();
    void DeletePage();

protected:
    void UpdateButtons() override;
};

} // namespace quillo
