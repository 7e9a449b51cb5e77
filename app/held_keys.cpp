#include "app/held_keys.h"

#include "skin/form/owning_window.h"

#include <QKeyEvent>

namespace {

bool acts_once(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape; }

} // namespace

HeldKeys::Verdict HeldKeys::judge(QObject *receiver, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) ||
        !receiver->isWidgetType())
        return Verdict::Deliver;
    const auto *key = static_cast<QKeyEvent *>(event);
    QWidget *window = owning_window(static_cast<QWidget *>(receiver));
    Held &held = keys_[key->key()];
    const auto held_here = [&held, window] { return held.down && held.window == window; };
    if (type == QEvent::KeyRelease) {
        const bool admitted = held_here() && !(key->isAutoRepeat() && acts_once(key->key()));
        if (!key->isAutoRepeat()) {
            held.down = false;
            held.released_at = key->timestamp();
        }
        return admitted ? Verdict::Deliver : Verdict::Block;
    }
    // On X11 a repeat comes as a release and a press of the same moment. When the press has not
    // been read yet as the release is, Qt takes both for real ones; the press still gives itself
    // away by its time, and the key counts as held again.
    const bool unmarked_repeat =
        !key->isAutoRepeat() && key->timestamp() != 0 && key->timestamp() == held.released_at;
    if (unmarked_repeat)
        held.down = true;
    if (key->isAutoRepeat() || unmarked_repeat) {
        if (!held_here() || acts_once(key->key()))
            return Verdict::Block;
        return unmarked_repeat ? Verdict::DeliverAsRepeat : Verdict::Deliver;
    }
    held = {window, true, 0};
    return Verdict::Deliver;
}
