#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

#include <vector>

class LookSource;
class QPainter;
class FrameHost;
class TsuiMainMenu;
class TsuiMenuBarButton;
#include "skin/menu/tsui_menu_drop_down.h"

// The frame's bar below the title bar: one flat button per top-level item of the frame's menu,
// drawn in the menu's style. Pressing a button drops down its item's submenu.
class TsuiMenuBar : public QWidget {
    Q_OBJECT

public:
    // Placed on the frame, whose menu it shows.
    TsuiMenuBar(QWidget *frame, FrameHost &host);
    ~TsuiMenuBar() override;

    int barHeight() const { return bar_height_; }
    // Height of the bar (per row of buttons) and of every button.
    void setBarHeight(int height);
    QColor color() const { return color_; }
    void setColor(const QColor &color);

    const std::vector<TsuiMenuBarButton *> &buttons() const { return buttons_; }
    // The font the captions are drawn in, taken from the menu.
    QFont buttonFont() const;

    // Makes all buttons again from the menu's top-level items.
    void rebuildButtons();
    // Each button takes its item's current caption and enabled state.
    void syncButtons();
    void applyMenuFont();

    // Drops down the submenu of that button (an item without children runs at once).
    void dropDown(int index, bool selectFirst = false);
    // Drops down the enabled top-level item whose caption marks this letter; false for none.
    bool dropDownByAccelerator(QChar letter);
    // The drop-down open now, or null.
    TsuiMenuDropDown *openDropDown() const { return drop_down_ && drop_down_->isVisible() ? drop_down_ : nullptr; }
    TsuiMenuBarButton *selectedButton() const;

    // Called by the buttons.
    void buttonPressed(TsuiMenuBarButton *button);
    void drawButton(QPainter &painter, const TsuiMenuBarButton *button, bool hot, bool selected) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutButtons();
    void pointerOutside(const QPoint &globalPos);
    // The drop-down of an item of the bar: made at its first opening and kept for the next.
    TsuiMenuDropDown *keptDropDown(TsuiMainMenu *main_menu, TsuiMenuItem *item);
    void dropKeptDropDowns();
    TsuiMainMenu *menu() const;
    // The deciding look: the menu's when it is a skinned main menu, else the frame's.
    LookSource look() const;

    FrameHost &frame_;
    std::vector<TsuiMenuBarButton *> buttons_;
    QPointer<TsuiMenuDropDown> drop_down_;
    std::vector<QPointer<TsuiMenuDropDown>> kept_drop_downs_;
    int selected_ = -1;
    int bar_height_ = 22;
    QColor color_;
};
