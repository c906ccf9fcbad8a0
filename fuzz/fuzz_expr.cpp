// Feeds arbitrary expression texts to the evaluator of a report generator that has a data node and
// passed parameters, then converts the result to every kind. Errors raised as exceptions are fine;
// crashes, hangs and sanitizer reports are not.
#include "reportgen/TKelReportGenerator.h"
#include "tree/EKelError.h"
#include "tree/TKelPigger.h"

#include <cstddef>
#include <cstdint>

using namespace quillo;

namespace {

struct Nodes {
    Nodes()
    {
        data.LoadFromText("<NOTEBOOK NAME=\"N\"><PAGES><PAGE NAME=\"A\"><REC X=\"1\"/><REC X=\"\xc3\xa4\"/></PAGE>"
                          "</PAGES></NOTEBOOK>");
        params.LoadFromText("<PARAMS><PARAM NAME=\"RPP\" TYPE=\"INT\" VALUE=\"10\"/>"
                            "<PARAM NAME=\"PAGE_TYPE\" TYPE=\"STRING\" VALUE=\"LEFT\"/></PARAMS>");
    }
    TKelPigger data;
    TKelPigger params;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static Nodes nodes;
    TKelReportGenerator generator;
    generator.SetDataNode(nodes.data.Child(0)->Child(0));
    generator.SetPassedParams(&nodes.params);
    try {
        const TExpr result = generator.Evaluate(QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(size)));
        for (TExprKind kind : { ekNull, ekBool, ekInt, ekFloat, ekString }) {
            TExpr copy = result;
            try {
                ConvertExpr(copy, kind);
            } catch (const EKelError&) {
            }
        }
    } catch (const EKelError&) {
    }
    return 0;
}
