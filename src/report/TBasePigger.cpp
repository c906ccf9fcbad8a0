#include "report/TBasePigger.h"

namespace quillo {

void TBasePigger::Init()
{
    for (int i = 0; i < ChildCount(); ++i)
        if (auto* child = dynamic_cast<TBasePigger*>(Child(i)))
            child->Init();
}

} // namespace quillo
