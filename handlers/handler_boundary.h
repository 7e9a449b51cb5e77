#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <type_traits>

// Handlers let their failures through (a missing file, a bad number), and the application shows
// them in its error box. A failure must never travel through Qt's signal or event dispatch, which
// does not survive it, so every handler runs inside this boundary.

// Where a failure that a handler let out is shown. Until the application sets one, failures go
// to the warning log.
void set_failure_report(std::function<void(const QString &message)> report);

// Runs the handler; a failure it lets out is shown by the failure report, and the caller goes on.
void run_handler(const std::function<void()> &handler) noexcept;

// Shows a failure from the event loop, once the current handler is over: for code that must not
// open a window where it stands, such as a paint handler.
void report_failure_later(const QString &message);

// Connects a signal to a handler, a member of the receiver or a callable, inside the boundary.
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection connect_handler(Sender *sender, Signal signal, Receiver *receiver, Handler handler)
{
    return QObject::connect(sender, signal, receiver, [receiver, handler = std::move(handler)] {
        run_handler([&] {
            if constexpr (std::is_member_function_pointer_v<Handler>)
                (receiver->*handler)();
            else
                handler();
        });
    });
}
