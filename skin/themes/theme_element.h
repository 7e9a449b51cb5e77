#pragma once

#include <QObject>
#include <QString>

// The numbered look items a skinned control reads from a style. The enum is registered with
// the meta-object system because the names double as the keys of a theme file: one source
// for both the numbers and the names.
namespace TsuiThemeElements {
Q_NAMESPACE

enum class ThemeElement : int {
    ButtonImage = 1,
    ButtonTransparentBool = 2,
    CheckBoxImage = 3,
    RadioButtonImage = 4,
    TitleBarButtonImage = 5,
    TitleBarButtonTransparentBool = 6,
    TitleBarButtonLeftOffsetInt = 7,
    TitleBarButtonRightOffsetInt = 8,
    TitleBarButtonTopInt = 9,
    TitleBarLeftImage = 10,
    TitleBarClientImage = 11,
    TitleBarRightImage = 12,
    FormMinWidthInt = 13,
    FormRoundCornerInt = 14,
    FormBackgroundColor = 15,
    FormBorderColor = 16,
    FormBorderWidthInt = 17,
    MenuSelectedBorderColor = 18,
    MenuSelectedBackgroundColor = 19,
    MenuSelectedFontColor = 20,
    MenuBackgroundColor = 21,
    MenuFontColor = 22,
    MenuBarColor = 23,
    ProgressBarImage = 24,
    ControlBorderColor = 25,
    ControlBackgroundColor = 26,
    ControlFontColor = 27,
    TrackBarBarImage = 28,
    TrackBarSliderImage = 29,
    TrackBarSliderVImage = 30,
    ScrollBarBackgroundColor = 31,
    ScrollBarButtonImage = 32,
    ScrollBarSliderImage = 33,
    CheckListBoxImage = 34,
    ToolBarButtonBorderColor = 35,
    ToolBarButtonBackgroundColor = 36,
    ToolBarButtonDownBackgroundColor = 37,
    ScrollButtonImage = 38,
    TabControlTabImage = 39,
    TabControlBarImage = 40,
    SideChannelHandleImage = 41,
    SideChannelBarImage = 42,
    TitleBarMinimizedImage = 43,
    TitleBarFontColor = 44,
    FormLeftBorderImage = 45,
    FormBottomBorderImage = 46,
    FormBottomRoundCornerInt = 47,
    MenuMenuBarColor = 48,
};
Q_ENUM_NS(ThemeElement)

// How an element's value is to be read; the codes are those a theme table row stores.
enum class ThemeValueKind : quint8 {
    Int = 0,
    Color = 1,
    Image = 2,
    Bool = 3,
};
Q_ENUM_NS(ThemeValueKind)

} // namespace TsuiThemeElements

using TsuiThemeElements::ThemeElement;
using TsuiThemeElements::ThemeValueKind;

inline constexpr int FirstThemeElement = 1;
inline constexpr int LastThemeElement = 48;

// The element's name as a theme file stores it; empty for a number outside 1..48.
QString ThemeElementName(ThemeElement element);
