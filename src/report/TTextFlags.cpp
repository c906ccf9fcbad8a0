#include "report/TTextFlags.h"

#include <Qt>

namespace quillo {

int TTextFlags::QtFlags(bool measuring) const
{
    int flags = Qt::TextExpandTabs;
    flags |= horizontal == Center ? Qt::AlignHCenter : horizontal == Right ? Qt::AlignRight : Qt::AlignLeft;
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    if (measuring || vertical == Multiline)
        return flags | Qt::AlignTop;
    flags |= Qt::TextSingleLine;
    return flags | (vertical == VCenter ? Qt::AlignVCenter : vertical == Bottom ? Qt::AlignBottom : Qt::AlignTop);
}

} // namespace quillo
