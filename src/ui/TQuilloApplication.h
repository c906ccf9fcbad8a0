#pragma once

#include <QApplication>

#include <exception>
#include <functional>

namespace quillo {

using TErrorReporter = std::function<void(const QString& message)>;

// The application object. Any exception that no command caught ends here, between two events:
// the user sees its message and the program goes on.
class TQuilloApplication : public QApplication {
    Q_OBJECT

public:
    TQuilloApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
    void SetErrorReporter(TErrorReporter reporter) { m_reporter = std::move(reporter); }

    // Runs deliver; an exception from it is reported and counts as an unhandled event.
    static bool DeliverGuarded(const std::function<bool()>& deliver, const TErrorReporter& reporter);
    static QString MessageOf(const std::exception_ptr& error);

private:
    TErrorReporter m_reporter;
};

} // namespace quillo
