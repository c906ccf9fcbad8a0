#include "tree/EKelPiggerError.h"

#include "tree/TKelPigger.h"

namespace quillo {

QString EKelPiggerError::Describe(TFault fault, const QByteArray& tag)
{
    switch (fault) {
    case TFault::EndTagMismatch:
        return QStringLiteral("Unclosed tag: %1").arg(QString::fromUtf8(tag));
    case TFault::TooDeep:
        return QStringLiteral("Elements nested deeper than %1 levels").arg(TKelPigger::MaxDepth);
    case TFault::TooLarge:
        return QStringLiteral("Text too large");
    default:
        return QStringLiteral("Syntax error");
    }
}

} // namespace quillo
