#include "printing/widgets/TO_prn_page.h"

namespace quillo {

TO_prn_page::TO_prn_page(QWidget* parent)
    : QFrame(parent)
{
}

} // namespace quillo
