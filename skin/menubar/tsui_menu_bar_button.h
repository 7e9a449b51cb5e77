#pragma once

#include <QPointer>
#include <QWidget>

class TsuiMenuBar;
class TsuiMenuItem;

// One flat button of the menu bar, linked to a top-level menu item; the bar draws it. Not a
// framework button: that would claim Alt plus the caption's letter for itself, and the frame's
// key routing decides what Alt plus a letter does.
class TsuiMenuBarButton : public QWidget {
    Q_OBJECT

public:
    TsuiMenuBarButton(TsuiMenuBar *bar, TsuiMenuItem *item);

    TsuiMenuItem *item() const { return item_; }
    QString text() const { return caption_; }
    bool hot() const { return hot_; }
    // Hot is "the pointer is over it": while a drop-down holds the pointer no enter or leave
    // arrives, so the bar sets it from where the pointer is when the drop-down opens and closes.
    void setHotFromPointer(bool pointerMayCount);
    // Takes the item's caption and enabled state.
    void sync();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TsuiMenuBar *bar_;
    QPointer<TsuiMenuItem> item_;
    QString caption_;
    bool hot_ = false;
};
