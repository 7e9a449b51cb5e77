#pragma once

#include "skin/themes/look_rows.h"
#include "skin/themes/theme_element.h"
#include "skin/themes/ui_style.h"

#include <QColor>
#include <QImage>
#include <cstdint>

class TsuiFileTheme;

// Where a control reads its look from for one style application: the file theme when the
// control's style asks for it and the theme is usable, else the built-in table of the effective
// style. Reads of missing file elements give the file theme's own "missing" values.
class LookSource {
public:
    LookSource(const TsuiFileTheme *fileTheme, TsuiUIStyle style);

    bool fromFile() const { return from_file_; }
    TsuiUIStyle effectiveStyle() const { return effective_; }

    std::int32_t rawColor(ThemeElement element) const; // -1 for a file element that is missing
    QColor color(ThemeElement element) const;
    int integer(ThemeElement element) const;
    bool flag(ThemeElement element) const;
    // The whole bitmap; a null image when there is none.
    QImage bitmap(ThemeElement element) const;
    // Frame index (from 1) of count equal-width frames; a null image when there is none.
    QImage frame(ThemeElement element, int index, int count) const;

    // The same for a look row, which a file look answers from its own column.
    std::int32_t rawColor(LookRow row) const; // -1 where the row leaves the colour to the control
    QColor color(LookRow row) const;
    int integer(LookRow row) const;
    bool flag(LookRow row) const;
    QImage bitmap(LookRow row) const; // a null image for none

private:
    TsuiUIStyle rowColumn() const { return from_file_ ? TsuiUIStyle::FromThemeFile : effective_; }

    const TsuiFileTheme *file_theme_;
    TsuiUIStyle effective_ = TsuiUIStyle::DeepBlue;
    bool from_file_ = false;
};

// The look of a control before it takes one: DeepBlue, no theme file. For what is built once,
// before any look is known, from a row that is the same in every look.
LookSource DefaultLook();
