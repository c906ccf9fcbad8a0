#pragma once

#include "report/widgets/IReportPrinter.h"

#include <QPrinter>

#include <functional>

namespace quillo::testutil {

// The system printer as a printer that writes a PDF file, installed or not as the test says. Its setup
// dialog is confirmed at once after running setup, when one is given, on the printer.
class PdfReportPrinter : public IReportPrinter {
public:
    PdfReportPrinter(bool installed, const QString& path, const QPageSize& paper = QPageSize(QPageSize::A5),
        QPageLayout::Orientation orientation = QPageLayout::Landscape)
        : m_installed(installed)
    {
        // Placed from the sheet's edge as the system printer is.
        m_printer.setFullPage(true);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(path);
        m_printer.setPageSize(paper);
        m_printer.setPageOrientation(orientation);
    }
    bool Installed() const override { return m_installed; }
    QPrinter& Printer() override { return m_printer; }
    bool Setup(QWidget*) override
    {
        ++setups;
        if (setup)
            setup(m_printer);
        return true;
    }

    int setups = 0;
    std::function<void(QPrinter&)> setup;

private:
    bool m_installed;
    QPrinter m_printer { QPrinter::HighResolution };
};

} // namespace quillo::testutil
