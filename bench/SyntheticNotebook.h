#pragma once

#include "tree/TKelPigger.h"

#include <QByteArray>

#include <memory>

namespace quillo {

// Size of a generated notebook. Records are spread evenly over the pages, in page order.
struct SyntheticNotebookShape {
    int records = 100000;
    int fields = 8;
    int pages = 26;
};

// A NOTEBOOKS document with one notebook of the given shape, filled with address-book values:
// non-ASCII letters, characters the writer escapes (", %, <, >), '&', multi-line values, and now
// and then a character outside the Basic Multilingual Plane. The same shape always gives the same tree.
std::unique_ptr<TKelPigger> BuildSyntheticNotebook(const SyntheticNotebookShape& shape = {});

// The document text of BuildSyntheticNotebook(shape), as the writer produces it.
QByteArray SyntheticNotebookText(const SyntheticNotebookShape& shape = {});

} // namespace quillo
