#include "app/held_keys.h"

#include "skin/form/owning_window.h"

#include <QKeyEvent>

namespace {

bool acts_once(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape; }

} // namespace

bool HeldKeys::admits(QObject *receiver, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) ||
        !receiver->isWidgetType())
        return true;
    const auto *key = static_cast<QKeyEvent *>(event);
    QWidget *window = owning_window(static_cast<QWidget *>(receiver));
    const auto pressed = pressed_in_.find(key->key());
    const bool pressed_here = pressed != pressed_in_.end() && pressed->second == window;
    if (key->isAutoRepeat())
        return pressed_here && !acts_once(key->key());
    if (type != QEvent::KeyRelease) {
        pressed_in_[key->key()] = window;
        return true;
    }
    if (pressed != pressed_in_.end())
        pressed_in_.erase(pressed);
    return pressed_here;
}
