#include "ui/TQtDesktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillo {

bool TQtDesktop::Open(const QString& target)
{
    const QUrl url = QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace quillo
