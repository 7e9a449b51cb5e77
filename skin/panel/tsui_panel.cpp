#include "skin/panel/tsui_panel.h"

#include "skin/layout/mirroring.h"
#include "skin/paint/device_pixels.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

constexpr int NewPanelSize = 100;
constexpr int AnimationStep = 15;
// Collapsing still leaves something to click when the caption bar has no height.
constexpr int BarlessCollapsedHeight = 20;
constexpr int CaptionLeft = 10;
constexpr int CaptionRightMargin = 11;
constexpr int CaptionRightMarginWithButton = 21;
// The bar's button: four 13 x 12 frames (expanded, expanded hot, collapsed, collapsed hot).
constexpr int ButtonFrames = 4;
constexpr int ButtonWidth = 13;
constexpr int ButtonHeight = 12;
constexpr int ButtonHitFromRight = 18;
constexpr int ButtonDrawFromRight = 17;
constexpr int ButtonDrawTopOffset = 2;
// Children sit inside the panel's 3-pixel margin plus the 1 pixel its bevel reserves.
constexpr int ChildInset = 4;

// The caption colours a theme file may give (as stored) that call for black caption text on the
// bar; every other colour gets white.
constexpr std::array<std::int32_t, 6> DarkThemeFontColours{131072, 196608, 262144, 327680, 2253583, 8016662};

} // namespace

TsuiPanel::TsuiPanel(QWidget *parent)
    : QWidget(parent)
    , BorderedLook(this)
    , full_height_(NewPanelSize)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(NewPanelSize, NewPanelSize);
    setUIStyle(GetOwnerFormStyle(parent));
}

void TsuiPanel::setHeight(int height)
{
    full_height_ = height;
    if (!expanded_)
        return;
    resize(width(), height);
    realign_container(parentWidget());
}

void TsuiPanel::FileThemeChanged()
{
    if (uiStyle() == TsuiUIStyle::FromThemeFile)
        ApplyLook();
}

void TsuiPanel::FileThemeForgotten()
{
    ApplyStyleToChildren(this, TsuiUIStyle::DeepBlue, nullptr);
    setUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiPanel::ApplyLook()
{
    color_ = Qt::white;
    const LookSource look = lookSource();
    // A bar picture missing from a theme file leaves the one before.
    if (const QImage bar = look.bitmap(ThemeElement::SideChannelBarImage); !bar.isNull() || !look.fromFile())
        caption_bar_ = bar;
    takeBorderColor(look.color(ThemeElement::ControlBorderColor));
    if (const std::int32_t caption = look.rawColor(LookRow::PanelCaptionFontColor); caption != -1) {
        caption_font_color_ = ThemeColorToQColor(caption);
    } else {
        const std::int32_t font_colour = look.rawColor(ThemeElement::ControlFontColor);
        const bool dark = std::find(DarkThemeFontColours.begin(), DarkThemeFontColours.end(), font_colour) !=
                          DarkThemeFontColours.end();
        caption_font_color_ = dark ? Qt::black : Qt::white;
    }
    button_strip_ = look.bitmap(LookRow::PanelButtonImage);
    // The bar's height may have changed, and with it where the children go.
    align_children(this, childAlignArea());
    update();
}

void TsuiPanel::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TsuiPanel::setShowButton(bool show)
{
    show_button_ = show;
    update();
}

void TsuiPanel::setCaptionFontColor(const QColor &color)
{
    caption_font_color_ = color;
    update();
}

void TsuiPanel::setColor(const QColor &color)
{
    color_ = color;
    update();
}

QRect TsuiPanel::childAlignArea() const
{
    return QRect(QPoint(ChildInset, barHeight() + ChildInset), QPoint(width() - ChildInset - 1, height() - ChildInset - 1));
}

int TsuiPanel::barHeight() const
{
    return LogicalSize(caption_bar_).height();
}

bool TsuiPanel::buttonShown() const
{
    const TAlign align = align_of(this);
    return show_button_ && align != TAlign::alLeft && align != TAlign::alRight && align != TAlign::alClient;
}

QRect TsuiPanel::buttonHitRect() const
{
    const int top = (barHeight() - ButtonHeight) / 2;
    return QRect(width() - ButtonHitFromRight, top, ButtonWidth, ButtonHeight);
}

bool TsuiPanel::buttonHot() const
{
    // The hit rectangle counts its right and bottom edges as inside.
    return buttonShown() && buttonHitRect().adjusted(0, 0, 1, 1).contains(pointer_);
}

void TsuiPanel::paintButton(QPainter &painter) const
{
    const QRect hit = buttonHitRect().adjusted(0, 0, 1, 1);
    const bool hot = buttonHot();
    const int frame = expanded_ ? (hot ? 2 : 1) : (hot ? 4 : 3);
    QImage face;
    CutBitmapFrame(button_strip_, &face, ButtonFrames, frame);
    painter.drawImage(width() - ButtonDrawFromRight, hit.top() / 2 + ButtonDrawTopOffset, face);
}

void TsuiPanel::paintEvent(QPaintEvent *)
{
    // Laid out for the current height: a collapsing panel shows the top of its expanded look.
    QPainter painter(this);
    painter.setPen(borderColor());
    painter.setBrush(color_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int bar = barHeight();
    if (!caption_bar_.isNull())
        painter.drawImage(QRect(1, 0, width() - 2, bar), caption_bar_);

    painter.setFont(font());
    painter.setPen(caption_font_color_);
    const int text_flags = Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::AlignVCenter;
    if (mirrored_layout(this)) {
        const int right = width() - (show_button_ ? CaptionRightMarginWithButton : CaptionRightMargin);
        painter.drawText(QRect(QPoint(1, 0), QPoint(right - 1, bar - 1)), text_flags | Qt::AlignRight, caption_);
    } else {
        painter.drawText(QRect(QPoint(CaptionLeft, 0), QPoint(width() - 2, bar - 1)), text_flags | Qt::AlignLeft,
                         caption_);
    }
    if (buttonShown())
        paintButton(painter);
}

void TsuiPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!animating_ && expanded_)
        full_height_ = height();
    align_children(this, childAlignArea());
}

void TsuiPanel::pointerAt(const QPoint &pos)
{
    const bool was_hot = buttonHot();
    pointer_ = pos;
    if (buttonHot() != was_hot)
        update();
}

void TsuiPanel::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    pointerAt(event->position().toPoint());
}

void TsuiPanel::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    // A press always comes where the pointer last moved to; take it as such a move.
    pointerAt(event->position().toPoint());
}

void TsuiPanel::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !buttonHot())
        return;
    if (expanded_)
        push();
    else
        pop();
    update();
}

void TsuiPanel::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    pointerAt(QPoint(-1, -1));
}

// One step of the animation: the windows around the panel follow at once, and pending events
// (paints, a second click) run in between.
void TsuiPanel::stepHeight(int height)
{
    resize(width(), height);
    realign_container(parentWidget());
    repaint();
}

void TsuiPanel::push()
{
    const TAlign align = align_of(this);
    if (align == TAlign::alLeft || align == TAlign::alRight || align == TAlign::alClient)
        throw std::runtime_error("Can't push when Align is alClient, alLeft or alRight.");
    const int target = barHeight() > 0 ? barHeight() : BarlessCollapsedHeight;
    const QPointer<TsuiPanel> guard(this);
    animating_ = true;
    while (target < height() - AnimationStep) {
        stepHeight(height() - AnimationStep);
        QCoreApplication::processEvents();
        if (!guard)
            return;
    }
    stepHeight(target);
    animating_ = false;
    expanded_ = false;
    update();
    emit OnPush();
}

void TsuiPanel::pop()
{
    const QPointer<TsuiPanel> guard(this);
    animating_ = true;
    while (height() + AnimationStep < full_height_) {
        stepHeight(height() + AnimationStep);
        QCoreApplication::processEvents();
        if (!guard)
            return;
    }
    stepHeight(full_height_);
    animating_ = false;
    expanded_ = true;
    update();
    emit OnPop();
}
