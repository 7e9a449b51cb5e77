#pragma once

#include <QMetaType>
#include <cstdint>

// The one-byte look of every skinned control. DeepBlue is both the default and the
// fallback whenever a theme file is asked for but none is usable.
enum class TsuiUIStyle : std::uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};

Q_DECLARE_METATYPE(TsuiUIStyle)
