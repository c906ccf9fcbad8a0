#include "reportgen/TRGPigger.h"

#include "tree/TKelParseContext.h"

#include <cstring>

namespace quillo {

void TRGPigger::Parse(TKelParseContext& context)
{
    // The reader looks for the same "<"; only the bytes before it are searched twice.
    const void* open = context.Pos < context.Length
        ? std::memchr(context.Data + context.Pos, '<', size_t(context.Length - context.Pos))
        : nullptr;
    m_startPosition = open ? int(static_cast<const char*>(open) - context.Data + 1) : 0;
    TKelPigger::Parse(context);
}

} // namespace quillo
