#pragma once

#include "skin/themes/theme_element.h"
#include "skin/themes/ui_style.h"

#include <QIcon>
#include <QImage>
#include <QString>

// The embedded style bitmap of that name (for example "MACOS_BUTTON"), decoded on first use and
// kept; callers cut frames from it at every paint. A name the executable does not carry, or a
// bitmap that does not decode, gives an empty image and is reported once, from the event loop:
// this is called from paint handlers, which must neither throw nor open a window.
QImage LoadStyleBitmap(const QString &name);

// True when the executable carries a bitmap of that name.
bool HasStyleBitmap(const QString &name);

// The application icon, 32 x 32 and 16 x 16.
QIcon LoadAppIcon();

// Frame `index` (counted from 1) of `count` equal-width frames laid side by side: full height,
// width = source width / count. An index outside 1..count or a count below 1 gives an empty image.
void CutBitmapFrame(const QImage &source, QImage *target, int count, int index);

// Loads the bitmap an Image element names for a built-in style into *target: the whole bitmap
// when frameCount is 0, else frame frameIndex of frameCount. A null target is ignored. When the
// element names no bitmap (another kind, a style outside MacOS..BlueGlass, or an element only a
// theme file fills), a whole-bitmap request leaves *target as it was and a frame request empties it.
void GetThemeBitmap(TsuiUIStyle style, ThemeElement element, QImage *target, int frameIndex = 0,
                    int frameCount = 0);
