#include "notebook/TUserSettings.h"

#include "notebook/TDiskFileOps.h"
#include "notebook/TSafeFileWriter.h"
#include "tree/EKelError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillo {

namespace {

QString MarginAttr(TUserSettings::Margin margin)
{
    switch (margin) {
    case TUserSettings::Margin::Left:
        return QStringLiteral("PRINTER_MARGIN_LEFT");
    case TUserSettings::Margin::Right:
        return QStringLiteral("PRINTER_MARGIN_RIGHT");
    case TUserSettings::Margin::Top:
        break;
    }
    return QStringLiteral("PRINTER_MARGIN_TOP");
}

const QString OffsetAttrs[]
    = { QStringLiteral("FRONT_X"), QStringLiteral("FRONT_Y"), QStringLiteral("BACK_X"), QStringLiteral("BACK_Y") };

int BoundOffset(int tenths) { return qBound(-TPrintOffsets::Limit, tenths, TPrintOffsets::Limit); }

} // namespace

TUserSettings::TUserSettings(const QString& path)
    : m_path(path)
{
    if (!Load()) {
        m_document.Clear();
        m_document.SetTag("SETTINGS");
        Save();
    }
}

TUserSettings::~TUserSettings() { Save(); }

QString TUserSettings::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/quillo-zdk.SET");
}

QString TUserSettings::GetDocName() const { return m_document.GetAttr(QStringLiteral("DOC_NAME")); }

void TUserSettings::SetDocName(const QString& fileName) { m_document.SetAttr(QStringLiteral("DOC_NAME"), fileName); }

QString TUserSettings::GetDataDir() const { return m_document.GetAttr(QStringLiteral("DATA_DIR")); }

void TUserSettings::SetDataDir(const QString& folder) { m_document.SetAttr(QStringLiteral("DATA_DIR"), folder); }

int TUserSettings::GuiderWidth() const
{
    const int pixels = m_document.GetAttr(QStringLiteral("GUIDER_WIDTH")).toInt();
    return pixels > 0 ? pixels : 0;
}

void TUserSettings::SetGuiderWidth(int pixels)
{
    m_document.SetAttr(QStringLiteral("GUIDER_WIDTH"), pixels > 0 ? QString::number(pixels) : QString());
}

int TUserSettings::ReminderDaysAhead() const
{
    bool number = false;
    const int days = m_document.GetAttr(QStringLiteral("REMINDER_DAYS")).toInt(&number);
    return number ? qBound(MinReminderDays, days, MaxReminderDays) : DefaultReminderDays;
}

void TUserSettings::SetReminderDaysAhead(int days)
{
    m_document.SetAttr(
        QStringLiteral("REMINDER_DAYS"), QString::number(qBound(MinReminderDays, days, MaxReminderDays)));
}

TPrintOffsets TUserSettings::PrintOffsets(const QString& printer) const
{
    TPrintOffsets offsets;
    const TKelPigger* node = m_document.FindChildByAttr(QStringLiteral("NAME"), printer);
    if (!node || node->Tag() != "PRINTER")
        return offsets;
    int* fields[] = { &offsets.frontX, &offsets.frontY, &offsets.backX, &offsets.backY };
    for (int i = 0; i < 4; ++i)
        *fields[i] = BoundOffset(node->GetAttr(OffsetAttrs[i]).trimmed().toInt());
    return offsets;
}

void TUserSettings::SetPrintOffsets(const QString& printer, const TPrintOffsets& offsets)
{
    TKelPigger* node = m_document.FindChildByAttr(QStringLiteral("NAME"), printer);
    if (!node || node->Tag() != "PRINTER") {
        node = new TKelPigger(&m_document);
        node->SetTag("PRINTER");
        node->SetAttr(QStringLiteral("NAME"), printer);
    }
    const int values[] = { offsets.frontX, offsets.frontY, offsets.backX, offsets.backY };
    for (int i = 0; i < 4; ++i)
        node->SetAttr(OffsetAttrs[i], QString::number(BoundOffset(values[i])));
}

bool TUserSettings::ReminderAtStart() const { return m_document.GetAttr(QStringLiteral("REMINDER_AT_START")) == "Y"; }

void TUserSettings::SetReminderAtStart(bool show)
{
    m_document.SetAttr(QStringLiteral("REMINDER_AT_START"), show ? QStringLiteral("Y") : QString());
}

int TUserSettings::PrinterMargin(Margin margin)
{
    const QString name = MarginAttr(margin);
    const QString value = m_document.GetAttr(name);
    if (value.isEmpty()) {
        SetPrinterMargin(margin, DefaultMargin);
        return DefaultMargin;
    }
    return value.toInt();
}

void TUserSettings::SetPrinterMargin(Margin margin, int millimetres)
{
    m_document.SetAttr(MarginAttr(margin), QString::number(millimetres));
}

void TUserSettings::Save()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    TDiskFileOps disk;
    TSafeFileWriter(disk).Write(m_path, m_document.SaveToText());
}

bool TUserSettings::Load()
{
    try {
        m_document.LoadFromFile(m_path);
    } catch (const EKelError&) {
        return false;
    }
    return m_document.Tag() == "SETTINGS";
}

} // namespace quillo
