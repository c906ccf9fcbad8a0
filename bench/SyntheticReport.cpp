#include "SyntheticReport.h"

#include "report/TKelReport.h"

namespace quillo {

QByteArray ListingReport(int pages)
{
    QByteArray text
        = "<REPORT TITLE=\"Listing\"><HEAD><FONT FACE=\"DejaVu Sans\" SIZE=\"9\"/>"
          "<FONT NAME=\"bold\" FACE=\"DejaVu Sans\" SIZE=\"9\" BOLD=\"YES\"/>"
          "<STYLE NAME=\"cell\" HEIGHT=\"+1\" BORDER-BOTTOM=\"0.1\"/>"
          "<PAGEFOOTER><LABEL ALIGN=\"RIGHT\" TEXT=\"Page [[PAGE]] of [[PAGES]]\"/></PAGEFOOTER></HEAD>"
          "<BODY><BAND TABLEHEAD=\"YES\" WIDTH=\"-0\" HEIGHT=\"7\" BGCOLOR=\"LIGHTGRAY\">"
          "<LABEL FONT=\"bold\" WIDTH=\"60\" TEXT=\"Name\"/><LABEL FONT=\"bold\" WIDTH=\"40\" TEXT=\"Phone\"/>"
          "<LABEL FONT=\"bold\" WIDTH=\"-0\" TEXT=\"E-mail\"/></BAND>";
    for (int row = 0; row < pages * RowsPerPage; ++row) {
        const QByteArray n = QByteArray::number(row);
        text += "<BAND WIDTH=\"-0\" HEIGHT=\"8.8\"><LABEL STYLE=\"cell\" WIDTH=\"60\" TEXT=\"Zo%C3%AB Nummer " + n
            + "\"/><LABEL STYLE=\"cell\" WIDTH=\"40\" TEXT=\"+49 30 " + n
            + "\"/><LABEL STYLE=\"cell\" WIDTH=\"-0\" ELLIPSIS=\"YES\" TEXT=\"person" + n + "@example.org\"/></BAND>";
    }
    return text + "<TABLEEND/></BODY></REPORT>";
}

void SetListingPage(TKelReport& report)
{
    report.SetTopMargin(10);
    report.SetBottomMargin(10);
    report.SetLeftMargin(15);
    report.SetRightMargin(15);
}

} // namespace quillo
