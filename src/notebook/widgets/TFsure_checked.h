#pragma once

#include "notebook/widgets/TFsure.h"

class QCheckBox;

namespace quillo {

// The confirmation for deletions: "Yes" stays disabled until "Yes, I'm sure" is ticked. Every question
// starts unticked, so an earlier tick never answers a later question.
class TFsure_checked : public TFsure {
    Q_OBJECT
public:
    explicit TFsure_checked(QWidget* parent = nullptr);

    void SetQuestion(const QString& question) override;

private:
    QCheckBox* m_sure;
};

} // namespace quillo
