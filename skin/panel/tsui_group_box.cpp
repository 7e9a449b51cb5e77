#include "skin/panel/tsui_group_box.h"

#include "skin/layout/mirroring.h"
#include "skin/themes/style_resolution.h"

#include <QEvent>
#include <QFontInfo>
#include <QPainter>
#include <cmath>

namespace {

constexpr int NewBoxWidth = 185;
constexpr int NewBoxHeight = 105;
// The top line starts with a short stub before the caption, and the gap after the caption.
constexpr int LineStubEnd = 2;
constexpr int CaptionLeft = 5;
constexpr int CaptionGapAfter = 6;
// Where aligned children go: inside the lines, below the caption.
constexpr int ChildMargin = 3;
constexpr int ChildTopBelowFont = 5;
const QColor DisabledCaptionColour{0x80, 0x80, 0x80};

} // namespace

TsuiCustomGroupBox::TsuiCustomGroupBox(QWidget *parent)
    : TsuiCustomPanel(parent)
    , BorderedLook(this)
{
    resize(NewBoxWidth, NewBoxHeight);
    setParentColor(true);
    // A blank control text keeps the panel's own text from ever showing; the caption is separate.
    setText(QStringLiteral(" "));
    setUIStyle(GetOwnerFormStyle(parent));
}

void TsuiCustomGroupBox::FileThemeForgotten()
{
    ApplyStyleToChildren(this, TsuiUIStyle::DeepBlue, nullptr);
    setUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiCustomGroupBox::ApplyLook()
{
    ApplyStyleToChildren(this, uiStyle(), fileTheme());
    const LookSource look = lookSource();
    takeBorderColor(look.color(ThemeElement::ControlBorderColor));
    font_color_ = look.color(ThemeElement::ControlFontColor);
    update();
}

void TsuiCustomGroupBox::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TsuiCustomGroupBox::setFontColor(const QColor &color)
{
    font_color_ = color;
    update();
}

// The font's height in pixels as the font was asked for (11 for 8 points), not the line spacing:
// the top line sits at half of it.
int TsuiCustomGroupBox::fontHeight() const
{
    if (font().pixelSize() > 0)
        return font().pixelSize();
    return static_cast<int>(std::lround(font().pointSizeF() * logicalDpiY() / 72.0));
}

QRect TsuiCustomGroupBox::childAlignArea() const
{
    return QRect(QPoint(ChildMargin, fontHeight() + ChildTopBelowFont),
                 QPoint(width() - ChildMargin - 1, height() - ChildMargin - 1));
}

void TsuiCustomGroupBox::changeEvent(QEvent *event)
{
    TsuiCustomPanel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        align_children(this, childAlignArea());
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

void TsuiCustomGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int fh = fontHeight();
    if (transparent())
        paintPanel(painter);
    else
        painter.fillRect(rect(), color());

    painter.setFont(font());
    const int y = fh / 2 + 1;
    const int right = width() - 1;
    const int bottom = height() - 1;
    const int caption_width = caption_.isEmpty() ? 0 : painter.fontMetrics().horizontalAdvance(caption_);
    // One connected line whose very last point is left out, drawn as runs of whole pixels.
    auto hline = [&](int x1, int x2, int at_y) {
        painter.fillRect(QRect(QPoint(std::min(x1, x2), at_y), QPoint(std::max(x1, x2), at_y)), borderColor());
    };
    auto vline = [&](int at_x, int y1, int y2) { painter.fillRect(QRect(QPoint(at_x, y1), QPoint(at_x, y2)), borderColor()); };

    const bool mirrored = mirrored_layout(this);
    if (!mirrored) {
        hline(0, LineStubEnd, y);
        vline(0, y, bottom);
        hline(0, right, bottom);
        vline(right, y, bottom);
        if (!caption_.isEmpty())
            hline(caption_width + CaptionGapAfter + 1, right, y);
        else
            hline(1, right, y);
    } else {
        const int left = 1;
        hline(right - LineStubEnd, right, y);
        vline(right, y, bottom);
        hline(left, right, bottom);
        vline(left, y, bottom);
        if (!caption_.isEmpty())
            hline(left, right - caption_width - CaptionGapAfter - 1, y);
        else
            hline(left, right - 1, y);
    }

    if (caption_.isEmpty())
        return;
    painter.setPen(isEnabled() ? font_color_ : DisabledCaptionColour);
    const int caption_x = mirrored ? width() - caption_width - CaptionGapAfter : CaptionLeft;
    // The caption is not clipped to the gap in the line.
    painter.drawText(QRect(caption_x, 0, width(), height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     caption_);
}

TsuiGroupBox::TsuiGroupBox(QWidget *parent)
    : TsuiCustomGroupBox(parent)
{
}
