#include "skin/accessibility/accessible_actions.h"

#include <QTimer>

namespace {

AccessibleActionGate *current_gate = nullptr;

} // namespace

AccessibleActionGate::AccessibleActionGate(Admits admits)
    : admits_(std::move(admits))
    , outer_(current_gate)
{
    current_gate = this;
}

AccessibleActionGate::~AccessibleActionGate() { current_gate = outer_; }

bool AccessibleActionGate::admits(AccessibleActionKind kind) { return !current_gate || current_gate->admits_(kind); }

void PerformAccessibleAction(QObject *context, std::function<void()> action, AccessibleActionKind kind)
{
    // Asked for before a run began, it would still run while the run lasts: the gate is asked then.
    QTimer::singleShot(0, context, [action = std::move(action), kind] {
        if (AccessibleActionGate::admits(kind))
            action();
    });
}
