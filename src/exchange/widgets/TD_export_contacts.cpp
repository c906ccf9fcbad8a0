#include "exchange/widgets/TD_export_contacts.h"

#include "exchange/ContactExport.h"
#include "notebook/IPrompts.h"
#include "notebook/TSafeFileWriter.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillo {

namespace {

QRadioButton* Radio(const char* name, const QString& text, QWidget* parent)
{
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QLatin1String(name));
    return radio;
}

} // namespace

TD_export_contacts::TD_export_contacts(IPrompts& prompts, IFileDialogs& fileDialogs, IFileOps& files, QWidget* parent)
    : QDialog(parent)
    , m_prompts(prompts)
    , m_fileDialogs(fileDialogs)
    , m_files(files)
{
    setObjectName(QStringLiteral("TD_export_contacts"));
    setWindowTitle(QStringLiteral("Export contacts"));
    auto* what = new QGroupBox(QStringLiteral("Records"), this);
    RB_notebook = Radio("RB_notebook", QStringLiteral("The whole notebook"), what);
    RB_page = Radio("RB_page", QString(), what);
    auto* whatLayout = new QVBoxLayout(what);
    whatLayout->addWidget(RB_notebook, 0, Qt::AlignLeft);
    whatLayout->addWidget(RB_page, 0, Qt::AlignLeft);
    auto* format = new QGroupBox(QStringLiteral("Format"), this);
    RB_vcard = Radio("RB_vcard", QStringLiteral("vCard 4.0 (.vcf), for address books and phones"), format);
    RB_csv = Radio("RB_csv", QStringLiteral("CSV (.csv), for spreadsheets"), format);
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(RB_vcard, 0, Qt::AlignLeft);
    formatLayout->addWidget(RB_csv, 0, Qt::AlignLeft);
    RB_notebook->setChecked(true);
    RB_vcard->setChecked(true);
    Btn_ok = new QPushButton(QStringLiteral("Export..."), this);
    Btn_ok->setObjectName(QStringLiteral("Btn_ok"));
    Btn_ok->setDefault(true);
    Btn_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Btn_cancel->setObjectName(QStringLiteral("Btn_cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_ok);
    buttons->addWidget(Btn_cancel);
    // Each choice only as wide as its text: a click beside it does not choose it.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(format);
    layout->addLayout(buttons);
    connect(Btn_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TD_export_contacts::Execute(const TKelPigger& notebook, const TKelPigger* page)
{
    const QString pageName = page ? page->GetAttr(QStringLiteral("NAME")) : QString();
    RB_page->setText(QStringLiteral("The current page: %1").arg(pageName));
    RB_page->setEnabled(page != nullptr);
    if (!page)
        RB_notebook->setChecked(true);
    if (exec() != QDialog::Accepted)
        return false;
    return Write(notebook, RB_page->isChecked() ? page : nullptr);
}

bool TD_export_contacts::Write(const TKelPigger& notebook, const TKelPigger* page)
{
    const bool vcard = RB_vcard->isChecked();
    QString proposed = (page ? page->GetAttr(QStringLiteral("NAME")) : notebook.GetAttr(QStringLiteral("NAME")))
                           .replace(QLatin1Char('/'), QLatin1Char('_'));
    if (proposed.isEmpty())
        proposed = QStringLiteral("contacts");
    proposed += vcard ? QLatin1String(".vcf") : QLatin1String(".csv");
    const QString path = m_fileDialogs.SaveFileName(QStringLiteral("Export contacts"), QString(),
        vcard ? QStringLiteral("vCard files (*.vcf);;All files (*)")
              : QStringLiteral("CSV files (*.csv);;All files (*)"),
        proposed);
    if (path.isEmpty())
        return false;
    const TExportResult exported = vcard ? ContactExport::VCard(notebook, page) : ContactExport::Csv(notebook, page);
    TSafeFileWriter writer(m_files);
    if (!writer.Write(path, exported.bytes)) {
        m_prompts.Msg(writer.Error());
        return false;
    }
    m_prompts.Msg(QStringLiteral("Exported %1 %2 to %3")
                      .arg(exported.records)
                      .arg(exported.records == 1 ? QStringLiteral("record") : QStringLiteral("records"),
                          QDir::toNativeSeparators(path)));
    return true;
}

} // namespace quillo
