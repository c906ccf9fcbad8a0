#pragma once

#include "tree/TKelPigger.h"

namespace quillo {

// Node class of loaded templates: its reader builds TRGPigger children, each knowing where it starts.
class TRGPigger : public TKelPigger {
public:
    explicit TRGPigger(TKelPigger* parent = nullptr)
        : TKelPigger(parent)
    {
    }

    TKelPigger* Create(TKelPigger* parent) const override { return new TRGPigger(parent); }
    TKelPigger* CreateChild(const QByteArray&) override { return new TRGPigger(this); }
    void Parse(TKelParseContext& context) override;

    // 1-based byte position of the element's "<" in the text it was read from; 0 when it was not read.
    int StartPosition() const { return m_startPosition; }
    void SetStartPosition(int position) { m_startPosition = position; }

private:
    int m_startPosition = 0;
};

} // namespace quillo
