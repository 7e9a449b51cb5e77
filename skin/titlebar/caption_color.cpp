#include "skin/titlebar/caption_color.h"

#include "skin/themes/look_source.h"
#include "skin/themes/theme_color.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {
constexpr std::array<std::int32_t, 4> LightTitleControlFontColors{0x10000, 0x30000, 0x40000, 0x50000};
} // namespace

QColor TitleCaptionColor(const LookSource &look)
{
    const std::int32_t caption = look.rawColor(ThemeElement::TitleBarFontColor);
    if (caption != -1)
        return ThemeColorToQColor(caption);
    const std::int32_t control = look.rawColor(ThemeElement::ControlFontColor);
    const bool light = std::find(LightTitleControlFontColors.begin(), LightTitleControlFontColors.end(), control) !=
                       LightTitleControlFontColors.end();
    return light ? QColor(Qt::black) : QColor(Qt::white);
}
