#pragma once

#include <QString>

namespace quillo::ProgramPaths {

// Resolves a path as stored in documents ('\' or '/' separators). A relative path is tried
// against the working folder first and then against the program's folder, so "..\docs\x" is
// found from a terminal in bin/ and from a desktop launcher alike. When neither exists, the
// working-folder form is returned.
QString Resolve(const QString& path);

// The user guide that ships beside the program.
QString DocumentationFile();
// The sample notebook that ships beside the program.
QString SampleNotebook();

} // namespace quillo::ProgramPaths
