#pragma once

#include "report/TBasePigger.h"

namespace quillo {

// STYLE in HEAD: attributes copied onto the elements that name it.
class TStylePigger : public TBasePigger {
public:
    using TBasePigger::TBasePigger;

    TKelPigger* Create(TKelPigger* parent) const override { return new TStylePigger(parent); }
    TKelPigger* CreateChild(const QByteArray&) override { return new TKelPigger(this); }
    void Init() override { m_name = GetAttr(QStringLiteral("NAME")).toUpper(); }

    const QString& Name() const { return m_name; }

private:
    QString m_name;
};

} // namespace quillo
