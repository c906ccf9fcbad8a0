#pragma once

#include "printing/TPassedParams.h"

#include <QFrame>

class QLabel;
class QPushButton;

namespace quillo {

class IDesktop;
class IFileDialogs;
class IPrompts;
class TFrame_Preview;
class TKelFileEdit;
class TEditHistory;
class TKelPigger;

// The print template of a notebook: the template file box, a sample page of the template run on the
// notebook, and the parameters every template run is passed (the side and the records per page).
// A non-empty file name is stored in the notebook's PRINT_TEMPLATE as it is typed or chosen.
class TO_prn_page : public QFrame {
    Q_OBJECT

public:
    explicit TO_prn_page(QWidget* parent = nullptr);
    ~TO_prn_page() override;

    QLabel* Label_template = nullptr;
    TKelFileEdit* KelFileEdit1 = nullptr;
    QPushButton* SB_show_template = nullptr;
    QPushButton* SB_build_template = nullptr;
    TFrame_Preview* Frame_Preview1 = nullptr;

    // The seams for the error messages and the New template question, the file-open dialog and the
    // template reference.
    void SetServices(IPrompts* prompts, IFileDialogs* fileDialogs, IDesktop* desktop);
    // Where a typed template name is recorded as an undo step.
    void SetHistory(TEditHistory* history) { m_history = history; }

    // Shows notebook's template (the default one when it names none, or for no notebook) and an empty
    // sample.
    void SetNotebook(TKelPigger* notebook);
    TKelPigger* Notebook() const { return m_notebook; }
    // The trimmed text of the file box.
    QString TemplateFileName() const;

    TPassedParams& PassedParams() { return m_params; }
    void ClearParams() { m_params.Clear(); }
    void SetParam(const QString& name, const QString& value, const QString& type = QStringLiteral("STRING"))
    {
        m_params.Set(name, value, type);
    }

    // Runs the template once on the notebook (as a right-hand page) and shows the first page it
    // makes. A failure is told, leaves the sample empty and empties the file box.
    void ShowTemplate();
    // Empties the file box after a template failed elsewhere; the notebook keeps its PRINT_TEMPLATE.
    void ClearFileBox();

signals:
    // ShowTemplate ran on a file name, whether the template worked or not.
    void TemplateShown();
    // The user typed or chose a file name that changed the notebook's PRINT_TEMPLATE; showing a
    // notebook never signals it.
    void TemplateEdited();

private:
    void FileNameChanged(const QString& text);
    void ClearSample();
    // Tells why the sample could not be made; the box is emptied.
    void Failed(const QString& message);
    void AskNewTemplate();

    IPrompts* m_prompts = nullptr;
    IDesktop* m_desktop = nullptr;
    TEditHistory* m_history = nullptr;
    TKelPigger* m_notebook = nullptr;
    bool m_showingNotebook = false;
    TPassedParams m_params;
};

} // namespace quillo
