#include "handlers/handler_boundary.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QtGlobal>

#include <exception>

namespace {

std::function<void(const QString &)> &failure_report()
{
    static std::function<void(const QString &)> report;
    return report;
}

void report(const QString &message)
{
    if (failure_report())
        failure_report()(message);
    else
        qWarning("%s", qUtf8Printable(message));
}

} // namespace

void set_failure_report(std::function<void(const QString &message)> report)
{
    failure_report() = std::move(report);
}

void run_handler(const std::function<void()> &handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &error) {
        // Our failures carry their message as UTF-8.
        report(QString::fromUtf8(error.what()));
    } catch (...) {
        report(QStringLiteral("Unbekannter Fehler"));
    }
}

void report_failure_later(const QString &message)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application) {
        report(message);
        return;
    }
    QMetaObject::invokeMethod(application, [message] { report(message); }, Qt::QueuedConnection);
}
