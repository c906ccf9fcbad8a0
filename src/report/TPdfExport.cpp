#include "report/TPdfExport.h"

#include "report/TKelReport.h"
#include "tree/EKelError.h"

#include <QFile>
#include <QPdfWriter>

namespace quillo {

void ExportPdf(TKelReport& report, const QString& path)
{
    // QPdfWriter reports a file it cannot create only as a failed painter.
    if (QFile probe(path); !probe.open(QIODevice::WriteOnly))
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Quillo-ZDK"));
    writer.setTitle(QString::fromUtf8(report.Title()));
    writer.setPageSize(QPageSize(QSizeF(report.PageSizeLo(), report.PageSizeHi()), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    report.Print(writer);
}

} // namespace quillo
