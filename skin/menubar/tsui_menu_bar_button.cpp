#include "skin/menubar/tsui_menu_bar_button.h"

#include "skin/menu/tsui_menu_item.h"
#include "skin/menubar/tsui_menu_bar.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int CaptionPadding = 7; // on each side of the caption
}

TsuiMenuBarButton::TsuiMenuBarButton(TsuiMenuBar *bar, TsuiMenuItem *item)
    : QWidget(bar)
    , bar_(bar)
    , item_(item)
{
    setFocusPolicy(Qt::NoFocus);
    sync();
}

void TsuiMenuBarButton::sync()
{
    if (!item_)
        return;
    caption_ = item_->caption();
    setEnabled(item_->enabled());
    update();
}

QSize TsuiMenuBarButton::sizeHint() const
{
    const QFontMetrics metrics(bar_->buttonFont());
    QString shown = caption_;
    shown.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
    return {metrics.horizontalAdvance(shown) + 2 * CaptionPadding, bar_->barHeight()};
}

void TsuiMenuBarButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    bar_->drawButton(painter, this, hot_, bar_->selectedButton() == this);
}

void TsuiMenuBarButton::setHotFromPointer(bool pointerMayCount)
{
    const bool hot = pointerMayCount && isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
    if (hot != hot_) {
        hot_ = hot;
        update();
    }
}

void TsuiMenuBarButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    hot_ = true;
    update();
}

void TsuiMenuBarButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    hot_ = false;
    update();
}

void TsuiMenuBarButton::mousePressEvent(QMouseEvent *event)
{
    // The drop-down opens on the press, as menus do; the bar decides what a press means.
    if (event->button() == Qt::LeftButton && isEnabled())
        bar_->buttonPressed(this);
}

void TsuiMenuBarButton::mouseReleaseEvent(QMouseEvent *) {}
