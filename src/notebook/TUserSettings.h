#pragma once

#include "notebook/TPrintOffsets.h"
#include "tree/TKelPigger.h"

namespace quillo {

// The user settings document: the last file, the last folder and the printer margins, kept in a small
// SETTINGS file of the document text format. It is saved on request and once more when destroyed;
// write errors are ignored, a missing or unreadable file is replaced by an empty SETTINGS document.
class TUserSettings {
public:
    enum class Margin { Left, Right, Top };
    static constexpr int DefaultMargin = 20;
    static constexpr int MinReminderDays = 1;
    static constexpr int MaxReminderDays = 60;
    static constexpr int DefaultReminderDays = 3;

    // Loads the file at path; when that fails, starts empty and writes the empty document at once.
    explicit TUserSettings(const QString& path = DefaultPath());
    ~TUserSettings();
    TUserSettings(const TUserSettings&) = delete;
    TUserSettings& operator=(const TUserSettings&) = delete;

    // quillo-zdk.SET in the application's configuration folder (the program's own folder is usually read-only).
    static QString DefaultPath();

    const QString& Path() const { return m_path; }
    const TKelPigger& Document() const { return m_document; }

    // DOC_NAME: the file opened at start-up. An empty value removes the attribute.
    QString GetDocName() const;
    void SetDocName(const QString& fileName);
    // DATA_DIR: the initial folder of the open and save dialogs.
    QString GetDataDir() const;
    void SetDataDir(const QString& folder);

    // GUIDER_WIDTH: the guider's width in pixels as the user left it; 0 when none is stored or it is unusable.
    int GuiderWidth() const;
    void SetGuiderWidth(int pixels);

    // A margin in millimetres; an absent one is stored as DefaultMargin first, one that is not an integer reads 0.
    int PrinterMargin(Margin margin);
    void SetPrinterMargin(Margin margin, int millimetres);

    // REMINDER_DAYS: how many days the birthday reminder looks ahead, today counted; 1 to 60, default 3.
    // A stored value outside the range or not a number reads as the nearest end or the default.
    int ReminderDaysAhead() const;
    void SetReminderDaysAhead(int days);
    // REMINDER_AT_START "Y": the reminder opens after start-up when a birthday is due.
    bool ReminderAtStart() const;
    void SetReminderAtStart(bool show);

    // The offsets measured on the calibration sheet of a printer (a PRINTER child named after it); zero when
    // none are stored. Values beyond TPrintOffsets::Limit are kept at the limit, others that are not numbers
    // read 0.
    TPrintOffsets PrintOffsets(const QString& printer) const;
    void SetPrintOffsets(const QString& printer, const TPrintOffsets& offsets);

    void Save();

private:
    bool Load();

    QString m_path;
    TKelPigger m_document;
};

} // namespace quillo
