#include "report/TNewpagePigger.h"

#include "report/TReportPigger.h"

namespace quillo {

void TNewpagePigger::Init()
{
    const QStringView value = ReportValues::Attr(*this, u"ORIENTATION");
    if (value.compare(u"PORTRAIT", Qt::CaseInsensitive) == 0)
        m_orientation = TPageSettings::Portrait;
    else if (value.compare(u"LANDSCAPE", Qt::CaseInsensitive) == 0)
        m_orientation = TPageSettings::Landscape;
    else
        m_orientation = Report() ? Report()->Settings().orientation : TPageSettings::Portrait;
    TElemPigger::Init();
}

} // namespace quillo
