#include "skin/menu/tsui_menu_drop_down.h"

#include "skin/menu/menu_drawing.h"
#include "skin/menu/tsui_custom_menu.h"
#include "skin/menu/tsui_menu_item.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

// The raised edge of a menu window that is not drawn flat.
const QColor EdgeLight{0xD4, 0xD0, 0xC8};
const QColor EdgeHighlight{0xFF, 0xFF, 0xFF};
const QColor EdgeShadow{0x80, 0x80, 0x80};
const QColor EdgeDarkShadow{0x40, 0x40, 0x40};
constexpr int FallbackItemHeight = 21;

// The font a drop-down gives its items' handlers to measure and draw with.
QFont canvas_font()
{
    QFont font;
    QColor unused;
    AssignSystemMenuFont(font, unused);
    return font;
}

} // namespace

TsuiMenuDropDown::TsuiMenuDropDown(TsuiCustomMenu *menu, TsuiMenuItem *parentItem, QWidget *ownerWindow,
                                   TsuiMenuDropDown *parentLevel)
    : QWidget(ownerWindow, Qt::Popup | Qt::FramelessWindowHint)
    , menu_(menu)
    , parent_item_(parentItem)
    , parent_level_(parentLevel)
{
    setObjectName(QStringLiteral("TsuiMenuDropDown"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    for (TsuiMenuItem *item : parentItem->items())
        items_.emplace_back(item);
}

TsuiMenuDropDown::~TsuiMenuDropDown()
{
    if (child_)
        child_->deleteLater();
}

void TsuiMenuDropDown::layoutItems()
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter canvas(&scratch);
    canvas.setFont(canvas_font());
    rects_.clear();
    int width = 0;
    int y = Border;
    std::vector<int> heights;
    for (const QPointer<TsuiMenuItem> &item : items_) {
        int w = 0;
        int h = FallbackItemHeight;
        if (item && item->OnMeasureItem)
            item->OnMeasureItem(item, canvas, w, h);
        else if (item)
            w = canvas.fontMetrics().horizontalAdvance(item->caption());
        width = qMax(width, w);
        heights.push_back(h);
    }
    for (int h : heights) {
        rects_.emplace_back(Border, y, width, h);
        y += h;
    }
    resize(width + 2 * Border, y + Border);
}

void TsuiMenuDropDown::popupAt(const QPoint &globalTopLeft)
{
    // A kept level opens as a new one would: with its item's present children, none selected,
    // and a press outside it reaching what lies there.
    if (parent_item_) {
        items_.clear();
        for (TsuiMenuItem *item : parent_item_->items())
            items_.emplace_back(item);
    }
    selected_ = -1;
    setAttribute(Qt::WA_NoMouseReplay, false);
    layoutItems();
    QPoint at = globalTopLeft;
    if (const QScreen *screen = QGuiApplication::screenAt(globalTopLeft) ? QGuiApplication::screenAt(globalTopLeft)
                                                                          : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - width())));
        at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() + 1 - height())));
    }
    move(at);
    show();
}

int TsuiMenuDropDown::indexAt(const QPoint &pos) const
{
    for (int i = 0; i < count(); ++i)
        if (itemRect(i).contains(pos))
            return i;
    return -1;
}

bool TsuiMenuDropDown::selectable(int index) const
{
    if (index < 0 || index >= count())
        return false;
    const TsuiMenuItem *item = items_[static_cast<std::size_t>(index)];
    return item && !item->isSeparator();
}

void TsuiMenuDropDown::setSelectedIndex(int index)
{
    if (!selectable(index))
        index = -1;
    if (index == selected_)
        return;
    selected_ = index;
    update();
    // Assistive tools follow the highlighted entry as they follow the focus.
    if (index >= 0) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
}

void TsuiMenuDropDown::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect outer = rect();
    // The window's own edge; a flat menu draws its frame over it with every item.
    painter.fillRect(outer, menu_ ? menu_->color() : QColor(Qt::white));
    painter.fillRect(QRect(0, 0, outer.width(), 1), EdgeLight);
    painter.fillRect(QRect(0, 0, 1, outer.height()), EdgeLight);
    painter.fillRect(QRect(1, 1, outer.width() - 2, 1), EdgeHighlight);
    painter.fillRect(QRect(1, 1, 1, outer.height() - 2), EdgeHighlight);
    painter.fillRect(QRect(outer.width() - 1, 0, 1, outer.height()), EdgeDarkShadow);
    painter.fillRect(QRect(0, outer.height() - 1, outer.width(), 1), EdgeDarkShadow);
    painter.fillRect(QRect(outer.width() - 2, 1, 1, outer.height() - 2), EdgeShadow);
    painter.fillRect(QRect(1, outer.height() - 2, outer.width() - 2, 1), EdgeShadow);

    painter.setFont(canvas_font());
    for (int i = 0; i < count(); ++i) {
        TsuiMenuItem *item = items_[static_cast<std::size_t>(i)];
        if (!item)
            continue;
        if (item->OnDrawItem) {
            item->OnDrawItem(item, painter, itemRect(i), i == selected_);
        } else {
            painter.fillRect(itemRect(i), Qt::white);
            painter.setPen(item->enabled() ? Qt::black : Qt::gray);
            painter.drawText(itemRect(i), Qt::AlignVCenter | Qt::TextShowMnemonic, item->caption());
        }
    }
}

void TsuiMenuDropDown::hover(int index)
{
    setSelectedIndex(index);
    if (selected_ < 0)
        return;
    const TsuiMenuItem *item = items_[static_cast<std::size_t>(selected_)];
    if (child_ && child_->parentItem() != item)
        closeChild();
    if (!child_ && item->enabled() && item->count() > 0)
        openChild(selected_);
}

void TsuiMenuDropDown::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (rect().contains(event->position().toPoint())) {
        hover(indexAt(event->position().toPoint()));
        return;
    }
    // A popup gets every pointer move; hand it to the level under the pointer, or outwards.
    if (TsuiMenuDropDown *level = levelAt(global); level && level != this) {
        level->hover(level->indexAt(level->mapFromGlobal(global)));
        return;
    }
    if (TsuiMenuDropDown *root = outermost(); root->onPointerOutside)
        root->onPointerOutside(global);
}

void TsuiMenuDropDown::mousePressEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (rect().contains(event->position().toPoint())) {
        hover(indexAt(event->position().toPoint()));
        return;
    }
    if (TsuiMenuDropDown *level = levelAt(global); level && level != this) {
        // A press on a level it was opened from closes this one only.
        QPointer<TsuiMenuDropDown> target(level);
        shut();
        if (target)
            target->hover(target->indexAt(target->mapFromGlobal(global)));
        return;
    }
    if (outermost()->no_replay_area_.contains(global))
        setAttribute(Qt::WA_NoMouseReplay);
    closeAll();
}

void TsuiMenuDropDown::mouseReleaseEvent(QMouseEvent *event)
{
    if (!rect().contains(event->position().toPoint()))
        return;
    activate(indexAt(event->position().toPoint()));
}

void TsuiMenuDropDown::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (!child_)
        setSelectedIndex(-1);
}

void TsuiMenuDropDown::activate(int index)
{
    if (!selectable(index))
        return;
    QPointer<TsuiMenuItem> item = items_[static_cast<std::size_t>(index)];
    if (!item->enabled())
        return;
    if (item->count() > 0) {
        openChild(index);
        if (child_)
            child_->setSelectedIndex(0);
        return;
    }
    // Every level closes before the item runs: its action may open a modal window.
    closeAll();
    if (item)
        item->Click();
}

void TsuiMenuDropDown::openChild(int index)
{
    closeChild();
    TsuiMenuItem *item = items_[static_cast<std::size_t>(index)];
    child_ = new TsuiMenuDropDown(menu_, item, parentWidget(), this);
    const QRect row = itemRect(index);
    child_->popupAt(mapToGlobal(QPoint(width() - Border, row.top() - Border)));
}

void TsuiMenuDropDown::closeChild()
{
    if (child_)
        child_->shut();
    child_ = nullptr;
}

void TsuiMenuDropDown::closeAll()
{
    TsuiMenuDropDown *root = outermost();
    QList<QPointer<TsuiMenuDropDown>> chain;
    for (TsuiMenuDropDown *level = root; level; level = level->child_)
        chain.prepend(level);
    for (const QPointer<TsuiMenuDropDown> &level : chain)
        if (level)
            level->shut();
}

void TsuiMenuDropDown::shut()
{
    // Closing a window destroys its native window; a kept level is only hidden, as a QMenu is.
    if (testAttribute(Qt::WA_DeleteOnClose))
        close();
    else
        hide();
}

void TsuiMenuDropDown::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    closeChild();
    if (parent_level_ && parent_level_->child_ == this)
        parent_level_->child_ = nullptr;
    emit closed();
}

TsuiMenuDropDown *TsuiMenuDropDown::outermost()
{
    TsuiMenuDropDown *level = this;
    while (level->parent_level_)
        level = level->parent_level_;
    return level;
}

TsuiMenuDropDown *TsuiMenuDropDown::levelAt(const QPoint &globalPos)
{
    for (TsuiMenuDropDown *level = this; level; level = level->parent_level_)
        if (level->geometry().contains(globalPos))
            return level;
    return nullptr;
}

void TsuiMenuDropDown::moveSelection(int step)
{
    if (count() == 0)
        return;
    int index = selected_;
    for (int tries = 0; tries < count(); ++tries) {
        index = index < 0 ? (step > 0 ? 0 : count() - 1) : (index + step + count()) % count();
        if (selectable(index)) {
            setSelectedIndex(index);
            return;
        }
    }
}

void TsuiMenuDropDown::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        moveSelection(1);
        return;
    case Qt::Key_Up:
        moveSelection(-1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate(selected_);
        return;
    case Qt::Key_Escape:
        shut();
        return;
    case Qt::Key_Right:
        if (selectable(selected_) && items_[static_cast<std::size_t>(selected_)]->count() > 0) {
            activate(selected_);
        } else if (TsuiMenuDropDown *root = outermost(); root->onNeighbour) {
            auto neighbour = root->onNeighbour;
            neighbour(1);
        }
        return;
    case Qt::Key_Left:
        if (parent_level_) {
            shut();
        } else if (onNeighbour) {
            auto neighbour = onNeighbour;
            neighbour(-1);
        }
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isPrint()) {
        const QChar key = text.at(0).toLower();
        for (int i = 0; i < count(); ++i) {
            const TsuiMenuItem *item = items_[static_cast<std::size_t>(i)];
            if (item && item->accelerator() == key) {
                setSelectedIndex(i);
                activate(i);
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}
