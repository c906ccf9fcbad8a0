#include "ui/TQuilloApplication.h"

#include "tree/EKelError.h"

#include <QMessageBox>

namespace quillo {

TQuilloApplication::TQuilloApplication(int& argc, char** argv)
    : QApplication(argc, argv)
    , m_reporter([](const QString& message) {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Quillo-ZDK"), message);
    })
{
}

bool TQuilloApplication::notify(QObject* receiver, QEvent* event)
{
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); }, m_reporter);
}

bool TQuilloApplication::DeliverGuarded(const std::function<bool()>& deliver, const TErrorReporter& reporter)
{
    try {
        return deliver();
    } catch (...) {
        const QString message = MessageOf(std::current_exception());
        if (reporter)
            reporter(message);
        else
            qWarning("%s", qUtf8Printable(message));
        return false;
    }
}

QString TQuilloApplication::MessageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EKelError& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace quillo
