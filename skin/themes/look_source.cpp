#include "skin/themes/look_source.h"

#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

LookSource::LookSource(const TsuiFileTheme *fileTheme, TsuiUIStyle style)
    : file_theme_(fileTheme)
{
    from_file_ = UsingFileTheme(fileTheme, style, effective_);
}

std::int32_t LookSource::rawColor(ThemeElement element) const
{
    return from_file_ ? file_theme_->GetColor(element) : GetThemeColor(effective_, element);
}

QColor LookSource::color(ThemeElement element) const { return ThemeColorToQColor(rawColor(element)); }

int LookSource::integer(ThemeElement element) const
{
    return from_file_ ? file_theme_->GetInt(element) : GetThemeInt(effective_, element);
}

bool LookSource::flag(ThemeElement element) const
{
    return from_file_ ? file_theme_->GetBool(element) : GetThemeBool(effective_, element);
}

QImage LookSource::bitmap(ThemeElement element) const
{
    QImage image;
    if (from_file_)
        file_theme_->GetBitmap(element, &image);
    else
        GetThemeBitmap(effective_, element, &image);
    return image;
}

QImage LookSource::frame(ThemeElement element, int index, int count) const
{
    QImage image;
    if (from_file_)
        file_theme_->GetBitmapFrame(element, &image, index, count);
    else
        GetThemeBitmap(effective_, element, &image, index, count);
    return image;
}

std::int32_t LookSource::rawColor(LookRow row) const { return GetLookRowValue(rowColumn(), row); }

QColor LookSource::color(LookRow row) const { return ThemeColorToQColor(rawColor(row)); }

int LookSource::integer(LookRow row) const { return GetLookRowValue(rowColumn(), row); }

bool LookSource::flag(LookRow row) const { return GetLookRowValue(rowColumn(), row) != 0; }

QImage LookSource::bitmap(LookRow row) const
{
    const QString name = GetLookRowImageName(rowColumn(), row);
    return name.isEmpty() ? QImage() : LoadStyleBitmap(name);
}

LookSource DefaultLook() { return LookSource(nullptr, TsuiUIStyle::DeepBlue); }
