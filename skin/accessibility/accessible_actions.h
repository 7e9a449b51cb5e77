#pragma once

#include <functional>

class QObject;

// What an assistive tool asks a control to do, as far as a program that takes no input cares.
enum class AccessibleActionKind {
    Ordinary,
    // The window's own close button: while the program takes no input it stops what runs.
    ClosesWindow,
};

// Holds back what assistive tools ask controls to do while the program takes no input from the
// mouse and keyboard either (while avrdude runs): a screen reader's press then does what a click
// would. Only one gate is up at a time; the latest wins.
class AccessibleActionGate {
public:
    using Admits = std::function<bool(AccessibleActionKind)>;

    explicit AccessibleActionGate(Admits admits);
    ~AccessibleActionGate();
    AccessibleActionGate(const AccessibleActionGate &) = delete;
    AccessibleActionGate &operator=(const AccessibleActionGate &) = delete;

    // True when no gate is up or the gate lets the action through.
    static bool admits(AccessibleActionKind kind);

private:
    Admits admits_;
    AccessibleActionGate *outer_;
};

// Runs an action an assistive tool asked for once the answer to it has gone out (the action may
// open a modal window), if a gate lets it through then and no modal window stands in front of the
// control (`context`, when it is one).
void PerformAccessibleAction(QObject *context, std::function<void()> action,
                             AccessibleActionKind kind = AccessibleActionKind::Ordinary);
