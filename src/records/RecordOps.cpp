#include "records/RecordOps.h"

#include "notebook/NotebookSchema.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <unordered_map>
#include <vector>

namespace quillo::RecordOps {

namespace {

const QString NameAttr = QStringLiteral("NAME");

TKelPigger* ChildNamed(const TKelPigger& list, const QString& name)
{
    for (int i = 0; i < list.ChildCount(); ++i) {
        if (list.Child(i)->GetAttr(NameAttr).compare(name, Qt::CaseInsensitive) == 0)
            return list.Child(i);
    }
    return nullptr;
}

} // namespace

int ColumnWidth(const TKelPigger& field)
{
    bool ok = false;
    const int width = field.GetAttr(QStringLiteral("WIDTH")).trimmed().toInt(&ok);
    return ok && width > 0 ? width : DefaultWidth;
}

QString TitleOf(const TKelPigger* list, const QString& name)
{
    if (!list)
        return name;
    const TKelPigger* child = ChildNamed(*list, name);
    const QString title = child ? child->GetAttr(QStringLiteral("TITLE")) : QString();
    return title.isEmpty() ? name : title;
}

int RecordsPerPage(const TKelPigger* notebook)
{
    return notebook ? NotebookSchema::Rpp(*notebook) : NotebookSchema::DefaultRpp;
}

QString OverflowQuestion(int recordsPerPage)
{
    return QStringLiteral("More then %1 records per one page.\nAppend new page?").arg(recordsPerPage);
}

TKelPigger& AppendRecord(TKelPigger& page)
{
    auto* rec = new TKelPigger(&page);
    rec->SetTag("REC");
    return *rec;
}

TKelPigger* AddOverflowPage(TKelPigger& page)
{
    TKelPigger* pages = page.Parent();
    if (!pages)
        return nullptr;
    TKelPigger* base = &page;
    QString name = page.GetAttr(NameAttr) + QLatin1Char('+');
    for (TKelPigger* same = ChildNamed(*pages, name); same; same = ChildNamed(*pages, name)) {
        base = same;
        name += QLatin1Char('+');
    }
    auto* added = new TKelPigger(pages);
    added->SetTag("PAGE");
    added->SetAttr(NameAttr, name);
    pages->MoveChild(pages->ChildCount() - 1, pages->IndexOfChild(base) + 1);
    return added;
}

bool MoveRecordToPage(TKelPigger& rec, TKelPigger& page)
{
    if (rec.Parent() == &page)
        return false;
    rec.SetParent(&page);
    return true;
}

void SortRecords(TKelPigger& page, const QString& field, bool ascending)
{
    // The C locale collates by code point, case-sensitively; sort as English does instead.
    QCollator collator(QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::unordered_map<const TKelPigger*, QCollatorSortKey> keys;
    keys.reserve(size_t(page.ChildCount()));
    const QString upper = field.toUpper();
    for (int i = 0; i < page.ChildCount(); ++i) {
        const TKelPigger* rec = page.Child(i);
        const int index = rec->IndexOfAttr(upper);
        if (index >= 0)
            keys.emplace(rec, collator.sortKey(rec->AttrValue(index)));
    }
    page.SortChildren([&](const TKelPigger* a, const TKelPigger* b) {
        const auto ka = keys.find(a);
        const auto kb = keys.find(b);
        if (ka == keys.end() || kb == keys.end())
            return ka != keys.end() && kb == keys.end();
        const int order = ka->second.compare(kb->second);
        return ascending ? order < 0 : order > 0;
    });
}

} // namespace quillo::RecordOps
