#include "notebook/NotebookSchema.h"

namespace quillo::NotebookSchema {

bool CheckStructure(const TKelPigger& root)
{
    if (root.Tag() != "NOTEBOOKS")
        return false;
    const TKelPigger* notebook = root.FindChild("NOTEBOOK");
    if (!notebook)
        return false;
    const TKelPigger* fields = notebook->FindChild("FIELDS");
    const TKelPigger* pages = notebook->FindChild("PAGES");
    return fields && fields->FindChild("FIELD") && pages && pages->FindChild("PAGE");
}

} // namespace quillo::NotebookSchema
