#include "skin/form/form_key_router.h"

#include "skin/form/tsui_form.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "skin/titlebar/tsui_title_bar_popup_menu.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

FormKeyRouter::FormKeyRouter(TsuiForm *frame)
    : QObject(frame)
    , frame_(frame)
{
    QCoreApplication::instance()->installEventFilter(this);
}

FormKeyRouter::~FormKeyRouter()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool FormKeyRouter::hostHasFocus() const
{
    // Without multiple-document windows every case of the focus rule comes down to this.
    return frame_->host()->isActiveWindow();
}

bool FormKeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || frame_->isDestroying())
        return false;
    // The key is seen once for each widget it is offered to; answer it for the first one only,
    // and only for widgets of this frame's window.
    const auto *target = static_cast<QWidget *>(watched);
    QWidget *host = frame_->host();
    if (target->window() != host || !hostHasFocus())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;

    if (key->key() == Qt::Key_Space && modifiers == Qt::AltModifier) {
        if (TsuiTitleBar *bar = frame_->titleBar()) {
            const QPoint at = host->geometry().topLeft() + QPoint(0, bar->isVisible() ? bar->height() : 0);
            bar->popupMenu()->Popup(at.x(), at.y());
            return true;
        }
    }
    TsuiMainMenu *menu = frame_->Menu();
    if (!menu)
        return false;
    if (modifiers == Qt::AltModifier && frame_->menuBar()) {
        // The key code names the letter whatever text the keyboard layout makes of Alt plus it.
        const QChar letter = key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z
                                 ? QChar(u'a' + (key->key() - Qt::Key_A))
                                 : (key->text().isEmpty() ? QChar() : key->text().at(0));
        if (!letter.isNull() && frame_->menuBar()->dropDownByAccelerator(letter))
            return true;
    }
    return menu->IsShortCut(key);
}
