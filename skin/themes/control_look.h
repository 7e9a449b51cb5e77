#pragma once

#include "skin/themes/file_theme.h"
#include "skin/themes/file_theme_link.h"
#include "skin/themes/look_source.h"
#include "skin/themes/ui_style.h"

#include <QColor>

class QObject;

// The look every skinned control carries: its style, the file theme it may read from, and what it
// does when either changes. A control derives from it beside its Qt base, copies its look values
// in ApplyLook() from lookSource(), and is reached by containers and file themes through this type.
class ControlLook {
public:
    ControlLook(const ControlLook &) = delete;
    ControlLook &operator=(const ControlLook &) = delete;
    virtual ~ControlLook();

    TsuiUIStyle uiStyle() const { return style_; }
    // Stores the style and has the control take its look from it.
    void setUIStyle(TsuiUIStyle style);
    TsuiFileTheme *fileTheme() const { return file_theme_; }
    // Follows the theme (nullptr: none), then FileThemeChanged(). Once the theme is destroyed the
    // control is told by FileThemeForgotten().
    void setFileTheme(TsuiFileTheme *theme);

    // Where the look values of the current style and file theme are read from.
    LookSource lookSource() const { return LookSource(file_theme_, style_); }

    // True for the frame of a window, whose style new controls on that window start with.
    virtual bool framesWindow() const { return false; }

    // The look of a skinned control, nullptr for any other object.
    static ControlLook *of(QObject *object);

protected:
    explicit ControlLook(QObject *control);

    // Copies the look values of the current style into the control's own properties; repaints.
    virtual void ApplyLook() = 0;
    // A file theme was assigned: by default the current style is applied again.
    virtual void FileThemeChanged() { ApplyLook(); }
    // The file theme was destroyed: by default the control becomes DeepBlue.
    virtual void FileThemeForgotten() { setUIStyle(TsuiUIStyle::DeepBlue); }
    // Stores the style without applying it, for a control that takes its look later.
    void storeUIStyle(TsuiUIStyle style) { style_ = style; }
    // Schedules a repaint of the control when it is a widget.
    void repaintControl() const;

private:
    QObject *control_;
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    FileThemeLink file_theme_;
};

// The flat frame line of a control drawn with a border: the style sets it, a later assignment wins.
class BorderedLook : public ControlLook {
public:
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);

protected:
    using ControlLook::ControlLook;
    // Stores the colour a style gives, without the repaint the caller does anyway.
    void takeBorderColor(const QColor &color) { border_color_ = color; }

private:
    QColor border_color_{Qt::black};
};
