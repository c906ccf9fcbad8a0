#include "reportgen/TKelReportGenerator.h"

namespace quillo {

TKelReportGenerator::TKelReportGenerator()
    : m_parser(this)
{
}

TExpr TKelReportGenerator::GetVar(const QByteArray& name) const { return m_variables.value(ExprUpperCase(name)); }

void TKelReportGenerator::SetVar(const QByteArray& name, const TExpr& value)
{
    m_variables.insert(ExprUpperCase(name), value);
}

} // namespace quillo
