#include "skin/form/form_frame_painter.h"

#include "skin/paint/device_pixels.h"
#include "skin/paint/image_masks.h"
#include "skin/themes/style_bitmaps.h"

#include <QPainter>
#include <QRegion>

namespace {

// The border band is this wide in all; the border colour takes BorderWidth of it.
constexpr int Band = 3;
// The one round corner size whose outline the band draws itself.
constexpr int OutlinedRoundCorner = 11;
constexpr int ArcQuarter = 90 * 16;

// The title pictures where the title bar would show them with its pictures anchored at the
// window's corners, inside clip.
void paint_title_as_anchored(QPainter &painter, const QSize &window, const FrameBand &band, const QRegion &clip)
{
    const QImage &left = band.titleLeft;
    const QImage &right = band.titleRight;
    const int client_left = LogicalSize(left).width();
    const int client_right = window.width() - LogicalSize(right).width();
    painter.save();
    painter.setClipRegion(clip);
    painter.drawImage(0, 0, left);
    painter.drawImage(client_right, 0, right);
    if (client_right > client_left)
        painter.drawImage(QRect(client_left, 0, client_right - client_left, LogicalSize(band.titleClient).height()),
                          band.titleClient);
    painter.restore();
}

void paint_title_pictures(QPainter &painter, const QSize &window, const FrameBand &band)
{
    const int w = window.width();
    const int b = band.borderWidth;
    const int columns = Band - b;
    const QImage &left = band.titleLeft;
    const QImage &right = band.titleRight;
    const QSize left_size = LogicalSize(left);
    const QSize right_size = LogicalSize(right);

    // A border as wide as the whole band leaves no columns beside it, only the top rows below.
    if (columns > 0) {
        painter.drawImage(QPoint(b, 0), left, DeviceRect(left, QRect(0, 0, columns, left_size.height())));
        if (right_size.width() < Band)
            painter.drawImage(QRect(w - Band, 0, columns, right_size.height()), right);
        else
            painter.drawImage(QPoint(w - Band, 0), right,
                              DeviceRect(right, QRect(right_size.width() - 2, 0, columns, right_size.height())));
    }

    // The top rows as the title bar would show them there.
    paint_title_as_anchored(painter, window, band, QRegion(2, 0, w - Band - 2, Band));

    if (b == 1 && band.roundCorner == OutlinedRoundCorner) {
        const int r = band.roundCorner;
        painter.save();
        painter.setPen(band.borderColor);
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRect(0, 0, r, r), ArcQuarter, ArcQuarter);
        painter.drawArc(QRect(w - r - 1, 0, r, r), 0, ArcQuarter);
        painter.restore();
    }
}

// A theme file's side pictures stretched between the title bar and the bottom band, with the title
// pictures beside the title bar at the side pictures' width; its bottom picture as caps and a
// stretched middle.
void paint_theme_borders(QPainter &painter, const QSize &window, const FrameBand &band, bool title_pictures)
{
    const int w = window.width();
    const int h = window.height();
    const QMargins margins = form_frame_margins(band.leftBorder, band.bottomBorder);
    if (!band.leftBorder.isNull()) {
        const int side = margins.left();
        const int top = Band + band.titleHeight;
        const int bottom = h - margins.bottom();
        painter.drawImage(QRect(0, top, side, bottom - top), band.leftBorder);
        painter.drawImage(QRect(w - side, top, side, bottom - top), band.leftBorder.mirrored(true, true));
        if (band.titleVisible && title_pictures) {
            QRegion beside(0, 0, w, Band);
            beside += QRect(0, 0, side, top);
            beside += QRect(w - side, 0, side, top);
            paint_title_as_anchored(painter, window, band, beside);
        }
    }
    if (!band.bottomBorder.isNull()) {
        QImage cap;
        CutBitmapFrame(band.bottomBorder, &cap, 3, 1);
        const int cap_width = LogicalSize(cap).width();
        const int top = h - margins.bottom();
        painter.drawImage(0, top, WithTransparentColour(cap, MagentaKey));
        CutBitmapFrame(band.bottomBorder, &cap, 3, 3);
        painter.drawImage(w - cap_width, top, WithTransparentColour(cap, MagentaKey));
        CutBitmapFrame(band.bottomBorder, &cap, 3, 2);
        if (w > 2 * cap_width)
            painter.drawImage(QRect(cap_width, top, w - 2 * cap_width, margins.bottom()), cap);
    }
}

} // namespace

QMargins form_frame_margins(const QImage &leftBorder, const QImage &bottomBorder)
{
    const int side = leftBorder.isNull() ? Band : LogicalSize(leftBorder).width();
    return QMargins(side, Band, side, bottomBorder.isNull() ? Band : LogicalSize(bottomBorder).height());
}

void paint_form_frame(QPainter &painter, const QSize &window, const FrameBand &band)
{
    const int w = window.width();
    const int h = window.height();
    const int b = band.borderWidth;
    const int t = band.titleHeight;

    painter.fillRect(QRect(0, 0, b, h), band.borderColor);
    painter.fillRect(QRect(0, h - b, w, b), band.borderColor);
    painter.fillRect(QRect(w - b, 0, b, h), band.borderColor);

    if (b < Band) {
        painter.fillRect(QRect(b, t, Band - b, h - b - t), band.color);
        painter.fillRect(QRect(b, h - Band, w - 2 * b, Band - b), band.color);
        painter.fillRect(QRect(w - Band, t, Band - b, h - b - t), band.color);
    }
    if (band.menuBarVisible) {
        painter.fillRect(QRect(b, t + Band, Band - b, band.menuBarHeight), band.menuBarColor);
        painter.fillRect(QRect(w - Band, t + Band, Band - b, band.menuBarHeight), band.menuBarColor);
    }

    const bool pictures = !band.titleLeft.isNull() && !band.titleRight.isNull() && !band.titleClient.isNull();
    if (band.titleVisible && pictures && b <= Band) {
        paint_title_pictures(painter, window, band);
    } else if (!band.titleVisible) {
        painter.fillRect(QRect(0, 0, w, 1), band.borderColor);
        painter.fillRect(QRect(b, 1, w - 2 * b, 2), band.color);
    }
    paint_theme_borders(painter, window, band, pictures);
}
