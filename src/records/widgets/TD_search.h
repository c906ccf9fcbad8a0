#pragma once

#include "records/TRecordSearch.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillo {

class ILookupHost;
class TKelPigger;

// The search dialog: finds a text in the attribute values of the document or of the subtree of the guider's
// node, lists the hits and goes to one. Created once and reused; text, options and hits stay between uses.
// It is application modal but shown without a loop of its own, so the caller returns at once.
class TD_search : public QDialog {
    Q_OBJECT

public:
    // More hits are counted but not listed: the list would cost memory and time beyond use.
    static constexpr int MaxListedHits = 10000;

    explicit TD_search(ILookupHost& host, QWidget* parent = nullptr);

    // From the tool bar: the radio buttons keep their state. Shown only when root is set.
    void ShowSearch(TKelPigger* root, TKelPigger* current);
    // From the menus: global checks "Global search", else "Search down".
    void ShowSearch(TKelPigger* root, TKelPigger* current, bool global);
    // Forgets the hits and the nodes the dialog was given: the document is replaced or its shape changed.
    void DocumentChanged();

    bool IsSearching() const { return m_searching; }
    // Milliseconds of walking between two turns of the event loop; 0 turns it before every node.
    void SetSliceMs(int milliseconds) { m_sliceMs = milliseconds; }
    // The node a list item was found in.
    static TKelPigger* NodeOf(const QTreeWidgetItem* item);

    QLineEdit* Edit1;
    QRadioButton* RB_global;
    QRadioButton* RB_down;
    QCheckBox* CB_case;
    QCheckBox* CB_in_records;
    QPushButton* Btn_search;
    QPushButton* Btn_stop;
    QPushButton* Btn_go_to;
    QPushButton* CancelBtn;
    QTreeWidget* LV1;
    QLabel* Label_found;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateControls();
    void ClearList();
    void Search();
    bool AtSlice();
    void ListPending();
    void GoTo();
    void Present();

    ILookupHost& m_host;
    TKelPigger* m_root = nullptr;
    TKelPigger* m_current = nullptr;
    std::vector<TSearchHit> m_pending;
    qint64 m_found = 0;
    int m_sliceMs = 20;
    bool m_searching = false;
    bool m_stop = false;
    bool m_closeWhenStopped = false;
};

} // namespace quillo
