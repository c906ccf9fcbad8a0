#include "NewTemplateQuestion.h"

#include "notebook/ProgramPaths.h"

namespace quillo::NewTemplateQuestion {

QString Text(bool askedFromOtherWindow)
{
    QString text;
    if (askedFromOtherWindow)
        text = QStringLiteral(
            "You can choose from existing templates when the \"PAGES\" node is selected in the guider.\n");
    text += QStringLiteral("New templates are made by hand: copy one of the sample templates in the templates folder "
                           "and change it.\nOpen the template reference in the user guide?");
    return text;
}

QUrl ReferenceUrl()
{
    QUrl url = QUrl::fromLocalFile(ProgramPaths::DocumentationFile());
    url.setFragment(QStringLiteral("templates"));
    return url;
}

} // namespace quillo::NewTemplateQuestion
