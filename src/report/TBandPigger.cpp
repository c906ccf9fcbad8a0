#include "report/TBandPigger.h"

#include "report/TImagePigger.h"
#include "report/TLabelPigger.h"

namespace quillo {

void DefaultToContentSize(TKelPigger& element)
{
    for (const QString& name : { QStringLiteral("WIDTH"), QStringLiteral("HEIGHT") })
        if (element.GetAttr(name).isEmpty())
            element.SetAttr(name, QStringLiteral("+0"));
}

TKelPigger* TBandPigger::Create(TKelPigger* parent) const
{
    return new TBandPigger(parent, ReportOf(parent), dynamic_cast<TVisualElemPigger*>(parent));
}

TKelPigger* TBandPigger::CreateChild(const QByteArray& tag)
{
    if (tag == "BAND")
        return new TBandPigger(this, Report(), this);
    if (tag == "LABEL")
        return new TLabelPigger(this, Report(), this);
    if (tag == "IMAGE")
        return new TImagePigger(this, Report(), this);
    return nullptr;
}

void TBandPigger::Init()
{
    TVisualElemPigger::Init();
    DefaultToContentSize(*this);
}

} // namespace quillo
