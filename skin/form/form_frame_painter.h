#pragma once

#include <QColor>
#include <QImage>
#include <QMargins>
#include <QSize>

class QPainter;

// What the border band of a skinned window shows; filled by the frame from its own state.
struct FrameBand {
    QColor borderColor;
    int borderWidth = 1;
    QColor color;            // filler between the border and the client area
    int titleHeight = 0;     // 0 while the title bar is hidden
    bool titleVisible = true;
    bool menuBarVisible = false;
    int menuBarHeight = 0;
    QColor menuBarColor;
    // The title bar's three section pictures when it has exactly three, all with pictures.
    QImage titleLeft, titleRight, titleClient;
    int roundCorner = 0;
    // A theme file's border pictures, null without: the left band (the right band shows it turned
    // by 180 degrees), and the bottom band as three frames, left cap, middle and right cap.
    QImage leftBorder, bottomBorder;
};

// The band's width on each side: three pixels, or as wide and high as a theme file's border pictures.
QMargins form_frame_margins(const QImage &leftBorder, const QImage &bottomBorder);

// Paints the three-pixel band around a window of size `window`, in window coordinates: the border,
// the filler, the menu bar's colour beside the bar, and the title pictures continued into the
// band so that they run on seamlessly into the title bar; over that, a theme file's border pictures.
void paint_form_frame(QPainter &painter, const QSize &window, const FrameBand &band);
