#pragma once

#include "skin/menu/tsui_custom_menu.h"

#include <QPoint>

class QWidget;
#include "skin/menu/tsui_menu_drop_down.h"

// A context menu drawn by the skinned menu look; pops up at a screen position.
class TsuiPopupMenu : public TsuiCustomMenu {
    Q_OBJECT
    Q_PROPERTY(TImageList *Images READ images WRITE setImages)

public:
    explicit TsuiPopupMenu(QObject *owner = nullptr);
    ~TsuiPopupMenu() override;

    TsuiMenuItem *add(const QString &caption, std::function<void()> on_click = {})
    {
        return Items()->add(caption, std::move(on_click));
    }
    const std::vector<TsuiMenuItem *> &items() const { return Items()->items(); }

    TImageList *images() const { return images_; }
    void setImages(TImageList *images) { images_ = images; }
    TImageList *userImages() const override { return images_; }
    TImageList *checkMarkImages() const override;

    // Shows the menu with its top-left corner at the screen point; returns at once.
    virtual void Popup(int x, int y);
    // The open drop-down, or null.
    TsuiMenuDropDown *dropDown() const;
    void closeUp();

private:
    QPointer<TImageList> images_;
    QPointer<TsuiMenuDropDown> drop_down_;
};
