#include "skin/themes/style_resolution.h"

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QPointer>
#include <QWidget>

bool UsingFileTheme(const TsuiFileTheme *fileTheme, TsuiUIStyle style, TsuiUIStyle &effectiveStyle)
{
    if (style == TsuiUIStyle::FromThemeFile) {
        effectiveStyle = TsuiUIStyle::DeepBlue;
        return fileTheme && fileTheme->CanUse();
    }
    effectiveStyle = style;
    return false;
}

TsuiUIStyle GetOwnerFormStyle(const QObject *owner)
{
    const auto *widget = qobject_cast<const QWidget *>(owner);
    if (!widget)
        return TsuiUIStyle::DeepBlue;
    const QWidget *form = widget->window();
    for (QObject *child : form->children()) {
        const ControlLook *look = child->isWidgetType() ? ControlLook::of(child) : nullptr;
        if (look && look->framesWindow())
            return look->uiStyle();
    }
    return TsuiUIStyle::DeepBlue;
}

void ApplyStyleToChildren(QObject *container, TsuiUIStyle style, TsuiFileTheme *fileTheme)
{
    if (!container)
        return;
    // A setter may create or delete children of the container: walk a guarded copy of the list.
    QList<QPointer<QObject>> children;
    for (QObject *child : container->children())
        children.append(child);
    for (const QPointer<QObject> &child : children) {
        if (!child || !child->isWidgetType())
            continue;
        ControlLook *look = ControlLook::of(child);
        if (!look)
            continue;
        look->setFileTheme(fileTheme);
        if (child)
            look->setUIStyle(style);
    }
}
