#include "skin/button/tsui_button.h"

#include "skin/paint/device_pixels.h"
#include "skin/paint/draw_nine_slice.h"
#include "skin/paint/image_masks.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"

#include <QPainter>

namespace {

constexpr QRgb DisabledCaptionColour = 0xFF808080;
constexpr QRgb EmbossColour = 0xFFFFFFFF;
constexpr int GlyphCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

} // namespace

TsuiButton::TsuiButton(QWidget *parent)
    : TsuiCustomButton(parent)
{
    resize(DefaultSize);
    // The base set the style before this class could take its transparency from it.
    ApplyLook();
}

void TsuiButton::setGlyphImage(const QImage &glyph)
{
    glyph_ = glyph;
    update();
}

void TsuiButton::setButtonLayout(TButtonLayout layout)
{
    layout_ = layout;
    update();
}

void TsuiButton::setSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void TsuiButton::ApplyLook()
{
    const LookSource look = lookSource();
    setTransparent(look.flag(ThemeElement::ButtonTransparentBool));
    focus_bold_ = look.flag(LookRow::ButtonFocusBoldBool);
    TsuiCustomButton::ApplyLook();
}

void TsuiButton::PaintFace(QPainter &canvas, const QImage &frame)
{
    canvas.setFont(font());
    DrawNineSlice(frame, canvas, rect(), frameTransparent());
    if (!glyph_.isNull())
        paintGlyph(canvas);
}

TsuiButton::GlyphPlacement TsuiButton::placeGlyph() const
{
    const QFontMetrics metrics(font());
    const QString text = caption();
    const int tw = text.isEmpty() ? 0 : metrics.horizontalAdvance(text);
    const int th = text.isEmpty() ? 0 : metrics.height();
    int gw = LogicalSize(glyph_).width();
    const int gh = LogicalSize(glyph_).height();
    // A glyph twice as wide as high holds a normal and a disabled picture.
    const bool twoFrames = gw == 2 * gh;
    if (twoFrames)
        gw = gh;
    const int W = width();
    const int H = height();
    int gx = 0;
    int gy = 0;
    int tx = 0;
    int ty = 0;
    switch (layout_) {
    case blGlyphLeft:
        gx = (W - (tw + gw + spacing_)) / 2;
        gy = (H - gh) / 2;
        tx = gx + gw + spacing_;
        ty = (H - th) / 2;
        break;
    case blGlyphRight:
        gx = (W + tw + spacing_ - gw) / 2;
        gy = (H - gh) / 2;
        tx = gx - tw - spacing_;
        ty = (H - th) / 2;
        break;
    case blGlyphTop:
        gx = (W - gw) / 2;
        gy = (H - (th + gh + spacing_)) / 2;
        tx = (W - tw) / 2;
        ty = gy + gh + spacing_;
        break;
    case blGlyphBottom:
        gx = (W - gw) / 2;
        gy = (H + th + spacing_ - gh) / 2;
        tx = (W - tw) / 2;
        ty = gy - th - spacing_;
        break;
    }
    return {QPoint(gx, gy), QPoint(tx, ty)};
}

void TsuiButton::paintGlyph(QPainter &canvas) const
{
    int gw = LogicalSize(glyph_).width();
    const int gh = LogicalSize(glyph_).height();
    // A glyph twice as wide as high holds a normal and a disabled picture.
    const bool twoFrames = gw == 2 * gh;
    if (twoFrames)
        gw = gh;
    const QPoint at = placeGlyph().glyph + (isPressed() ? QPoint(1, 1) : QPoint());
    const QImage masked = WithTransparentColour(glyph_, TopLeftColour(glyph_));
    QImage picture;
    if (twoFrames)
        picture = CopyLogical(masked, QRect(isEnabled() ? 0 : gw, 0, gw, gh));
    else
        picture = isEnabled() ? masked : Greyed(masked);
    canvas.drawImage(at, picture);
}

void TsuiButton::PaintCaption(QPainter &canvas, const QString &caption)
{
    if (glyph_.isNull()) {
        TsuiCustomButton::PaintCaption(canvas, caption);
        return;
    }
    canvas.setBrush(Qt::NoBrush);
    canvas.setFont(font());
    const auto area = [this](QPoint origin) { return QRect(origin, QPoint(width() - 1, height() - 1)); };
    QPoint origin = placeGlyph().text;
    if (!isEnabled()) {
        canvas.setPen(QColor::fromRgb(EmbossColour));
        canvas.drawText(area(origin + QPoint(1, 1)), GlyphCaptionFlags, caption);
        canvas.setPen(QColor::fromRgb(DisabledCaptionColour));
    } else {
        if (isPressed())
            origin += QPoint(1, 1);
        canvas.setPen(fontColour());
    }
    canvas.drawText(area(origin), GlyphCaptionFlags, caption);
}

bool TsuiButton::FocusShownByBoldCaption() const
{
    // A button with only a glyph has no caption to make bold and shows the rectangle, so that the
    // keyboard's place is always seen.
    return focus_bold_ && !caption().trimmed().isEmpty();
}
