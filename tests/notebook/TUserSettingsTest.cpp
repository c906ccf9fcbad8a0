#include "notebook/TUserSettings.h"
#include "testutil/QtPrinters.h"
#include "testutil/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace quillo {
namespace {

using testutil::TempFolder;
using Margin = TUserSettings::Margin;

// One attribute of the settings file as the next start reads it.
QString StoredAttr(const QString& path, const QString& name)
{
    TKelPigger root;
    root.LoadFromFile(path);
    return root.GetAttr(name);
}

TEST(UserSettingsTest, FirstStartWritesAnEmptySettingsFile)
{
    TempFolder folder;
    const QString path = folder.File("sub/quillo-zdk.SET");
    TUserSettings settings(path);

    EXPECT_EQ(TempFolder::Read(path), "\r\n<SETTINGS/>");
    EXPECT_EQ(settings.GetDocName(), "");
    EXPECT_EQ(settings.GetDataDir(), "");
}

TEST(UserSettingsTest, UnusableFilesAreReplacedByEmptySettings)
{
    const struct {
        const char* name;
        QByteArray text;
    } cases[] = {
        { "syntax error", "<SETTINGS DOC_NAME=\"x>" },
        { "unclosed", "<SETTINGS>" },
        { "other document", "<NOTEBOOKS/>" },
        { "empty", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const QString path = folder.Write("quillo-zdk.SET", c.text);
        TUserSettings settings(path);
        EXPECT_EQ(settings.Document().Tag(), "SETTINGS");
        EXPECT_EQ(settings.Document().AttrCount(), 0);
        EXPECT_EQ(TempFolder::Read(path), "\r\n<SETTINGS/>");
    }
}

TEST(UserSettingsTest, MarginsDefaultToTwentyAndAreStoredWhenRead)
{
    const struct {
        const char* name;
        std::optional<QString> stored;
        int read;
        QString storedAfter;
    } cases[] = {
        { "absent", std::nullopt, 20, "20" },
        { "integer", "15", 15, "15" },
        { "zero", "0", 0, "0" },
        { "not an integer", "abc", 0, "abc" },
        { "decimal", "12.5", 0, "12.5" },
    };
    const Margin margins[] = { Margin::Left, Margin::Right, Margin::Top };
    const QString names[] = { "PRINTER_MARGIN_LEFT", "PRINTER_MARGIN_RIGHT", "PRINTER_MARGIN_TOP" };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(std::string(c.name) + " " + names[i].toStdString());
            TempFolder folder;
            const QString text = c.stored ? QString("<SETTINGS %1=\"%2\"/>").arg(names[i], *c.stored) : "<SETTINGS/>";
            const QString path = folder.Write("quillo-zdk.SET", text.toUtf8());
            {
                TUserSettings settings(path);
                EXPECT_EQ(settings.PrinterMargin(margins[i]), c.read);
                EXPECT_EQ(settings.Document().GetAttr(names[i]), c.storedAfter);
            }
            EXPECT_EQ(StoredAttr(path, names[i]), c.storedAfter) << "saved when the holder goes";
        }
    }
}

TEST(UserSettingsTest, FileAndFolderSurviveARestart)
{
    TempFolder folder;
    const QString path = folder.File("quillo-zdk.SET");
    const QString awkward = "/home/u/\u00e4 \"quoted\" <100%>/notes.zdk";
    {
        TUserSettings settings(path);
        settings.SetDocName(awkward);
        settings.SetDataDir("/home/u");
        settings.SetPrinterMargin(Margin::Top, 7);
        settings.Save();
    }
    TUserSettings again(path);
    EXPECT_EQ(again.GetDocName(), awkward);
    EXPECT_EQ(again.GetDataDir(), "/home/u");
    EXPECT_EQ(again.PrinterMargin(Margin::Top), 7);

    again.SetDocName(QString());
    EXPECT_EQ(again.Document().IndexOfAttr(u"DOC_NAME"), -1);
}

TEST(UserSettingsTest, WriteErrorsAreIgnored)
{
    TempFolder folder;
    const QString blocker = folder.Write("file", "not a folder");
    TUserSettings settings(blocker + "/quillo-zdk.SET");
    settings.SetDocName("/x.zdk");
    settings.Save();
    EXPECT_EQ(TempFolder::Read(blocker), "not a folder");
}

TEST(UserSettingsTest, DefaultPathIsInTheApplicationConfigFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    EXPECT_EQ(TUserSettings::DefaultPath(), folder + "/quillo-zdk.SET");
    QFile::remove(TUserSettings::DefaultPath());
    {
        TUserSettings settings;
        EXPECT_TRUE(QFileInfo::exists(folder + "/quillo-zdk.SET"));
    }
    QFile::remove(TUserSettings::DefaultPath());
}

} // namespace
} // namespace quillo
