#include "ZdkCommands.h"

#include "tree/EKelError.h"

#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <map>

using namespace quillo;

namespace {

const char* const Usage
    = "usage: zdktool COMMAND ARGS...\n"
      "commands:\n"
      "  check FILE\n"
      "  format FILE|-\n"
      "  eval [--data FILE [--notebook N [--page N]]] [--param N=V[:INT]]... EXPR...\n"
      "  run TEMPLATE [--data FILE [--notebook N [--page N]]] [--param N=V[:INT]]... [--out FILE]\n";

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(Usage, stderr);
        return 1;
    }
    const std::map<QString, std::function<int(const QStringList&)>> commands {
        { QStringLiteral("check"), zdktool::Check },
        { QStringLiteral("format"), zdktool::Format },
        { QStringLiteral("eval"), zdktool::Eval },
        { QStringLiteral("run"), zdktool::Run },
    };
    const QString name = args.takeFirst();
    const auto command = commands.find(name);
    if (command == commands.end()) {
        std::fputs(Usage, stderr);
        return zdktool::Fail(QStringLiteral("unknown command %1").arg(name));
    }
    try {
        return command->second(args);
    } catch (const EKelError& error) {
        return zdktool::Fail(error.Message());
    } catch (const std::exception& error) {
        return zdktool::Fail(QString::fromLocal8Bit(error.what()));
    }
}
