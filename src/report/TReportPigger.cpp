#include "report/TReportPigger.h"

#include "report/TBandPigger.h"
#include "report/TBodyPigger.h"
#include "report/THeadPigger.h"
#include "report/TImagesPigger.h"
#include "report/TKelCompLibrary.h"
#include "report/TReportLayout.h"
#include "report/TVirtualPage.h"

#include <initializer_list>
#include <type_traits>

namespace quillo {

TReportPigger::TReportPigger()
    : m_compressor(&TKelCompLibrary::Program())
{
}

TReportPigger::~TReportPigger() = default;

TKelPigger* TReportPigger::CreateChild(const QByteArray& tag)
{
    if (tag == "HEAD")
        return new THeadPigger(this);
    if (tag == "BODY")
        return new TBodyPigger(this, this);
    if (tag == "IMAGES")
        return new TImagesPigger(this);
    return nullptr;
}

void TReportPigger::Clear()
{
    m_head = nullptr;
    m_body = nullptr;
    m_images = nullptr;
    m_pageHeader = nullptr;
    m_pageFooter = nullptr;
    TBasePigger::Clear();
}

void TReportPigger::Init()
{
    m_title = GetAttr(QStringLiteral("TITLE")).toUtf8();
    m_date = GetAttr(QStringLiteral("DATE")).toUtf8();
    m_time = GetAttr(QStringLiteral("TIME")).toUtf8();
    m_head = nullptr;
    m_body = nullptr;
    m_images = nullptr;
    m_pageHeader = nullptr;
    m_pageFooter = nullptr;
    const auto first = [](auto*& link, TKelPigger* child, const char* tag) {
        using Class = std::remove_reference_t<decltype(*link)>;
        if (!link && child->Tag() == tag)
            link = dynamic_cast<Class*>(child);
    };
    for (int i = 0; i < ChildCount(); ++i) {
        first(m_head, Child(i), "HEAD");
        first(m_body, Child(i), "BODY");
        first(m_images, Child(i), "IMAGES");
        first(m_pageHeader, Child(i), "PAGEHEADER");
        first(m_pageFooter, Child(i), "PAGEFOOTER");
    }
    if (!m_head) {
        m_head = new THeadPigger(this);
        m_head->SetTag("HEAD");
    }
    m_head->Init();
    // Styles and fonts exist before any element looks them up, image data before any IMAGE.
    for (TBasePigger* part : std::initializer_list<TBasePigger*> { m_pageHeader, m_pageFooter, m_images, m_body })
        if (part)
            part->Init();
}

void TReportPigger::Load(const QByteArray& text)
{
    try {
        LoadFromText(text);
    } catch (...) {
        Clear();
        Init();
        throw;
    }
    Init();
}

void TReportPigger::PrepareLayout(QPaintDevice* device) { TReportLayout(*this).Prepare(device); }

int TReportPigger::PageCount() const { return m_body && m_body->PageList() ? m_body->PageList()->ChildCount() : 0; }

TVirtualPage* TReportPigger::Page(int index) const
{
    return index >= 0 && index < PageCount() ? static_cast<TVirtualPage*>(m_body->PageList()->Child(index)) : nullptr;
}

TPixelRect TReportPigger::PageRect(int index) const
{
    const TVirtualPage* page = Page(index);
    return page ? TPixelRect { 0, 0, page->Rect().Width(), page->Rect().Height() } : TPixelRect {};
}

} // namespace quillo
