#include "skin/themes/control_look.h"

#include <QWidget>

ControlLook::ControlLook(QObject *control)
    : control_(control)
{
}

ControlLook::~ControlLook() = default;

void ControlLook::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    ApplyLook();
}

void ControlLook::setFileTheme(TsuiFileTheme *theme)
{
    file_theme_.follow(theme, control_, [this] { FileThemeForgotten(); });
    FileThemeChanged();
}

void ControlLook::repaintControl() const
{
    if (auto *widget = qobject_cast<QWidget *>(control_))
        widget->update();
}

ControlLook *ControlLook::of(QObject *object) { return dynamic_cast<ControlLook *>(object); }

void BorderedLook::setBorderColor(const QColor &color)
{
    border_color_ = color;
    repaintControl();
}
