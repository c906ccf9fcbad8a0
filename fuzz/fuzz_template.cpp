// Runs arbitrary template texts through the notebook generator against a small page with passed
// parameters. Reading and run errors are raised as exceptions and are fine; crashes, hangs and
// sanitizer reports are not.
#include "reportgen/TRepGenPig.h"
#include "tree/EKelError.h"

#include <cstddef>
#include <cstdint>

using namespace quillo;

namespace {

struct Nodes {
    Nodes()
    {
        page.LoadFromText("<PAGE NAME=\"A\"><REC NAME=\"Ann\" PHONE=\"1\"/><REC NAME=\"Zo\xc3\xab\"/><REC/></PAGE>");
        params.LoadFromText("<PARAMS><PARAM NAME=\"RPP\" TYPE=\"INT\" VALUE=\"3\"/>"
                            "<PARAM NAME=\"PAGE_TYPE\" TYPE=\"STRING\" VALUE=\"LEFT\"/></PARAMS>");
    }
    TKelPigger page;
    TKelPigger params;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static Nodes nodes;
    TRepGenPig generator;
    try {
        generator.Template().LoadFromText(
            TKelPigger::NormalizeText(QByteArrayView(reinterpret_cast<const char*>(bytes), qsizetype(size))));
    } catch (const EKelError&) {
        return 0;
    }
    // Small limits keep endless and nested loops, and doubling output, from eating the fuzzing time.
    generator.SetLoopPassLimit(1000);
    generator.SetStatementLimit(100'000);
    generator.SetOutputLimit(1 << 20);
    generator.SetDataNode(&nodes.page);
    generator.SetPassedParams(&nodes.params);
    // Twice: variables and a template changed by OPENTAG carry over into the second run.
    for (int run = 0; run < 2; ++run) {
        try {
            generator.Execute();
        } catch (const EKelError&) {
        }
        generator.TakeOutput();
    }
    return 0;
}
