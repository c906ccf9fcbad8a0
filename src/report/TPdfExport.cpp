#include "report/TPdfExport.h"

#include "report/TKelReport.h"
#include "tree/EKelError.h"

#include <QFile>
#include <QPdfWriter>

namespace quillo {

void ExportPdf(TKelReport& report, QIODevice& device, const TPrintOffsets& offsets)
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Quillo-ZDK"));
    writer.setTitle(QString::fromUtf8(report.Title()));
    writer.setPageSize(QPageSize(QSizeF(report.PageSizeLo(), report.PageSizeHi()), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    report.Print(writer, {}, offsets);
}

void ExportPdf(TKelReport& report, const QString& path, const TPrintOffsets& offsets)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
    ExportPdf(report, file, offsets);
    if (!file.flush() || file.error() != QFileDevice::NoError)
        throw EKelError(QStringLiteral("Cannot write file %1").arg(path));
}

} // namespace quillo
