#include "reportgen/TKelReportGenerator.h"

#include "reportgen/TKelTemplateInterpreter.h"
#include "tree/EKelError.h"
#include "tree/KelTextFile.h"

namespace quillo {

namespace {

// Reading rewrote every line end as CR LF. Moves element starts back onto the file's bytes; pre-order
// starts ascend, so one pass over the file serves the whole tree.
class TFilePositions {
public:
    explicit TFilePositions(const QByteArray& file)
        : m_file(file)
    {
    }

    void Remap(TKelPigger& node)
    {
        if (auto* element = dynamic_cast<TRGPigger*>(&node); element && element->StartPosition() > 0)
            element->SetStartPosition(FilePosition(element->StartPosition()));
        for (int i = 0; i < node.ChildCount(); ++i)
            Remap(*node.Child(i));
    }

private:
    int FilePosition(int textPosition)
    {
        // A "<" never lies inside a line end, so the walk lands on it exactly.
        while (m_text < textPosition - 1 && m_at < m_file.size()) {
            const char ch = m_file[m_at];
            if (ch == '\r' || ch == '\n') {
                m_at += (ch == '\r' && m_at + 1 < m_file.size() && m_file[m_at + 1] == '\n') ? 2 : 1;
                m_text += 2;
            } else {
                ++m_at;
                ++m_text;
            }
        }
        return int(m_at + 1);
    }

    const QByteArray& m_file;
    qsizetype m_at = 0;
    qsizetype m_text = 0;
};

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
    const QByteArray text = KelTextFile::Normalized(file);
    m_template.LoadFromText(text);
    if (text != file) {
        TFilePositions positions(file);
        positions.Remap(m_template);
    }
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
