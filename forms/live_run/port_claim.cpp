#include "forms/live_run/port_claim.h"

#include "avrdude/native_text.h"
#include "forms/live_run/run_guard.h"
#include "skin/edit/tsui_memo.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>

namespace {

// How often a waiting run looks whether the port has become free.
constexpr int RetryMs = 50;
const QString NotStarted = QStringLiteral("avrdude wurde nicht gestartet.");

} // namespace

PortClaim::PortClaim(std::optional<QString> port)
    : port_(std::move(port))
{
    if (port_)
        lock_.emplace(*port_);
}

bool PortClaim::take(const RunGuard &guard, TsuiMemo *log)
{
    if (!lock_)
        return true;
    PortLock::Outcome outcome = lock_->tryTake();
    if (outcome == PortLock::Outcome::Busy) {
        const QString port = readable_text(*port_);
        if (log)
            log->appendLines({QStringLiteral("Port %1 wird gerade von einem anderen Lauf benutzt; dieser Lauf wartet, "
                                             "bis er frei ist (Abbrechen mit Esc).")
                                  .arg(port)});
        QElapsedTimer waited;
        waited.start();
        QEventLoop loop;
        QTimer retry;
        QObject::connect(&retry, &QTimer::timeout, &loop, [&] {
            outcome = lock_->tryTake();
            if (outcome != PortLock::Outcome::Busy || guard.cancelled())
                loop.quit();
        });
        retry.start(RetryMs);
        loop.exec();
        waited_ms_ = waited.elapsed();
        if (outcome == PortLock::Outcome::Busy) {
            not_started_ = {QStringLiteral("Abgebrochen: Port %1 war belegt.").arg(port), NotStarted};
            return false;
        }
        if (log && outcome == PortLock::Outcome::Taken)
            log->clearLines();
    }
    if (outcome == PortLock::Outcome::Failed) {
        not_started_ = {lock_->failure(), NotStarted};
        return false;
    }
    return true;
}

QString PortClaim::waitedLine() const
{
    if (waited_ms_ < 0)
        return {};
    return QStringLiteral("Port %1 war belegt; dieser Lauf hat %2 s gewartet, bis er frei war.")
        .arg(readable_text(*port_), QLocale(QLocale::German).toString(waited_ms_ / 1000.0, 'f', 1));
}
