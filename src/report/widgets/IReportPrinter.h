#pragma once

#include <QPrinter>
#include <QString>

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

// The name under which the printer's offsets are kept: the printer's, or "PDF" without one.
inline QString OffsetsName(IReportPrinter& printer)
{
    const QString name = printer.Installed() ? printer.Printer().printerName() : QString();
    return name.isEmpty() ? QStringLiteral("PDF") : name;
}

} // namespace quillo
