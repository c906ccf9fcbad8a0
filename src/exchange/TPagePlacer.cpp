#include "exchange/TPagePlacer.h"

namespace quillo {

namespace {

const QString NameAttr = QStringLiteral("NAME");

QChar Fold(QChar c)
{
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    return decomposed.isEmpty() ? c : decomposed[0].toUpper();
}

} // namespace

TPagePlacer::TPagePlacer(TKelPigger& pages, int recordsPerPage)
    : m_pages(pages)
    , m_rpp(recordsPerPage)
{
    for (TKelPigger* page = pages.FindChild("PAGE"); page; page = pages.FindNextChild(page))
        Index(*page);
}

QChar TPagePlacer::FoldedLetter(QStringView key)
{
    const QStringView trimmed = key.trimmed();
    if (trimmed.isEmpty() || !trimmed[0].isLetter())
        return {};
    return Fold(trimmed[0]);
}

QString TPagePlacer::LetterPageKey(const QString& name)
{
    QString letters;
    for (const QChar c : name) {
        if (!c.isLetter())
            return {};
        const QChar folded = Fold(c);
        if (!letters.isEmpty() && folded <= letters.back())
            return {};
        letters += folded;
    }
    return letters;
}

void TPagePlacer::Index(TKelPigger& page)
{
    const QString name = page.GetAttr(NameAttr);
    m_byName.insert(name.toUpper(), &page);
    for (const QChar letter : LetterPageKey(name))
        if (!m_byLetter.contains(letter))
            m_byLetter.insert(letter, &page);
}

TKelPigger* TPagePlacer::Named(const QString& name) const { return m_byName.value(name.toUpper()); }

TKelPigger& TPagePlacer::ForKey(const QString& key)
{
    const QChar letter = FoldedLetter(key);
    if (TKelPigger* page = letter.isNull() ? nullptr : m_byLetter.value(letter))
        return *page;
    const QString other = QStringLiteral("#");
    if (TKelPigger* page = Named(other))
        return *page;
    return Create(other);
}

TKelPigger& TPagePlacer::WithRoom(TKelPigger& base)
{
    TKelPigger*& fill = m_fillPage[&base];
    if (!fill)
        fill = &base;
    while (fill->ChildCount() >= m_rpp) {
        const QString next = fill->GetAttr(NameAttr) + QLatin1Char('+');
        TKelPigger* overflow = Named(next);
        if (!overflow) {
            overflow = &Create(next);
            m_pages.MoveChild(m_pages.ChildCount() - 1, m_pages.IndexOfChild(fill) + 1);
        }
        fill = overflow;
    }
    return *fill;
}

TKelPigger& TPagePlacer::Create(const QString& name)
{
    auto* page = new TKelPigger(&m_pages);
    page->SetTag("PAGE");
    page->SetAttr(NameAttr, name);
    Index(*page);
    m_created.append(name);
    return *page;
}

} // namespace quillo
