#include "reportgen/TKelReportGenerator.h"

#include "reportgen/TKelTemplateInterpreter.h"
#include "tree/EKelError.h"
#include "tree/KelTextFile.h"

namespace quillo {

namespace {

// Reading rewrote every line end as CR LF: moves element starts back onto the file's bytes. Pre-order starts
// ascend, as the positions must.
void RemapStarts(TKelPigger& node, KelTextFile::TFilePositions& positions)
{
    if (auto* element = dynamic_cast<TRGPigger*>(&node); element && element->StartPosition() > 0)
        element->SetStartPosition(int(positions.FilePosition(element->StartPosition())));
    for (int i = 0; i < node.ChildCount(); ++i)
        RemapStarts(*node.Child(i), positions);
}

} // namespace

TKelReportGenerator::TKelReportGenerator()
    : m_parser(this)
{
    m_queryStack = &m_queries;
}

TKelReportGenerator::~TKelReportGenerator() { Clear(); }

void TKelReportGenerator::BeforeNode(TKelPigger*) { }

std::shared_ptr<IReportQuery> TKelReportGenerator::CreateQuery() { throw EKelError("Abstract Error"); }

void TKelReportGenerator::Execute()
{
    BeforeNode(&m_template);
    const QByteArray& root = m_template.Tag();
    TKelPigger* report = m_template.FindChild("REPORT");
    if ((root != "REPORT_TEMPLATE" && root != "QUILLO_TEMPLATE") || !report)
        throw EKelError("Invalid report template");
    TKelTemplateInterpreter(*this, m_output).RunNode(*report);
    BeforeNode(nullptr);
}

void TKelReportGenerator::LoadTemplate(const QString& fileName)
{
    const QByteArray file = KelTextFile::Read(fileName);
    KelTextFile::Load(m_template, file);
    KelTextFile::TFilePositions positions(file);
    RemapStarts(m_template, positions);
}

QByteArray TKelReportGenerator::TakeOutput() { return std::exchange(m_output, QByteArray()); }

void TKelReportGenerator::Clear()
{
    m_template.Clear();
    m_output.clear();
    m_params.Clear();
    m_variables.clear();
    m_queries.Clear();
}

TExpr TKelReportGenerator::GetVar(const QByteArray& name) const { return m_variables.value(ExprUpperCase(name)); }

void TKelReportGenerator::SetVar(const QByteArray& name, const TExpr& value)
{
    m_variables.insert(ExprUpperCase(name), value);
}

} // namespace quillo
