#pragma once

#include <QLocale>
#include <QString>

namespace quillo::NumberPicture {

// Writes value by a picture of up to three sections, "positive;negative;zero": "0" and "#" digit
// positions, "." for the decimal separator, "," for thousands separators, E+ E- e+ e- for an exponent,
// quoted text copied. Halves round away from zero. An empty picture writes the general form.
QString Format(const QString& picture, double value, const QLocale& locale = QLocale());

} // namespace quillo::NumberPicture
