#include "ZdkCommands.h"

#include "report/TKelCompLibrary.h"
#include "tree/EKelError.h"

#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>

using namespace quillo;

namespace {

const char* const Usage
    = "usage: zdktool COMMAND ARGS...\n"
      "commands:\n"
      "  check FILE\n"
      "  format FILE|-\n"
      "  eval [--data FILE [--notebook N [--page N]]] [--param N=V[:INT]]... EXPR...\n"
      "  run TEMPLATE [--data FILE [--notebook N [--page N]]] [--param N=V[:INT]]... [--out FILE]\n"
      "  render REPORT|- [--dpi N] [--paper WxH] [--landscape] [--margins L,T,R,B] [--print-zoom N]\n"
      "         [--hbreak] [--overlap N] [--two-side]\n"
      "  search FILE.zdk TEXT [--case-sensitive] [--all-nodes] [--notebook N [--page N]]\n"
      "  birthdays FILE.zdk [--today YYYY-MM-DD] [--days N] [--date-format FORMAT]\n"
      "  print-page FILE.zdk --notebook N --page N [--side left|right] [--margins L,R,T] [--template T]\n"
      "             [--paper WxH] --pdf OUT.pdf\n"
      "  import FILE.zdk --notebook N (--vcard IN | --csv IN) [--page N] [--create-fields] [--out OUT.zdk]\n"
      "  export FILE.zdk --notebook N [--page N] (--vcard | --csv) [--out OUT]\n"
      "  print-notebook FILE.zdk --notebook N [--pages FROM-TO] [--up 1|2] [--paper WxH] [--landscape]\n"
      "                 [--margins L,R,T] [--template T] --pdf OUT.pdf\n"
      "  zbm encode IMAGE --out FILE.zbm | zbm hex IMAGE | zbm decode FILE.zbm --out IMAGE.png\n";

// Qt's own notes (fonts, runtime folders) are not the tool's output: stderr carries only "error: ...".
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietQtNotes);
    // Laying out a report measures text with fonts, which need the GUI application; the tool never
    // opens a window, so it runs on the offscreen platform unless told otherwise.
    const bool needsFonts = argc > 1
        && (qstrcmp(argv[1], "render") == 0 || qstrcmp(argv[1], "print-page") == 0
            || qstrcmp(argv[1], "print-notebook") == 0);
    if (needsFonts && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app(
        needsFonts ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    TKelCompLibrary::LoadProgramLibrary();
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(Usage, stderr);
        return 1;
    }
    const std::map<QString, std::function<int(const QStringList&)>> commands {
        { QStringLiteral("check"), zdktool::Check },
        { QStringLiteral("format"), zdktool::Format },
        { QStringLiteral("eval"), zdktool::Eval },
        { QStringLiteral("run"), zdktool::Run },
        { QStringLiteral("render"), zdktool::Render },
        { QStringLiteral("zbm"), zdktool::Zbm },
        { QStringLiteral("search"), zdktool::Search },
        { QStringLiteral("birthdays"), zdktool::Birthdays },
        { QStringLiteral("print-page"), zdktool::PrintPage },
        { QStringLiteral("import"), zdktool::Import },
        { QStringLiteral("export"), zdktool::Export },
        { QStringLiteral("print-notebook"), zdktool::PrintNotebook },
    };
    const QString name = args.takeFirst();
    const auto command = commands.find(name);
    if (command == commands.end()) {
        std::fputs(Usage, stderr);
        return zdktool::Fail(QStringLiteral("unknown command %1").arg(name));
    }
    int exitCode;
    try {
        exitCode = command->second(args);
    } catch (const EKelError& error) {
        exitCode = zdktool::Fail(error.Message());
    } catch (const std::exception& error) {
        exitCode = zdktool::Fail(QString::fromLocal8Bit(error.what()));
    }
    return zdktool::FinishOutput(exitCode);
}
