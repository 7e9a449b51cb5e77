#include "skin/dialog/tsui_dialog.h"

#include "skin/themes/style_resolution.h"
#include "skin/titlebar/caption_color.h"

#include <QApplication>

TsuiDialog::TsuiDialog(QObject *owner)
    : QObject(owner)
    , ControlLook(this)
    , caption_(QStringLiteral("suiDialog"))
    , font_(QApplication::font())
    , caption_font_(QStringLiteral("Tahoma"))
    , caption_font_color_(Qt::white)
{
    caption_font_.setPixelSize(CaptionFontPixels);
    caption_font_.setBold(true);
    setUIStyle(GetOwnerFormStyle(owner));
}

// The caption colour of the window a showing builds, as its title bar would take it.
void TsuiDialog::ApplyLook() { caption_font_color_ = TitleCaptionColor(lookSource()); }

Qt::CursorShape CursorShapeFromId(int cursor)
{
    switch (cursor) {
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}
