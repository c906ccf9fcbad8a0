#include "exchange/widgets/TD_import_contacts.h"

#include "exchange/ContactMapping.h"
#include "exchange/ContactText.h"
#include "exchange/EExchangeError.h"
#include "notebook/IPrompts.h"
#include "notebook/NotebookSchema.h"
#include "tree/KelTextFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillo {

namespace {

const QString NotImported = QStringLiteral("(not imported)");
const QString PageChoice = QStringLiteral("(page name)");
const QString PhoneTypeChoice = QStringLiteral("(type of a phone)");

QPushButton* Button(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QTableWidget* Table(const char* name, QWidget* parent)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(QLatin1String(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

TD_import_contacts::TD_import_contacts(IPrompts& prompts, IFileDialogs& fileDialogs, QWidget* parent)
    : QDialog(parent)
    , m_prompts(prompts)
    , m_fileDialogs(fileDialogs)
{
    setObjectName(QStringLiteral("TD_import_contacts"));
    setWindowTitle(QStringLiteral("Import contacts"));
    Label_file = new QLabel(this);
    Label_file->setObjectName(QStringLiteral("Label_file"));
    Label_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Grid_mapping = Table("Grid_mapping", this);
    Grid_mapping->setColumnCount(2);
    Grid_mapping->setHorizontalHeaderLabels({ QStringLiteral("Column of the file"), QStringLiteral("Field") });
    Grid_mapping->setMaximumHeight(180);
    Grid_preview = Table("Grid_preview", this);
    CB_create_fields = new QCheckBox(QStringLiteral("Create the fields and pages that are missing"), this);
    CB_create_fields->setObjectName(QStringLiteral("CB_create_fields"));
    CB_one_page = new QCheckBox(QStringLiteral("Put every record on the page"), this);
    CB_one_page->setObjectName(QStringLiteral("CB_one_page"));
    CMB_page = new QComboBox(this);
    CMB_page->setObjectName(QStringLiteral("CMB_page"));
    CMB_page->setEnabled(false);
    Label_unmatched = new QLabel(this);
    Label_unmatched->setObjectName(QStringLiteral("Label_unmatched"));
    Label_unmatched->setWordWrap(true);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Label_summary = new QLabel(this);
    Label_summary->setObjectName(QStringLiteral("Label_summary"));
    Label_summary->setWordWrap(true);
    Btn_import = Button("Btn_import", QStringLiteral("Import"), this);
    Btn_import->setDefault(true);
    Btn_keep = Button("Btn_keep", QStringLiteral("Keep"), this);
    Btn_revert = Button("Btn_revert", QStringLiteral("Revert import"), this);
    Btn_cancel = Button("Btn_cancel", QStringLiteral("Cancel"), this);

    auto* options = new QHBoxLayout;
    options->addWidget(CB_create_fields);
    options->addStretch();
    options->addWidget(CB_one_page);
    options->addWidget(CMB_page);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : { Btn_import, Btn_keep, Btn_revert, Btn_cancel })
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_file);
    layout->addWidget(Grid_mapping);
    layout->addWidget(new QLabel(QStringLiteral("The first records as they will be stored:"), this));
    layout->addWidget(Grid_preview, 1);
    layout->addWidget(Label_unmatched);
    layout->addLayout(options);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label_summary);
    layout->addLayout(buttons);
    resize(760, 520);

    connect(CB_create_fields, &QCheckBox::toggled, this, [this] {
        Guess();
        Remap();
    });
    connect(CB_one_page, &QCheckBox::toggled, CMB_page, &QWidget::setEnabled);
    connect(Btn_import, &QPushButton::clicked, this, &TD_import_contacts::Import);
    connect(Btn_keep, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_revert, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TD_import_contacts::~TD_import_contacts() = default;

std::unique_ptr<TKelPigger> TD_import_contacts::Run(const TKelPigger& notebook)
{
    const QString fileName = m_fileDialogs.OpenFileName(QStringLiteral("Import contacts"), QString(),
        QStringLiteral("Contacts (*.vcf *.vcard *.csv *.txt);;vCard files (*.vcf *.vcard);;CSV files (*.csv *.txt);;"
                       "All files (*)"));
    if (fileName.isEmpty())
        return nullptr;
    QByteArray bytes;
    try {
        bytes = KelTextFile::Read(fileName, ContactText::MaxSize);
    } catch (const EKelError& error) {
        m_prompts.Msg(error.Message());
        return nullptr;
    }
    return Execute(notebook, fileName, bytes);
}

bool TD_import_contacts::Read(const QString& fileName, const QByteArray& bytes)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    m_csv = suffix == QLatin1String("csv") || suffix == QLatin1String("txt")
        || (suffix != QLatin1String("vcf") && suffix != QLatin1String("vcard") && !TVCardReader::LooksLikeVCard(bytes));
    try {
        m_cards.clear();
        m_table = {};
        if (m_csv)
            m_table = TCsvReader::Read(bytes);
        else
            m_cards = TVCardReader::Read(bytes);
    } catch (const EExchangeError& error) {
        m_prompts.Msg(QStringLiteral("Cannot import %1:\n%2\nNothing was imported.").arg(fileName, error.Message()));
        return false;
    }
    const QString delimiter
        = m_table.delimiter == QLatin1Char('\t') ? QStringLiteral("TAB") : QString(m_table.delimiter);
    Label_file->setText(m_csv ? QStringLiteral("%1\nCSV file, %2 rows, values separated by %3")
                                    .arg(QDir::toNativeSeparators(fileName))
                                    .arg(m_table.rows.size())
                                    .arg(delimiter)
                              : QStringLiteral("%1\nvCard file, %2 contacts")
                                    .arg(QDir::toNativeSeparators(fileName))
                                    .arg(m_cards.size()));
    return true;
}

std::unique_ptr<TKelPigger> TD_import_contacts::Execute(
    const TKelPigger& notebook, const QString& fileName, const QByteArray& bytes)
{
    m_notebook = &notebook;
    m_result.reset();
    if (!Read(fileName, bytes))
        return nullptr;
    {
        const QSignalBlocker blocker(CB_create_fields);
        CB_create_fields->setChecked(false);
    }
    CB_one_page->setChecked(false);
    CMB_page->clear();
    if (const TKelPigger* pages = notebook.FindChild("PAGES"))
        for (const TKelPigger* page = pages->FindChild("PAGE"); page; page = pages->FindNextChild(page))
            CMB_page->addItem(page->GetAttr(QStringLiteral("NAME")));
    Grid_mapping->setVisible(m_csv);
    Guess();
    Remap();
    ShowStage(false);
    const bool kept = exec() == QDialog::Accepted;
    m_notebook = nullptr;
    return kept ? std::move(m_result) : nullptr;
}

void TD_import_contacts::Guess()
{
    m_fields.emplace(*m_notebook, CB_create_fields->isChecked());
    if (m_csv) {
        m_guessed = ContactMapping::GuessColumns(m_table.header, *m_fields);
        m_columns = m_guessed;
        FillMapping();
    }
}

void TD_import_contacts::Remap()
{
    // A fresh view of the fields each time, holding what the guess planned.
    TContactFields fields = *m_fields;
    m_batch = m_csv ? ContactMapping::FromCsv(m_table, m_columns, fields) : ContactMapping::FromVCards(m_cards, fields);
    m_previewFields = fields.Names();
    const QString what = m_csv ? QStringLiteral("column") : QStringLiteral("property");
    Label_unmatched->setText(m_batch.unmatched.isEmpty()
            ? QStringLiteral("Every %1 has a field.").arg(what)
            : QStringLiteral("Left out, no field: %1").arg(m_batch.unmatched.join(QLatin1String(", "))));
    FillPreview();
}

void TD_import_contacts::FillMapping()
{
    Grid_mapping->setRowCount(int(m_columns.size()));
    QStringList choices { NotImported, PageChoice };
    choices += m_fields->Names();
    for (int i = 0; i < int(m_columns.size()); ++i) {
        auto* header = new QTableWidgetItem(m_table.header.value(i));
        Grid_mapping->setItem(i, 0, header);
        auto* combo = new QComboBox(Grid_mapping);
        combo->setObjectName(QStringLiteral("CMB_column_%1").arg(i));
        combo->addItems(choices);
        if (m_guessed[i].kind == TCsvColumn::PhoneType)
            combo->addItem(PhoneTypeChoice);
        const TCsvColumn& column = m_columns[i];
        combo->setCurrentText(column.kind == TCsvColumn::Field ? column.field
                : column.kind == TCsvColumn::Page              ? PageChoice
                : column.kind == TCsvColumn::PhoneType         ? PhoneTypeChoice
                                                               : NotImported);
        connect(combo, &QComboBox::activated, this, [this, i](int choice) { ColumnChosen(i, choice); });
        Grid_mapping->setCellWidget(i, 1, combo);
    }
    Grid_mapping->resizeColumnToContents(0);
}

void TD_import_contacts::ColumnChosen(int column, int choice)
{
    auto* combo = static_cast<QComboBox*>(Grid_mapping->cellWidget(column, 1));
    const QString text = combo->itemText(choice);
    TCsvColumn& target = m_columns[column];
    if (text == NotImported) {
        target = {};
    } else if (text == PageChoice) {
        target = {};
        target.kind = TCsvColumn::Page;
    } else if (text == PhoneTypeChoice
        || (m_guessed[column].kind == TCsvColumn::Field && m_guessed[column].field == text))
        target = m_guessed[column];
    else {
        target = {};
        target.kind = TCsvColumn::Field;
        target.field = text;
    }
    Remap();
}

void TD_import_contacts::FillPreview()
{
    const QStringList& names = m_previewFields;
    QStringList headers;
    const TKelPigger* fieldList = m_notebook->FindChild("FIELDS");
    for (const QString& name : names) {
        const TKelPigger* field = fieldList ? fieldList->FindChildByAttr(QStringLiteral("NAME"), name) : nullptr;
        headers.append(field ? NotebookSchema::Caption(*field) : name);
    }
    headers.append(QStringLiteral("Page named"));
    Grid_preview->clear();
    Grid_preview->setColumnCount(int(headers.size()));
    Grid_preview->setHorizontalHeaderLabels(headers);
    const int rows = int(qMin<size_t>(PreviewRows, m_batch.records.size()));
    Grid_preview->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const TContactRecord& record = m_batch.records[r];
        for (const auto& [name, value] : record.values)
            if (const qsizetype column = names.indexOf(name); column >= 0)
                Grid_preview->setItem(r, int(column), new QTableWidgetItem(value));
        Grid_preview->setItem(r, int(names.size()), new QTableWidgetItem(record.page));
    }
}

void TD_import_contacts::Import()
{
    auto copy = std::make_unique<TKelPigger>();
    copy->Assign(*m_notebook);
    TImportOptions options;
    options.createPages = CB_create_fields->isChecked();
    if (CB_one_page->isChecked())
        options.onePage = CMB_page->currentText();
    ProgressBar1->setRange(0, qMax(1, int(m_batch.records.size())));
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    Btn_import->setEnabled(false);
    TImportResult result;
    try {
        result = ContactImport::Apply(*copy, m_batch, options, [this](int done, int total) {
            ProgressBar1->setRange(0, total);
            ProgressBar1->setValue(done);
            // Paints the bar; the user's clicks wait until the import is done.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    } catch (const EExchangeError& error) {
        Btn_import->setEnabled(true);
        m_prompts.Msg(error.Message());
        return;
    }
    m_result = std::move(copy);
    Label_summary->setText(ContactImport::Summary(result, m_batch.unmatched, m_csv)
        + QStringLiteral("\n\nKeep the import, or revert it? Nothing is written to the file until you save it."));
    ShowStage(true);
}

void TD_import_contacts::ShowStage(bool summary)
{
    for (QWidget* widget : std::initializer_list<QWidget*> { Grid_mapping, CB_create_fields, CB_one_page, CMB_page })
        widget->setEnabled(!summary && (widget != CMB_page || CB_one_page->isChecked()));
    Btn_import->setVisible(!summary);
    Btn_import->setEnabled(true);
    Btn_cancel->setVisible(!summary);
    Btn_keep->setVisible(summary);
    Btn_revert->setVisible(summary);
    Label_summary->setVisible(summary);
    ProgressBar1->setVisible(summary);
    (summary ? Btn_keep : Btn_import)->setDefault(true);
}

} // namespace quillo
