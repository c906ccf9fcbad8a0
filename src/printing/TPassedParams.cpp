#include "TPassedParams.h"

#include "records/RecordOps.h"

namespace quillo {

TPassedParams::TPassedParams() { Clear(); }

void TPassedParams::Clear()
{
    m_params.Clear();
    m_params.SetTag("PARAMS");
}

void TPassedParams::Set(const QString& name, const QString& value, const QString& type)
{
    TKelPigger* param = m_params.FindChildByAttr(QStringLiteral("NAME"), name);
    if (!param) {
        param = new TKelPigger(&m_params);
        param->SetTag("PARAM");
    }
    param->SetAttr(QStringLiteral("NAME"), name);
    param->SetAttr(QStringLiteral("VALUE"), value);
    param->SetAttr(QStringLiteral("TYPE"), type);
}

void TPassedParams::SetPageParams(const QString& pageType, const TKelPigger* notebook)
{
    Set(QStringLiteral("PAGE_TYPE"), pageType);
    Set(QStringLiteral("RPP"), QString::number(RppParam(notebook)), QStringLiteral("INT"));
}

int TPassedParams::RppParam(const TKelPigger* notebook) { return RecordOps::RecordsPerPage(notebook) - 1; }

} // namespace quillo
