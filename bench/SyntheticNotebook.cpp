#include "SyntheticNotebook.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <iterator>

namespace quillo {

namespace {

// splitmix64: small, fast and the same on every platform (unlike the standard distributions).
class Random {
public:
    explicit Random(uint64_t seed)
        : m_state(seed)
    {
    }

    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int bound) { return int(Next() % uint64_t(bound)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, size_t N> const T& Pick(const T (&items)[N]) { return items[Below(int(N))]; }

private:
    uint64_t m_state;
};

const char16_t* const Surnames[] = {
    u"Müller",
    u"Ødegård",
    u"O'Brien",
    u"Łukasiewicz",
    u"García Márquez",
    u"Smith",
    u"Dvořák",
    u"Петров",
    u"Nguyễn",
    u"Østergaard-Hansen",
    u"Schröder",
    u"Brown",
};
const char16_t* const GivenNames[] = {
    u"Jürgen",
    u"Zoë",
    u"Jean-François",
    u"Ann",
    u"Åsa",
    u"Dmitri",
    u"Mary Jo",
    u"Siobhán",
    u"Kenji",
    u"Renée",
};
const char16_t* const Streets[] = {
    u"Hauptstraße",
    u"Rue de l'Église",
    u"Main Street",
    u"Calle Mayor",
    u"Nørregade",
    u"Via Roma",
};
const char16_t* const Cities[] = {
    u"Berlin",
    u"Zürich",
    u"Malmö",
    u"São Paulo",
    u"Kraków",
    u"London",
    u"Québec",
};
const char16_t* const Companies[] = {
    u"Smith & Sons \"Ltd\"",
    u"<Acme> Corporation",
    u"Böhm GmbH",
    u"100% Organic Farms",
    u"Café 'Zur Post'",
    u"Nordisk A/S",
};
const char16_t* const Notes[] = {
    u"Met at the fair; 20% discount agreed",
    u"Prefers to be called \"Jo\"",
    u"First line\r\nSecond line\r\nThird line",
    u"Call after 18:00 <urgent>",
    u"Birthday cake 🎂 every year",
    u"a < b && c > d",
    u"Tabs\tinside\tthe value",
    u"Übernachtung im Hotel \"Zum Löwen\", 3 Nächte",
};

struct FieldKind {
    const char* name;
    const char* title;
    const char* feature;
    int width;
};

const FieldKind FieldKinds[] = {
    { "PERSON", "Name", nullptr, 180 },
    { "PHONE", "Phone number", nullptr, 120 },
    { "E-MAIL", "E-mail", "Field is e-mail address", 160 },
    { "HTTP", "Web page", "Field is http", 160 },
    { "BIRTHDAY", "Birthday", "Field is date", 80 },
    { "ADDRESS", "Address", nullptr, 200 },
    { "COMPANY", "Company", nullptr, 140 },
    { "NOTES", "Notes", nullptr, 240 },
};
constexpr int FieldKindCount = int(std::size(FieldKinds));

QString Str(const char16_t* text) { return QStringView(text).toString(); }

QString FieldName(int field)
{
    const QString base = QString::fromLatin1(FieldKinds[field % FieldKindCount].name);
    return field < FieldKindCount ? base : base + QLatin1Char('_') + QString::number(field / FieldKindCount + 1);
}

QString PageName(int page) { return page < 26 ? QString(QChar(u'A' + page)) : QStringLiteral("P%1").arg(page + 1); }

// The value of one field of one record; empty means the record has no value there.
QString FieldValue(int kind, Random& random, const QString& surname, const QString& given)
{
    switch (kind) {
    case 0:
        return surname + QStringLiteral(", ") + given;
    case 1:
        return QStringLiteral("+%1 (%2) %3 %4")
            .arg(random.Below(90) + 10)
            .arg(random.Below(900) + 100)
            .arg(random.Below(9000) + 1000)
            .arg(random.Below(9000) + 1000);
    case 2:
        return QStringLiteral("person%1@example.org").arg(random.Below(1000000));
    case 3:
        if (!random.Chance(40))
            return {};
        return QStringLiteral("https://www.example.com/people?id=%1&q=a%20b").arg(random.Below(100000));
    case 4:
        if (!random.Chance(75))
            return {};
        return QStringLiteral("%1.%2.%3")
            .arg(random.Below(28) + 1, 2, 10, QChar('0'))
            .arg(random.Below(12) + 1, 2, 10, QChar('0'))
            .arg(1930 + random.Below(80));
    case 5: {
        QString address = Str(random.Pick(Streets)) + QLatin1Char(' ') + QString::number(random.Below(200) + 1);
        if (random.Chance(20))
            address = QStringLiteral("c/o ") + given + QStringLiteral("\r\n") + address;
        return address + QStringLiteral("\r\n") + QString::number(random.Below(90000) + 10000) + QLatin1Char(' ')
            + Str(random.Pick(Cities));
    }
    case 6:
        return random.Chance(70) ? Str(random.Pick(Companies)) : QString();
    default:
        return random.Chance(60) ? Str(random.Pick(Notes)) : QString();
    }
}

void AddFields(TKelPigger& notebook, int fields)
{
    auto* list = new TKelPigger(&notebook);
    list->SetTag("FIELDS");
    for (int field = 0; field < fields; ++field) {
        const FieldKind& kind = FieldKinds[field % FieldKindCount];
        auto* node = new TKelPigger(list);
        node->SetTag("FIELD");
        node->SetAttr(QStringLiteral("NAME"), FieldName(field));
        node->SetAttr(QStringLiteral("TITLE"), QString::fromLatin1(kind.title));
        node->SetAttr(QStringLiteral("WIDTH"), QString::number(kind.width));
        if (kind.feature)
            node->SetAttr(QStringLiteral("FEATURE"), QString::fromLatin1(kind.feature));
    }
}

void AddRecords(TKelPigger& page, int first, int end, int fields)
{
    for (int record = first; record < end; ++record) {
        Random random(uint64_t(record) + 1);
        const QString surname = Str(random.Pick(Surnames));
        const QString given = Str(random.Pick(GivenNames));
        auto* node = new TKelPigger(&page);
        node->SetTag("REC");
        for (int field = 0; field < fields; ++field)
            node->SetAttr(FieldName(field), FieldValue(field % FieldKindCount, random, surname, given));
    }
}

} // namespace

std::unique_ptr<TKelPigger> BuildSyntheticNotebook(const SyntheticNotebookShape& shape)
{
    auto root = std::make_unique<TKelPigger>();
    root->SetTag("NOTEBOOKS");
    auto* notebook = new TKelPigger(root.get());
    notebook->SetTag("NOTEBOOK");
    notebook->SetAttr(QStringLiteral("NAME"), QStringLiteral("Kontakte & Freunde \"2024\""));
    notebook->SetAttr(QStringLiteral("RPP"), QStringLiteral("500"));
    notebook->SetAttr(QStringLiteral("BDF"), QStringLiteral("BIRTHDAY"));
    notebook->SetText(QByteArrayLiteral("Generated address book: 100% synthetic <test data>,\r\n"
                                        "caf\xC3\xA9 & co."));
    AddFields(*notebook, shape.fields);

    auto* pages = new TKelPigger(notebook);
    pages->SetTag("PAGES");
    for (int page = 0; page < shape.pages; ++page) {
        auto* node = new TKelPigger(pages);
        node->SetTag("PAGE");
        node->SetAttr(QStringLiteral("NAME"), PageName(page));
        const int first = int(int64_t(shape.records) * page / shape.pages);
        const int end = int(int64_t(shape.records) * (page + 1) / shape.pages);
        AddRecords(*node, first, end, shape.fields);
    }
    return root;
}

QByteArray SyntheticNotebookText(const SyntheticNotebookShape& shape)
{
    return BuildSyntheticNotebook(shape)->SaveToText();
}

} // namespace quillo
