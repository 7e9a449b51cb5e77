#include "skin/themes/style_resolution.h"

#include "skin/themes/file_theme.h"

#include <QMetaProperty>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {

const char *const FileThemeProperty = "FileTheme";
const char *const UIStyleProperty = "UIStyle";
const char *const FrameClassName = "TsuiForm";

// Reads a UIStyle property whether it was declared as TsuiUIStyle or as a plain integer.
TsuiUIStyle StyleFromVariant(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<TsuiUIStyle>())
        return value.value<TsuiUIStyle>();
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? static_cast<TsuiUIStyle>(number) : TsuiUIStyle::DeepBlue;
}

// Writes through the property so that the control's setter runs.
void WriteStyle(QObject *object, const QMetaProperty &property, TsuiUIStyle style)
{
    if (property.metaType() == QMetaType::fromType<TsuiUIStyle>())
        property.write(object, QVariant::fromValue(style));
    else
        property.write(object, static_cast<int>(style));
}

} // namespace

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
    for (const QObject *child : form->children()) {
        if (!child->isWidgetType() || !child->inherits(FrameClassName))
            continue;
        const QVariant style = child->property(UIStyleProperty);
        if (style.isValid())
            return StyleFromVariant(style);
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
        const QMetaObject *meta = child->metaObject();
        const int themeIndex = meta->indexOfProperty(FileThemeProperty);
        const int styleIndex = meta->indexOfProperty(UIStyleProperty);
        if (themeIndex < 0 || styleIndex < 0)
            continue;
        meta->property(themeIndex).write(child, QVariant::fromValue(fileTheme));
        if (child)
            WriteStyle(child, meta->property(styleIndex), style);
    }
}
