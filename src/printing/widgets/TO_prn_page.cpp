#include "printing/widgets/TO_prn_page.h"

#include "notebook/IPrompts.h"
#include "notebook/NotebookSchema.h"
#include "notebook/ProgramPaths.h"
#include "notebook/TEditHistory.h"
#include "printing/NewTemplateQuestion.h"
#include "printing/widgets/TKelFileEdit.h"
#include "report/widgets/TFrame_Preview.h"
#include "reportgen/ETemplateError.h"
#include "reportgen/TRepGenPig.h"
#include "tree/EKelPiggerError.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace quillo {

namespace {

const QString PrintTemplate = QStringLiteral("PRINT_TEMPLATE");
// Room around the sample page, in millimetres.
constexpr int SampleMargin = 10;

// A reading fault names the file and where in it the fault lies.
void LoadTemplate(TKelReportGenerator& generator, const QString& fileName)
{
    try {
        generator.LoadTemplate(ProgramPaths::Resolve(fileName));
    } catch (const EKelPiggerError& error) {
        throw EKelError(QStringLiteral("%1: %2 at byte %3").arg(fileName, error.Message()).arg(error.Position));
    }
}

} // namespace

TO_prn_page::TO_prn_page(QWidget* parent)
    : QFrame(parent)
{
    Label_template = new QLabel(QStringLiteral("Page template file:"), this);
    Label_template->setObjectName(QStringLiteral("Label_template"));
    KelFileEdit1 = new TKelFileEdit(this);
    KelFileEdit1->setObjectName(QStringLiteral("KelFileEdit1"));
    KelFileEdit1->SetDialog(
        QStringLiteral("Print template"), QStringLiteral("Notebook page templates (*.zdkt *.ZDKT);;All files (*)"));
    Label_template->setBuddy(KelFileEdit1->Edit);
    SB_show_template = new QPushButton(QStringLiteral("Show template"), this);
    SB_show_template->setObjectName(QStringLiteral("SB_show_template"));
    SB_build_template = new QPushButton(QStringLiteral("New template"), this);
    SB_build_template->setObjectName(QStringLiteral("SB_build_template"));
    Frame_Preview1 = new TFrame_Preview(this);
    Frame_Preview1->setObjectName(QStringLiteral("Frame_Preview1"));
    Frame_Preview1->setFrameShape(QFrame::StyledPanel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label_template, 0, 0);
    layout->addWidget(KelFileEdit1, 0, 1);
    layout->addWidget(SB_show_template, 0, 2);
    layout->addWidget(SB_build_template, 0, 3);
    layout->addWidget(Frame_Preview1, 1, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    connect(KelFileEdit1, &TKelFileEdit::TextChanged, this, &TO_prn_page::FileNameChanged);
    connect(SB_show_template, &QPushButton::clicked, this, &TO_prn_page::ShowTemplate);
    connect(SB_build_template, &QPushButton::clicked, this, &TO_prn_page::AskNewTemplate);
}

TO_prn_page::~TO_prn_page() = default;

void TO_prn_page::SetServices(IPrompts* prompts, IFileDialogs* fileDialogs, IDesktop* desktop)
{
    m_prompts = prompts;
    m_desktop = desktop;
    KelFileEdit1->SetFileDialogs(fileDialogs);
}

void TO_prn_page::SetNotebook(TKelPigger* notebook)
{
    ClearSample();
    m_notebook = notebook;
    const QString stored = notebook ? notebook->GetAttr(PrintTemplate).trimmed() : QString();
    // Setting the text that is already there signals no change; the store below must still happen.
    const QString text = stored.isEmpty() ? QString(NotebookSchema::DefaultPrintTemplate) : stored;
    m_showingNotebook = true;
    if (KelFileEdit1->Text() == text)
        FileNameChanged(text);
    else
        KelFileEdit1->SetText(text);
    m_showingNotebook = false;
}

QString TO_prn_page::TemplateFileName() const { return KelFileEdit1->Text().trimmed(); }

void TO_prn_page::FileNameChanged(const QString& text)
{
    ClearSample();
    const QString name = text.trimmed();
    if (!m_notebook || name.isEmpty() || m_notebook->GetAttr(PrintTemplate) == name)
        return;
    // Typing goes on as one step; showing a notebook stores its default without one.
    TEditStep step(m_showingNotebook ? nullptr : m_history, QStringLiteral("Change print template"), *m_notebook, true);
    m_notebook->SetAttr(PrintTemplate, name);
    // Without this a typed path would be lost on Exit, which asks only about changed documents.
    if (!m_showingNotebook)
        emit TemplateEdited();
}

void TO_prn_page::ClearSample()
{
    Frame_Preview1->BeginUpdate();
    Frame_Preview1->LoadDocument(QByteArray());
    Frame_Preview1->SetPage(-1);
    Frame_Preview1->EndUpdate();
}

void TO_prn_page::ShowTemplate()
{
    const QString fileName = TemplateFileName();
    if (fileName.isEmpty())
        return;
    ClearParams();
    m_params.SetPageParams(QStringLiteral("RIGHT"), m_notebook);
    try {
        QByteArray output;
        {
            TRepGenPig generator;
            LoadTemplate(generator, fileName);
            generator.SetDataNode(m_notebook);
            generator.SetPassedParams(&m_params.Node());
            generator.Execute();
            output = generator.TakeOutput();
        }
        {
            Frame_Preview1->BeginUpdate();
            const auto refresh = qScopeGuard([this] { Frame_Preview1->EndUpdate(); });
            Frame_Preview1->SetTopMargin(SampleMargin);
            Frame_Preview1->SetLeftMargin(SampleMargin);
            Frame_Preview1->LoadDocument(output);
        }
        // The pages are counted once the view is laid out.
        Frame_Preview1->SetPage(0);
    } catch (const EKelError& error) {
        Failed(WindowMessage(error));
    } catch (const std::exception& error) {
        Failed(QString::fromUtf8(error.what()));
    }
    emit TemplateShown();
}

void TO_prn_page::Failed(const QString& message)
{
    ClearFileBox();
    if (m_prompts)
        m_prompts->ShowMessage(message);
}

void TO_prn_page::ClearFileBox()
{
    // An emptied box stores nothing.
    KelFileEdit1->SetText(QString());
    ClearSample();
}

void TO_prn_page::AskNewTemplate()
{
    if (m_prompts && m_prompts->Sure(NewTemplateQuestion::Text(false)) && m_desktop)
        m_desktop->Open(NewTemplateQuestion::ReferenceUrl().toString());
}

} // namespace quillo
