#include "skin/form/form_frame_painter.h"

#include <QPainter>

namespace {

// The border band is this wide in all; the border colour takes BorderWidth of it.
constexpr int Band = 3;
// The one round corner size whose outline the band draws itself.
constexpr int OutlinedRoundCorner = 11;
constexpr int ArcQuarter = 90 * 16;

void paint_title_pictures(QPainter &painter, const QSize &window, const FrameBand &band)
{
    const int w = window.width();
    const int b = band.borderWidth;
    const int columns = Band - b;
    const QImage &left = band.titleLeft;
    const QImage &right = band.titleRight;
    const QImage &client = band.titleClient;

    // A border as wide as the whole band leaves no columns beside it, only the top rows below.
    if (columns > 0) {
        painter.drawImage(QPoint(b, 0), left, QRect(0, 0, columns, left.height()));
        if (right.width() < Band)
            painter.drawImage(QRect(w - Band, 0, columns, right.height()), right);
        else
            painter.drawImage(QPoint(w - Band, 0), right, QRect(right.width() - 2, 0, columns, right.height()));
    }

    // The top rows as the title bar would show them there, its pictures anchored at the window's
    // corners.
    painter.save();
    painter.setClipRect(QRect(2, 0, w - Band - 2, Band));
    const int client_left = left.width();
    const int client_right = w - right.width();
    painter.drawImage(0, 0, left);
    painter.drawImage(client_right, 0, right);
    if (client_right > client_left)
        painter.drawImage(QRect(client_left, 0, client_right - client_left, client.height()), client);
    painter.restore();

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

} // namespace

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
}
