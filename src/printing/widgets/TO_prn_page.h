#pragma once

#include <QFrame>

namespace quillo {

class TKelPigger;

// The print-template frame of the page settings. For now it only remembers its notebook; the
// template chooser and the sample preview fill this frame.
class TO_prn_page : public QFrame {
    Q_OBJECT

public:
    explicit TO_prn_page(QWidget* parent = nullptr);

    void SetNotebook(TKelPigger* notebook) { m_notebook = notebook; }
    TKelPigger* Notebook() const { return m_notebook; }

private:
    TKelPigger* m_notebook = nullptr;
};

} // namespace quillo
