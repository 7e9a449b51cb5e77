#pragma once

#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// Where a title bar puts its buttons and caption; plain geometry, no widgets.
struct TitleBarLayoutInput {
    struct Button {
        bool visible = true;
        bool controlBox = false;
        QSize picture;
    };
    int width = 0;
    int leftOffset = 0;     // LeftBtnXOffset
    int rightOffset = 0;    // RightBtnXOffset
    int interval = 0;       // ButtonInterval
    int leftImageWidth = 0; // the frame's left border image, 0 for the built-in styles
    int buttonTop = 0;
    bool drawAppIcon = false;
    QPoint pointer{-1, -1}; // where the pointer is over the bar; outside when it is not
    std::vector<Button> buttons;
};

struct TitleBarLayout {
    // Per button of the input, in its order: where its picture is drawn, and the rectangle in
    // which the pointer is on it (both edges of the picture inclusive). Hidden buttons: empty.
    std::vector<QPoint> drawAt;
    std::vector<QRect> hitRect;
    int hotButton = -1;       // the button under the pointer, -1 for none
    QPoint appIconAt{-1, -1}; // where the application icon goes instead of the control box
    int captionLeft = 0;
    int captionRight = 0;     // the left edge of the leftmost right-side button
};

TitleBarLayout layout_title_bar(const TitleBarLayoutInput &input);

// The caption shortened to fit width: characters come off its end until the rest followed by
// "..." fits. Empty when not even "..." fits.
QString fit_caption(const QString &caption, const QFontMetrics &metrics, int width);
