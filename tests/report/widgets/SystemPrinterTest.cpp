#include "report/widgets/TSystemPrinter.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

// The test printer places pages from the sheet's edge; the real one must too, or printed pages drift by the
// printer's unprintable border.
TEST(SystemPrinter, PlacesPagesFromTheSheetsEdge)
{
    TSystemPrinter printer;
    EXPECT_TRUE(printer.Printer().fullPage());
}

} // namespace
} // namespace quillo
