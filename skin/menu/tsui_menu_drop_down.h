#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class TsuiCustomMenu;
class TsuiMenuItem;

// The window of one open menu level: the children of one item, each measured and drawn by the
// handlers its menu attached to it. Opening an item with children opens the next level beside
// it; choosing an item closes every level and then runs the item.
class TsuiMenuDropDown : public QWidget {
    Q_OBJECT

public:
    // The frame of the drop-down window around its items.
    static constexpr int Border = 3;

    TsuiMenuDropDown(TsuiCustomMenu *menu, TsuiMenuItem *parentItem, QWidget *ownerWindow,
                     TsuiMenuDropDown *parentLevel = nullptr);
    ~TsuiMenuDropDown() override;

    // Lays the items out and shows the window with its top-left corner at the screen point,
    // kept on the screen, with none of them selected.
    void popupAt(const QPoint &globalTopLeft);
    // A level that is opened again and again stays when closed, hidden: a window made anew for
    // each opening waits on the display server each time.
    void keepWhenClosed() { setAttribute(Qt::WA_DeleteOnClose, false); }

    TsuiMenuItem *parentItem() const { return parent_item_; }
    int count() const { return static_cast<int>(rects_.size()); }
    QRect itemRect(int index) const { return rects_.at(static_cast<std::size_t>(index)); }
    int indexAt(const QPoint &pos) const;
    TsuiMenuItem *item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int selectedIndex() const { return selected_; }
    void setSelectedIndex(int index);
    TsuiMenuDropDown *childLevel() const { return child_; }

    // What a click on the item at index does: opens its submenu, or closes every level and runs
    // it. Nothing for a separator or a disabled item. Also for assistive tools.
    void activate(int index);
    // Closes this level and every level above and below it.
    void closeAll();

    // A press in this screen rectangle closes the drop-down without reaching what lies there
    // (the bar button that opened it, which would open it again).
    void setNoReplayArea(const QRect &globalArea) { no_replay_area_ = globalArea; }
    // Asked when the pointer moves outside every level; and for Left/Right at the outermost level.
    std::function<void(const QPoint &globalPos)> onPointerOutside;
    std::function<void(int direction)> onNeighbour;

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void layoutItems();
    void hover(int index);
    void openChild(int index);
    void closeChild();
    // Closes this level alone.
    void shut();
    void moveSelection(int step);
    bool selectable(int index) const;
    TsuiMenuDropDown *outermost();
    // The level that contains the screen point, searching this one and those it opened from.
    TsuiMenuDropDown *levelAt(const QPoint &globalPos);

    QPointer<TsuiCustomMenu> menu_;
    QPointer<TsuiMenuItem> parent_item_;
    std::vector<QPointer<TsuiMenuItem>> items_;
    std::vector<QRect> rects_;
    QPointer<TsuiMenuDropDown> parent_level_;
    QPointer<TsuiMenuDropDown> child_;
    QRect no_replay_area_;
    int selected_ = -1;
};
