#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quillo {

class IPrompts;
class TKelPigger;
class TShape;

// "Printing": the side of the notebook a page is printed for and the printer margins, with a picture of
// where the page lands on the sheet. Margins that put the page off the sheet or into the margins are
// warned about on "Ok"; the user may go on or correct them.
class TFmain_page : public QDialog {
    Q_OBJECT
public:
    explicit TFmain_page(IPrompts& prompts, QWidget* parent = nullptr);

    // The paper the page is printed on (millimetres, as oriented) and the template's page width.
    void SetSheet(int paperWidth, int paperHeight, int bandWidth);
    // Shows the dialog with the margins; on "Ok" returns true with the margins the user confirmed and
    // writes the page size to page. False at once for a null page.
    bool PlacePage(TKelPigger* page, int& left, int& top, int& right);
    // "RIGHT" or "LEFT", as the radio buttons say.
    QString Side() const;

    QRadioButton* RB_right = nullptr;
    QRadioButton* RB_left = nullptr;
    QSpinBox* SE_printermargin_left = nullptr;
    QSpinBox* SE_printermargin_right = nullptr;
    QSpinBox* SE_printermargin_top = nullptr;
    QSpinBox* SE_width = nullptr;
    QSpinBox* SE_height = nullptr;
    QPushButton* Btn_ok = nullptr;
    QPushButton* btn_cancel = nullptr;

private:
    QSpinBox* SpinEdit(const char* name);
    void OkClick();
    void draw_page_loaction();

    IPrompts& m_prompts;
    int m_paperWidth = 210;
    int m_paperHeight = 297;
    int m_bandWidth = 95;
    QWidget* m_picture = nullptr;
    TShape* Shape_printerpage = nullptr;
    TShape* Shape_printermarginleft = nullptr;
    TShape* Shape_printermarginright = nullptr;
    TShape* Shape_printermargintop = nullptr;
    TShape* Shape_notebookpage = nullptr;
    TShape* Shape_notebookmargin = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_marginLabel = nullptr;
    QLabel* m_leftLabel = nullptr;
    QLabel* m_rightLabel = nullptr;
    QLabel* m_topLabel = nullptr;
};

} // namespace quillo
