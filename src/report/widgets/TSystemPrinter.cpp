#include "report/widgets/TSystemPrinter.h"

#include <QPrintDialog>
#include <QPrinterInfo>

namespace quillo {

bool TSystemPrinter::Installed() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

bool TSystemPrinter::Setup(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quillo
