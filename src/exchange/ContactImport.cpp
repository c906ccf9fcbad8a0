#include "exchange/ContactImport.h"

#include "exchange/EExchangeError.h"
#include "exchange/TPagePlacer.h"
#include "notebook/NotebookSchema.h"

#include <climits>

namespace quillo::ContactImport {

namespace {

const QString NameAttr = QStringLiteral("NAME");

// The value whose first letter picks the page: LAST_NAME, else the first field in column order with a value.
QString LetterKey(const TContactRecord& record, const QHash<QString, int>& columnOf)
{
    const QString last = QStringLiteral("LAST_NAME");
    const QString* key = nullptr;
    int keyColumn = 0;
    for (const auto& [name, value] : record.values) {
        if (name == last)
            return value;
        const int column = columnOf.value(name, INT_MAX);
        if (!key || column < keyColumn) {
            key = &value;
            keyColumn = column;
        }
    }
    return key ? *key : QString();
}

} // namespace

TContactBatch ReadVCard(const QByteArray& bytes, const TKelPigger& notebook, bool createFields)
{
    const std::vector<TVCard> cards = TVCardReader::Read(bytes);
    TContactFields fields(notebook, createFields);
    return ContactMapping::FromVCards(cards, fields);
}

TContactBatch ReadCsv(const QByteArray& bytes, const TKelPigger& notebook, bool createFields)
{
    const TCsvTable table = TCsvReader::Read(bytes);
    TContactFields fields(notebook, createFields);
    return ContactMapping::FromCsv(table, ContactMapping::GuessColumns(table.header, fields), fields);
}

TImportResult Apply(
    TKelPigger& notebook, const TContactBatch& batch, const TImportOptions& options, const TImportProgress& progress)
{
    TKelPigger* fields = notebook.FindChild("FIELDS");
    TKelPigger* pages = notebook.FindChild("PAGES");
    if (!fields || !pages)
        throw EExchangeError(0, QStringLiteral("The notebook has no field list or no page list"));
    TPagePlacer placer(*pages, NotebookSchema::Rpp(notebook));
    TKelPigger* onePage = nullptr;
    if (!options.onePage.isEmpty()) {
        onePage = placer.Named(options.onePage);
        if (!onePage)
            throw EExchangeError(0, QStringLiteral("There is no page \"%1\" in the notebook").arg(options.onePage));
    }
    TImportResult result;
    for (const TNewField& newField : batch.newFields) {
        auto* field = new TKelPigger(fields);
        field->SetTag("FIELD");
        field->SetAttr(NameAttr, newField.name);
        field->SetAttr(QStringLiteral("FEATURE"), newField.feature);
        result.fieldsCreated.append(newField.name);
    }
    QHash<QString, int> columnOf;
    const TContactFields order(notebook, false);
    for (int i = 0; i < order.Names().size(); ++i)
        columnOf.insert(order.Names()[i], i);
    const int total = int(batch.records.size());
    for (const TContactRecord& record : batch.records) {
        // A page the user chose or the record names takes it as it is, so that an export imported again
        // keeps every record on its page; only the letter rule moves on to overflow pages.
        TKelPigger* page = onePage;
        if (!page && !record.page.isEmpty()) {
            page = placer.Named(record.page);
            if (!page && options.createPages)
                page = &placer.Create(record.page);
        }
        if (!page)
            page = &placer.WithRoom(placer.ForKey(LetterKey(record, columnOf)));
        auto* rec = new TKelPigger(page);
        rec->SetTag("REC");
        for (const auto& [name, value] : record.values)
            rec->SetAttr(name, value);
        ++result.records;
        if (progress && (result.records % 256 == 0 || result.records == total))
            progress(result.records, total);
    }
    result.pagesCreated = placer.Created();
    return result;
}

void Commit(TKelPigger& notebook, TKelPigger& imported)
{
    while (notebook.ChildCount() > 0)
        delete notebook.Child(notebook.ChildCount() - 1);
    while (imported.ChildCount() > 0)
        imported.Child(0)->SetParent(&notebook);
}

QString Summary(const TImportResult& result, const QStringList& unmatched, bool columns)
{
    QString summary = result.records == 1 ? QStringLiteral("Imported 1 record")
                                          : QStringLiteral("Imported %1 records").arg(result.records);
    if (!result.pagesCreated.isEmpty())
        summary += QStringLiteral(", %1 %2 created (%3)")
                       .arg(result.pagesCreated.size())
                       .arg(result.pagesCreated.size() == 1 ? QStringLiteral("page") : QStringLiteral("pages"),
                           result.pagesCreated.join(QLatin1String(", ")));
    if (!result.fieldsCreated.isEmpty())
        summary += QStringLiteral(", %1 %2 created (%3)")
                       .arg(result.fieldsCreated.size())
                       .arg(result.fieldsCreated.size() == 1 ? QStringLiteral("field") : QStringLiteral("fields"),
                           result.fieldsCreated.join(QLatin1String(", ")));
    summary += QLatin1Char('.');
    if (!unmatched.isEmpty())
        summary += QStringLiteral("\n%1 %2 no field: %3")
                       .arg(unmatched.size())
                       .arg(unmatched.size() == 1
                               ? (columns ? QStringLiteral("column had") : QStringLiteral("property had"))
                               : (columns ? QStringLiteral("columns had") : QStringLiteral("properties had")),
                           unmatched.join(QLatin1String(", ")));
    return summary;
}

} // namespace quillo::ContactImport
