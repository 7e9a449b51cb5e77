#pragma once

#include "skin/themes/ui_style.h"

class QObject;
class TsuiFileTheme;

// Whether a control with this file theme and style reads its look from the file theme. When it
// does not, effectiveStyle is the built-in style to read instead: the style itself, or DeepBlue
// for FromThemeFile. When it does, effectiveStyle is DeepBlue, the look for elements the file
// lacks unless the control has a fallback of its own.
bool UsingFileTheme(const TsuiFileTheme *fileTheme, TsuiUIStyle style, TsuiUIStyle &effectiveStyle);

// The starting style of a new skinned control: the UIStyle of the TsuiForm frame placed directly
// on the control's window (owner may be the window or any widget on it), DeepBlue when there is
// no window or no frame on it.
TsuiUIStyle GetOwnerFormStyle(const QObject *owner);

// Pushes a style down one level: every direct child widget of container that is a skinned control
// (has a ControlLook) gets FileTheme := fileTheme, then UIStyle := style, in child order.
// Grandchildren and other widgets are left alone.
void ApplyStyleToChildren(QObject *container, TsuiUIStyle style, TsuiFileTheme *fileTheme);
