// Reads random bytes as a CSV file into a small notebook (creating fields for what finds none, and the
// pages its PAGE column names), then checks that the notebook exports and imports again unchanged.
#include "ExchangeRoundTrip.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

using namespace quillo;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    TKelPigger root;
    LoadFuzzNotebook(root);
    TKelPigger& notebook = *root.FindChild("NOTEBOOK");
    try {
        const TContactBatch batch = ContactImport::ReadCsv(
            QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size)), notebook, size % 2 == 1);
        ContactImport::Apply(notebook, batch, { {}, true });
    } catch (const EExchangeError&) {
        return 0;
    }
    CheckRoundTrip(notebook, true);
    return 0;
}
