#pragma once

#include "skin/themes/look_source.h"

class QWidget;
class TsuiMainMenu;

// What the title bar and the menu bar ask of the window frame they sit on, so that they need not
// know the frame itself.
class FrameHost {
public:
    // The frame this widget sits on directly, or null.
    static FrameHost *of(QWidget *widget);
    static const FrameHost *of(const QWidget *widget);

    // The menu the frame's menu bar shows, or null.
    virtual TsuiMainMenu *Menu() const = 0;
    // Where the frame's left border picture ends and its title bar begins.
    virtual int leftBorderImageWidth() const = 0;
    // Places title bar, menu bar and client area again, after one of them changed its height.
    virtual void realign() = 0;
    // Where the frame reads its look values.
    virtual LookSource frameLook() const = 0;

protected:
    FrameHost() = default;
    FrameHost(const FrameHost &) = delete;
    FrameHost &operator=(const FrameHost &) = delete;
    ~FrameHost() = default;
};
