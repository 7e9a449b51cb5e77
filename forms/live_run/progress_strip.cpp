#include "forms/live_run/progress_strip.h"

#include "skin/paint/device_pixels.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/theme_color.h"

#include <QPainter>

ProgressStrip::ProgressStrip(QWidget *parent, TsuiUIStyle style)
    : QWidget(parent)
    , style_(style)
{
    setObjectName(QStringLiteral("progressStrip"));
    resize(StripWidth, StripHeight);
    GetThemeBitmap(style, ThemeElement::ProgressBarImage, &picture_);
    hide();
}

void ProgressStrip::setPercent(int percent)
{
    percent_ = qBound(0, percent, 100);
    update();
}

void ProgressStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), Qt::white);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const int filled = inner.width() * percent_ / 100;
    if (filled > 0 && !picture_.isNull()) {
        // Stretched to the strip's height in the picture's own pixels, which may be finer.
        QImage tile = picture_.scaled(picture_.width(), DeviceRect(picture_, QRect(0, 0, 1, inner.height())).height());
        tile.setDevicePixelRatio(picture_.devicePixelRatio());
        painter.drawTiledPixmap(QRect(inner.topLeft(), QSize(filled, inner.height())), QPixmap::fromImage(tile));
    }
    painter.setPen(ThemeColorToQColor(GetThemeColor(style_, ThemeElement::ControlBorderColor)));
    painter.drawRect(frame);
}
