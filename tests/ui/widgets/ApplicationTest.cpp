#include "tree/EKelPiggerError.h"
#include "ui/TF_about.h"
#include "ui/TQuilloApplication.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <stdexcept>

namespace quillo::test {
namespace {

TEST(UncaughtErrors, TheMessageOfEveryKindOfException)
{
    struct Case {
        const char* what;
        std::exception_ptr error;
        const char* message;
    };
    const Case cases[] = {
        { "general", std::make_exception_ptr(EKelError("Invalid report template")), "Invalid report template" },
        { "reader", std::make_exception_ptr(EKelPiggerError(EKelPiggerError::TFault::NoElement, 12)), "Syntax error" },
        { "standard", std::make_exception_ptr(std::runtime_error("disk full")), "disk full" },
        { "memory", std::make_exception_ptr(std::bad_alloc()), "Out of memory" },
        { "foreign", std::make_exception_ptr(42), "Unknown error" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TQuilloApplication::MessageOf(c.error), c.message) << c.what;
}

// An object whose first event fails the way a command does.
class TFailingOnce : public QObject {
public:
    int events = 0;

    bool event(QEvent*) override
    {
        if (++events == 1)
            throw EKelError(QStringLiteral("Cannot create file x.zdk"));
        return true;
    }
};

TEST(UncaughtErrors, AnExceptionFromAnEventIsShownAndTheProgramGoesOn)
{
    TFailingOnce receiver;
    QStringList shown;
    const auto report = [&](const QString& message) { shown.append(message); };
    const auto deliver = [&] {
        QEvent event(QEvent::User);
        return QCoreApplication::sendEvent(&receiver, &event);
    };
    EXPECT_FALSE(TQuilloApplication::DeliverGuarded(deliver, report));
    EXPECT_EQ(shown, QStringList({ "Cannot create file x.zdk" }));
    EXPECT_TRUE(TQuilloApplication::DeliverGuarded(deliver, report));
    EXPECT_EQ(receiver.events, 2);
    EXPECT_EQ(shown.size(), 1);
}

TEST(AboutBox, NamesTheProduct)
{
    TF_about about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.Label_product->text(), "QUILLO-ZDK");
    EXPECT_FALSE(about.Label_edition->text().isEmpty());
    EXPECT_EQ(about.Label_version->text(), "Version " + TF_about::Version());
    auto* ok = about.findChild<QPushButton*>("Btn_ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "Ok");
}

} // namespace
} // namespace quillo::test
