#include "skin/accessibility/accessible_actions.h"

#include "skin/form/owning_window.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

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
    // Asked for before a run began or a modal window opened, it would still run while they last:
    // the gate is asked then. A control behind a modal window takes no action, as it takes no click.
    const QPointer<QWidget> control = qobject_cast<QWidget *>(context);
    QTimer::singleShot(0, context, [action = std::move(action), kind, control] {
        if (AccessibleActionGate::admits(kind) && !(control && blocked_by_modal_window(control)))
            action();
    });
}
