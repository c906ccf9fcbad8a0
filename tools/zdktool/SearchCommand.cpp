#include "ZdkCommands.h"

#include "notebook/NotebookEdits.h"
#include "records/RecordDates.h"
#include "records/TBirthdayReminder.h"
#include "records/TRecordSearch.h"
#include "tree/EKelError.h"

namespace quillo::zdktool {

namespace {

const QString Name = QStringLiteral("NAME");

// Notebook name, "/" and page name when inside a page, ":N" for a record's place on its page.
QString Where(const TKelPigger& node)
{
    const TKelPigger* notebook = nullptr;
    const TKelPigger* page = nullptr;
    for (const TKelPigger* n = &node; n; n = n->Parent()) {
        if (!page && n->Tag() == "PAGE")
            page = n;
        if (n->Tag() == "NOTEBOOK") {
            notebook = n;
            break;
        }
    }
    if (!notebook)
        return {};
    QString where = notebook->GetAttr(Name);
    if (page)
        where += QLatin1Char('/') + page->GetAttr(Name);
    if (node.Tag() == "REC" && node.Parent() && node.Parent()->Tag() == "PAGE")
        where += QStringLiteral(":%1").arg(node.Parent()->IndexOfChild(&node) + 1);
    return where;
}

void PlainWalk(TKelPigger& start, const TNodeVisitor& visit) { NotebookEdits::WalkTree(start, visit); }

} // namespace

int Search(const QStringList& args)
{
    QStringList positional;
    QString notebookName;
    QString pageName;
    bool caseSensitive = false;
    bool allNodes = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--case-sensitive"))
            caseSensitive = true;
        else if (arg == QLatin1String("--all-nodes"))
            allNodes = true;
        else if (arg == QLatin1String("--notebook"))
            notebookName = OptionValue(args, i);
        else if (arg == QLatin1String("--page"))
            pageName = OptionValue(args, i);
        else if (arg.startsWith(QLatin1String("--")))
            return Fail(QStringLiteral("unknown option %1").arg(arg));
        else
            positional.append(arg);
    }
    if (positional.size() != 2)
        return Fail(QStringLiteral("usage: zdktool search FILE.zdk TEXT [--case-sensitive] [--all-nodes] "
                                   "[--notebook NAME [--page NAME]]"));
    if (!pageName.isEmpty() && notebookName.isEmpty())
        return Fail(QStringLiteral("--page needs --notebook"));
    TKelPigger root;
    if (!LoadNotebooks(positional[0], root))
        return 1;
    TKelPigger* start = &root;
    if (!notebookName.isEmpty()) {
        start = FindNamed(&root, "NOTEBOOK", notebookName);
        if (!start)
            return Fail(QStringLiteral("Notebook '%1' not found").arg(notebookName));
        if (!pageName.isEmpty()) {
            start = FindNamed(start->FindChild("PAGES"), "PAGE", pageName);
            if (!start)
                return Fail(QStringLiteral("Page '%1' not found in notebook '%2'").arg(pageName, notebookName));
        }
    }
    const TRecordSearch search(positional[1], caseSensitive, !allNodes);
    for (const TSearchHit& hit : search.Run(*start, PlainWalk))
        WriteOut((Where(*hit.node) + QLatin1Char('\t') + QString::fromLatin1(hit.node->Tag()) + QLatin1Char('\t')
            + EscapeColumn(hit.node->AttrValueView(hit.attr)) + QLatin1Char('\n'))
                     .toUtf8());
    return 0;
}

int Birthdays(const QStringList& args)
{
    QStringList positional;
    QDate today = QDate::currentDate();
    int days = TBirthdayReminder::DefaultDaysAhead;
    QString format = RecordDates::ShortDateFormat();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--today")) {
            const QString value = OptionValue(args, i);
            today = QDate::fromString(value, Qt::ISODate);
            if (!today.isValid())
                return Fail(QStringLiteral("invalid --today %1, expected YYYY-MM-DD").arg(value));
        } else if (arg == QLatin1String("--days")) {
            const QString value = OptionValue(args, i);
            bool ok = false;
            days = value.toInt(&ok);
            if (!ok || days < TBirthdayReminder::MinDaysAhead || days > TBirthdayReminder::MaxDaysAhead)
                return Fail(QStringLiteral("invalid --days %1, expected %2 to %3")
                                .arg(value)
                                .arg(TBirthdayReminder::MinDaysAhead)
                                .arg(TBirthdayReminder::MaxDaysAhead));
        } else if (arg == QLatin1String("--date-format")) {
            format = OptionValue(args, i);
            if (format.isEmpty())
                return Fail(QStringLiteral("--date-format needs a value"));
        } else if (arg.startsWith(QLatin1String("--"))) {
            return Fail(QStringLiteral("unknown option %1").arg(arg));
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() != 1)
        return Fail(QStringLiteral("usage: zdktool birthdays FILE.zdk [--today YYYY-MM-DD] [--days N] "
                                   "[--date-format FORMAT]"));
    TKelPigger root;
    if (!LoadNotebooks(positional[0], root))
        return 1;
    const TBirthdayReminder reminder(today, days, format);
    for (const TDueBirthday& due : reminder.Run(root, PlainWalk))
        WriteOut(
            (EscapeColumn(due.birthday) + QLatin1Char('\t') + EscapeColumn(due.values) + QLatin1Char('\n')).toUtf8());
    return 0;
}

} // namespace quillo::zdktool
