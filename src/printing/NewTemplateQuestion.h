#pragma once

#include <QString>
#include <QUrl>

namespace quillo::NewTemplateQuestion {

// The Yes/No question of the "New template" buttons. Asked from another window than the template
// frame, it first says where existing templates are chosen.
QString Text(bool askedFromOtherWindow);

// The template reference in the user guide, opened on Yes.
QUrl ReferenceUrl();

} // namespace quillo::NewTemplateQuestion
