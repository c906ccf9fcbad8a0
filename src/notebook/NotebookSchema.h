#pragma once

#include "tree/TKelPigger.h"

namespace quillo::NotebookSchema {

// The opening check of a notebook file: root NOTEBOOKS whose first NOTEBOOK has a FIELDS child
// with a FIELD and a PAGES child with a PAGE. Later notebooks are not examined.
bool CheckStructure(const TKelPigger& root);

} // namespace quillo::NotebookSchema
