#include "reportgen/ETemplateError.h"

namespace quillo {

QString ETemplateError::Where() const
{
    const QString element = QString::fromUtf8(Element);
    if (Position <= 0)
        return QStringLiteral("In <%1> of the template").arg(element);
    return QStringLiteral("In <%1> at byte %2 of the template file").arg(element).arg(Position);
}

QString WindowMessage(const EKelError& error)
{
    if (const auto* fault = dynamic_cast<const ETemplateError*>(&error))
        return fault->Message() + QLatin1Char('\n') + fault->Where();
    return error.Message();
}

} // namespace quillo
