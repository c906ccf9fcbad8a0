#pragma once

class QPrinter;
class QWidget;

namespace quillo {

// The system printer as the preview window uses it; tests put a PDF-backed printer in its place.
class IReportPrinter {
public:
    virtual ~IReportPrinter() = default;
    // At least one printer is installed.
    virtual bool Installed() const = 0;
    virtual QPrinter& Printer() = 0;
    // The platform's printer setup dialog; true when the user confirmed it.
    virtual bool Setup(QWidget* parent) = 0;
};

} // namespace quillo
