#pragma once

#include "tree/TKelPigger.h"

#include <QLatin1StringView>

#include <array>

namespace quillo::NotebookSchema {

// The FEATURE values of a FIELD, compared exactly; an absent FEATURE means no feature.
inline constexpr QLatin1StringView FeatureHttp { "Field is http" };
inline constexpr QLatin1StringView FeatureEmail { "Field is e-mail address" };
inline constexpr QLatin1StringView FeatureFile { "Field is file" };
inline constexpr QLatin1StringView FeatureDate { "Field is date" };
// In the order the field properties dialog offers them.
inline constexpr std::array<QLatin1StringView, 4> Features { FeatureHttp, FeatureEmail, FeatureFile, FeatureDate };

// The widths a field's grid column may have, in pixels; 0 stands for the grid's default width.
inline constexpr int MaxFieldWidth = 4000;

// The print template of a notebook without PRINT_TEMPLATE, relative to the working folder (or the program's).
inline constexpr QLatin1StringView DefaultPrintTemplate { "..\\templates\\contacts-5.zdkt" };

// Records per page when RPP is absent or unusable.
inline constexpr int DefaultRpp = 10;

// The opening check of a notebook file: root NOTEBOOKS whose first NOTEBOOK has a FIELDS child
// with a FIELD and a PAGES child with a PAGE. Later notebooks are not examined.
bool CheckStructure(const TKelPigger& root);
// Why root fails the opening check, in a sentence; empty when it passes.
QString StructureFault(const TKelPigger& root);
// Why a notebook could not stand first in a file: it lacks a field or a page. Empty when it could.
QString NotebookFault(const TKelPigger& notebook);

// What the user is told when a file fails to load or fails the opening check; the reason, when given,
// follows on a second line.
QString CantLoadFileMessage(const QString& fileName, const QString& reason = QString());

// True for the characters a field or page name may hold: A-Z, a-z, 0-9, ( ) + - _.
bool IsNameChar(char32_t c);
// Replaces every character outside the allowed set by '_'; the name keeps its length in characters.
QString SanitizeName(const QString& name);

// RPP of a notebook; absent, not an integer or below 1 gives DefaultRpp.
int Rpp(const TKelPigger& notebook);

// Caption of a field or page: TITLE when not empty, else NAME.
QString Caption(const TKelPigger& node);

// The node itself or its nearest ancestor tagged NOTEBOOK; nullptr when there is none.
TKelPigger* NotebookOf(TKelPigger* node);
const TKelPigger* NotebookOf(const TKelPigger* node);

} // namespace quillo::NotebookSchema
