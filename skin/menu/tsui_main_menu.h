#pragma once

#include "skin/menu/tsui_custom_menu.h"

class QKeyEvent;
class FrameHost;

// A window's main menu. It is never shown as a native menu bar: the window's skinned frame shows
// its top-level items as the buttons of its menu bar and asks it for keyboard shortcuts.
class TsuiMainMenu : public TsuiCustomMenu {
    Q_OBJECT
    Q_PROPERTY(TImageList *Images READ images WRITE setImages)

public:
    explicit TsuiMainMenu(QObject *owner = nullptr);

    TsuiMenuItem *add(const QString &caption) { return Items()->add(caption); }
    const std::vector<TsuiMenuItem *> &items() const { return Items()->items(); }

    // Null while the menu's own check-mark list is in place; setting null puts it back.
    TImageList *images() const;
    void setImages(TImageList *images);
    TImageList *userImages() const override;
    TImageList *checkMarkImages() const override { return check_marks_; }

    void setUseSystemFont(bool on) override;

    // The frame that shows this menu; set and cleared by that frame.
    FrameHost *Form() const { return form_; }
    void setForm(FrameHost *form);

    // Runs the enabled item whose shortcut the key is and answers true; false for any other key.
    bool IsShortCut(const QKeyEvent *event);

signals:
    // Requests to the frame that shows this menu.
    void rebuildBarRequested();
    void syncBarRequested();
    void menuFontRequested();

private:
    TImageList *check_marks_;
    TImageList *installed_;
    FrameHost *form_ = nullptr; // cleared by the frame when it lets go of the menu
    int top_level_count_ = 0;
};
