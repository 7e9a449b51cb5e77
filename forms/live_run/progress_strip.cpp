#include "forms/live_run/progress_strip.h"

#include "skin/paint/device_pixels.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/theme_color.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

// Read as a progress bar: "Fortschritt", its value in percent.
class AccessibleProgressStrip : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleProgressStrip(ProgressStrip *strip)
        : QAccessibleWidget(strip, QAccessible::ProgressBar, QStringLiteral("Fortschritt"))
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QStringLiteral("%1 %").arg(strip()->percent());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return strip()->percent(); }
    // The user reads the value; only a run sets it.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const ProgressStrip *strip() const { return static_cast<const ProgressStrip *>(object()); }
};

QAccessibleInterface *progress_strip_interface(const QString &key, QObject *object)
{
    if (key == QLatin1String(ProgressStrip::staticMetaObject.className()))
        if (auto *strip = qobject_cast<ProgressStrip *>(object))
            return new AccessibleProgressStrip(strip);
    return nullptr;
}

} // namespace

ProgressStrip::ProgressStrip(QWidget *parent, TsuiUIStyle style)
    : QWidget(parent)
    , style_(style)
{
    setObjectName(QStringLiteral("progressStrip"));
    resize(StripWidth, StripHeight);
    GetThemeBitmap(style, ThemeElement::ProgressBarImage, &picture_);
    static const bool accessible = (QAccessible::installFactory(progress_strip_interface), true);
    Q_UNUSED(accessible);
    hide();
}

void ProgressStrip::setPercent(int percent)
{
    const int was = percent_;
    percent_ = qBound(0, percent, 100);
    update();
    if (percent_ != was) {
        QAccessibleValueChangeEvent event(this, percent_);
        QAccessible::updateAccessibility(&event);
    }
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
