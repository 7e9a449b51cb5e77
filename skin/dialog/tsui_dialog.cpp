#include "skin/dialog/tsui_dialog.h"

#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

#include <QApplication>
#include <algorithm>
#include <iterator>

namespace {
// Control text colours of theme files whose title bars are light enough for a black caption.
constexpr std::int32_t DarkCaptionControlColors[] = {0x10000, 0x30000, 0x40000, 0x50000};
} // namespace

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

void TsuiDialog::ApplyLook() { caption_font_color_ = DialogCaptionColor(fileTheme(), uiStyle()); }

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

QColor DialogCaptionColor(const TsuiFileTheme *fileTheme, TsuiUIStyle style)
{
    TsuiUIStyle effective = TsuiUIStyle::DeepBlue;
    if (UsingFileTheme(fileTheme, style, effective)) {
        const std::int32_t caption = fileTheme->GetColor(ThemeElement::TitleBarFontColor);
        if (caption != -1)
            return ThemeColorToQColor(caption);
        const std::int32_t control = fileTheme->GetColor(ThemeElement::ControlFontColor);
        const bool dark = std::find(std::begin(DarkCaptionControlColors), std::end(DarkCaptionControlColors),
                                    control) != std::end(DarkCaptionControlColors);
        return dark ? QColor(Qt::black) : QColor(Qt::white);
    }
    return style == TsuiUIStyle::MacOS ? QColor(Qt::black) : QColor(Qt::white);
}
