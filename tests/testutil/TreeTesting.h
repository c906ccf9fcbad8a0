#pragma once

#include "testutil/QtPrinters.h"
#include "tree/TKelPigger.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace quillo::testutil {

// Reads document text into a new root node (throws what the reader throws).
std::unique_ptr<TKelPigger> ReadTree(const QByteArray& text);
// Empty when the two subtrees are equal (tags, attributes in order, texts, children); else where they differ.
QString TreeDifference(const TKelPigger& a, const TKelPigger& b);

} // namespace quillo::testutil
