#pragma once

#include "skin/form/tform.h"
#include "skin/form/tsui_form.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/titlebar/tsui_title_bar.h"

#include <QDir>
#include <QImage>

// A window with a frame in the style the application's windows use, shown offscreen.
struct FramedWindow {
    TForm window;
    TsuiForm *frame = new TsuiForm(&window);

    explicit FramedWindow(TsuiUIStyle style = TsuiUIStyle::MacOS, const QString &caption = QStringLiteral("Fuses"),
                          QSize client = QSize(385, 378))
    {
        frame->setUIStyle(style);
        frame->setCaption(caption);
        window.setClientSize(client.width(), client.height());
    }
    TsuiTitleBar *bar() const { return frame->titleBar(); }
    QImage grabWindow() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage grabBar() const { return bar()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// Frame `index` of the style's 18-frame title button strip.
inline QImage title_button_frame(const char *strip, int index)
{
    QImage frame;
    CutBitmapFrame(LoadStyleBitmap(QLatin1String(strip)), &frame, 18, index);
    return frame.convertToFormat(QImage::Format_RGB32);
}

// Whether image shows picture with its top-left corner at (x, y), pixel for pixel.
inline bool shows_at(const QImage &image, const QImage &picture, int x, int y)
{
    return image.copy(x, y, picture.width(), picture.height()) == picture;
}

inline void save_for_viewing(const QImage &image, const QString &name)
{
    image.save(QDir::current().absoluteFilePath(name));
}
