#include "skin/button/dialog_key_router.h"

#include "skin/button/tsui_custom_button.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

const char *const RouterName = "TsuiDialogKeyRouter";

bool IsDialogKey(const QKeyEvent &event)
{
    constexpr Qt::KeyboardModifiers Held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event.modifiers() & Held)
        return false;
    const int key = event.key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

TsuiDialogKeyRouter::TsuiDialogKeyRouter(QWidget *window)
    : QObject(window)
{
    setObjectName(QLatin1String(RouterName));
    window->installEventFilter(this);
}

void TsuiDialogKeyRouter::Attach(QWidget *window)
{
    if (!window || window->findChild<TsuiDialogKeyRouter *>(QLatin1String(RouterName), Qt::FindDirectChildrenOnly))
        return;
    new TsuiDialogKeyRouter(window);
}

bool TsuiDialogKeyRouter::Offer(QWidget *window, const QKeyEvent &event)
{
    if (!window || !IsDialogKey(event))
        return false;
    // A click may close or rebuild the window: walk a guarded copy.
    const QList<TsuiCustomButton *> found = window->findChildren<TsuiCustomButton *>();
    QList<QPointer<TsuiCustomButton>> buttons(found.cbegin(), found.cend());
    for (const QPointer<TsuiCustomButton> &button : buttons) {
        if (button && button->window() == window && button->DialogKey(event.key()))
            return true;
    }
    return false;
}

bool TsuiDialogKeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || watched != parent())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!Offer(static_cast<QWidget *>(watched), *key))
        return false;
    key->accept();
    return true;
}
