#include "skin/titlebar/title_bar_layout.h"

namespace {
constexpr int ControlBoxGap = 5;      // caption gap after the control box picture
constexpr int AppIconInset = 3;
constexpr int AppIconAdvance = 21;    // the 16-pixel icon and its gap
constexpr int CaptionLeftWithoutBox = 6;
const QString Ellipsis = QStringLiteral("...");
} // namespace

TitleBarLayout layout_title_bar(const TitleBarLayoutInput &input)
{
    TitleBarLayout layout;
    const std::size_t n = input.buttons.size();
    layout.drawAt.assign(n, QPoint());
    layout.hitRect.assign(n, QRect());

    int x = input.width + input.rightOffset + input.leftImageWidth;
    layout.captionRight = input.width + input.rightOffset;
    for (std::size_t i = 0; i < n; ++i) {
        const TitleBarLayoutInput::Button &button = input.buttons[i];
        if (!button.visible || button.controlBox)
            continue;
        const int w = button.picture.width();
        x -= w + 1 + input.interval;
        if (x + w + 1 > input.width)
            x = input.width - w - 1;
        layout.drawAt[i] = QPoint(x, input.buttonTop);
        layout.hitRect[i] = QRect(x, input.buttonTop, w + 1, button.picture.height() + 1);
        layout.captionRight = x;
    }

    int left = qMax(0, input.leftOffset + 1 - input.leftImageWidth);
    for (std::size_t i = 0; i < n; ++i) {
        const TitleBarLayoutInput::Button &button = input.buttons[i];
        if (!button.visible || !button.controlBox)
            continue;
        layout.hitRect[i] = QRect(left, input.buttonTop, button.picture.width() + 1, button.picture.height() + 1);
        if (input.drawAppIcon) {
            layout.appIconAt = QPoint(left + AppIconInset, input.buttonTop);
            left += AppIconAdvance;
        } else {
            // The box picture sits one row higher than the right-side buttons.
            layout.drawAt[i] = QPoint(left, input.buttonTop - 1);
            left += button.picture.width() + ControlBoxGap;
        }
        break;
    }
    if (left == 0)
        left = CaptionLeftWithoutBox;
    layout.captionLeft = left;
    for (std::size_t i = 0; i < n; ++i)
        if (!layout.hitRect[i].isEmpty() && layout.hitRect[i].contains(input.pointer))
            layout.hotButton = static_cast<int>(i);
    return layout;
}

QString fit_caption(const QString &caption, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return caption;
    QString rest = caption;
    while (!rest.isEmpty()) {
        rest.chop(1);
        if (metrics.horizontalAdvance(rest + Ellipsis) <= width)
            return rest + Ellipsis;
    }
    // Not even "..." fits: show nothing rather than spill over the buttons.
    return QString();
}
