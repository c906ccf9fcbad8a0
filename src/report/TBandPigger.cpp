#include "report/TBandPigger.h"

#include "report/TImagePigger.h"
#include "report/TLabelPigger.h"

namespace quillo {

void DefaultToContentSize(TKelPigger& element)
{
    for (const char16_t* name : { u"WIDTH", u"HEIGHT" })
        if (element.IndexOfAttr(QStringView(name)) < 0)
            element.SetAttr(QString::fromUtf16(name), QStringLiteral("+0"));
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
