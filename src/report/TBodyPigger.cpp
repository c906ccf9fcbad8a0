#include "report/TBodyPigger.h"

#include "report/TBandPigger.h"
#include "report/TNewpagePigger.h"
#include "report/TReportPigger.h"

namespace quillo {

TBodyPigger::TBodyPigger(TKelPigger* parent, TReportPigger* report)
    : TBasePigger(parent)
    , m_report(report)
{
}

TKelPigger* TBodyPigger::Create(TKelPigger* parent) const
{
    return new TBodyPigger(parent, TElemPigger::ReportOf(parent));
}

TKelPigger* TBodyPigger::CreateChild(const QByteArray& tag)
{
    if (tag == "BAND")
        return new TBandPigger(this, m_report, nullptr);
    if (tag == "NEWPAGE")
        return new TNewpagePigger(this, m_report);
    if (tag == "TABLEEND")
        return new TElemPigger(this, m_report, TElemPigger::TableEnd);
    return nullptr;
}

} // namespace quillo
