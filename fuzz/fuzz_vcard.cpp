// Reads random bytes as a vCard file into a small notebook (creating fields for what finds none), then
// checks that the notebook exports and imports again unchanged.
#include "ExchangeRoundTrip.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzContactFile(bytes, size, false);
    return 0;
}
