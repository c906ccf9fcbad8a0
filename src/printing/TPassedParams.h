#pragma once

#include "tree/TKelPigger.h"

#include <QString>

namespace quillo {

// The parameters the program passes to every print-template run: a PARAMS element with PARAM children
// (NAME, VALUE, TYPE), at most one per NAME. Rebuilt by Clear before each run so nothing survives from one
// run to the next.
class TPassedParams {
public:
    TPassedParams();

    TKelPigger& Node() { return m_params; }
    const TKelPigger& Node() const { return m_params; }

    void Clear();
    // Replaces the value of the PARAM named name (case-insensitive), or adds one.
    void Set(const QString& name, const QString& value, const QString& type = QStringLiteral("STRING"));

    // PAGE_TYPE (the side, "RIGHT" or "LEFT") and RPP (records per page less one) of a page print or a
    // sample run; notebook may be null (the wizard), which gives RPP 9.
    void SetPageParams(const QString& pageType, const TKelPigger* notebook);

    static int RppParam(const TKelPigger* notebook);

private:
    TKelPigger m_params;
};

} // namespace quillo
