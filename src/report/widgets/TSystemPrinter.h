#pragma once

#include "report/widgets/IReportPrinter.h"

#include <QPrinter>

namespace quillo {

// The default printer of the system and its setup dialog.
class TSystemPrinter : public IReportPrinter {
public:
    TSystemPrinter();

    bool Installed() const override;
    QPrinter& Printer() override { return m_printer; }
    bool Setup(QWidget* parent) override;

private:
    QPrinter m_printer { QPrinter::HighResolution };
};

} // namespace quillo
