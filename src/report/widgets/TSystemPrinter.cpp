#include "report/widgets/TSystemPrinter.h"

#include <QPrintDialog>
#include <QPrinterInfo>

namespace quillo {

// Pages are placed from the sheet's edge, as in an exported PDF: the printer's unprintable border must not
// shift a notebook page off its side offset.
TSystemPrinter::TSystemPrinter() { m_printer.setFullPage(true); }

bool TSystemPrinter::Installed() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

bool TSystemPrinter::Setup(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quillo
