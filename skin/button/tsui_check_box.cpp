#include "skin/button/tsui_check_box.h"

#include "skin/layout/mirroring.h"
#include "skin/paint/device_pixels.h"
#include "skin/paint/image_masks.h"
#include "skin/paint/parent_background.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/style_resolution.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <exception>

namespace {

// Frames of the state strip.
constexpr int CheckedFrame = 1;
constexpr int UncheckedFrame = 2;
constexpr int CheckedDisabledFrame = 3;
constexpr int UncheckedDisabledFrame = 4;

// Room around picture and caption when the box sizes itself.
constexpr int AutoSizeTextLeading = 2;
constexpr int AutoSizeVerticalMargin = 4;
constexpr int AutoSizeHorizontalMargin = 8;
// The picture sits one pixel in from the edge; the caption four pixels after it.
constexpr int PictureInset = 1;
constexpr int CaptionGap = 4;
constexpr int FocusMarkExtraHeight = 2;
constexpr int FocusMarkRightToLeftExtra = 2;

constexpr int CaptionFlags = Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

bool IsToggleKey(int key) { return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

TsuiCheckBox::TsuiCheckBox(QWidget *parent)
    : QAbstractButton(parent)
    , ControlLook(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    setCheckable(true);
    // Every change of the state, by a click or by the program, is the box's change notification.
    connect(this, &QAbstractButton::toggled, this, [this] { CheckedChanged(); });
    resize(DefaultSize);
    // Stored only: the box keeps its designed size until it has a caption or a look to fit.
    storeUIStyle(GetOwnerFormStyle(parent));
}

void TsuiCheckBox::ApplyLook()
{
    applyAutoSize();
    update();
}

void TsuiCheckBox::setAutoSize(bool on)
{
    auto_size_ = on;
    applyAutoSize();
    update();
}

void TsuiCheckBox::setText(const QString &text)
{
    QAbstractButton::setText(text);
    applyAutoSize();
    update();
}

QColor TsuiCheckBox::color() const
{
    return parent_color_ || !color_.isValid() ? ParentColour(this) : color_;
}

void TsuiCheckBox::setColor(const QColor &color)
{
    color_ = color;
    parent_color_ = false;
    update();
}

void TsuiCheckBox::setParentColor(bool on)
{
    parent_color_ = on;
    update();
}

void TsuiCheckBox::setTabStop(bool on)
{
    tab_stop_ = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TsuiCheckBox::setTransparent(bool on)
{
    transparent_ = on;
    update();
}

void TsuiCheckBox::Click()
{
    click();
}

void TsuiCheckBox::nextCheckState()
{
    Toggle();
}

QSize TsuiCheckBox::sizeHint() const
{
    return autoSizeFor(picture(CheckedFrame));
}

bool TsuiCheckBox::NeedsFocusMark() const
{
    return tab_stop_ && hasFocus();
}

void TsuiCheckBox::CheckedChanged()
{
    if (!loading_)
        emit OnClick();
}

void TsuiCheckBox::Toggle()
{
    BeforeToggle();
    setChecked(!isChecked());
}

bool TsuiCheckBox::canTakeFocus() const
{
    return isEnabled() && isVisibleTo(window());
}

QImage TsuiCheckBox::picture(int frameIndex) const
{
    // Without a picture (an empty image) the box still shows and sizes its caption.
    return lookSource().frame(PictureElement(), frameIndex, StripFrameCount);
}

QSize TsuiCheckBox::autoSizeFor(const QImage &picture) const
{
    const QFontMetrics metrics(font());
    const QSize pictureSize = LogicalSize(picture);
    const int h = std::max(metrics.height() + AutoSizeTextLeading, pictureSize.height()) + AutoSizeVerticalMargin;
    const int w = pictureSize.width() + metrics.horizontalAdvance(text()) + AutoSizeHorizontalMargin;
    return QSize(w, h);
}

void TsuiCheckBox::applyAutoSize()
{
    if (auto_size_)
        resize(autoSizeFor(picture(CheckedFrame)));
}

bool TsuiCheckBox::event(QEvent *event)
{
    // The caption's mnemonic, which Qt's button grabbed: focus, then a click at once.
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled()) {
            if (canTakeFocus())
                setFocus(Qt::ShortcutFocusReason);
            Click();
        }
        return true;
    }
    return QAbstractButton::event(event);
}

void TsuiCheckBox::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyAutoSize();
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        click_armed_ = false;
        armed_key_ = 0;
    }
    update();
}

void TsuiCheckBox::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    const int frameIndex = isChecked() ? (enabled ? CheckedFrame : CheckedDisabledFrame)
                                    : (enabled ? UncheckedFrame : UncheckedDisabledFrame);
    QImage pic = picture(frameIndex);
    if (PictureTransparent())
        pic = WithTransparentColour(pic, BottomLeftColour(pic));

    QImage buffer = PaintBuffer(this, Qt::transparent);
    {
        QPainter canvas(&buffer);
        canvas.setFont(font());
        if (transparent_)
            PaintParentBackground(canvas, this);
        else
            canvas.fillRect(rect(), color());
        canvas.setBrush(Qt::NoBrush);
        const int lineHeight = QFontMetrics(font()).height();
        const int ty = (height() - lineHeight) / 2;
        const QSize picSize = LogicalSize(pic);
        const int pictureTop = (height() - picSize.height()) / 2;
        const int offset = picSize.width() + CaptionGap;
        // The caption keeps its colour when disabled: only the picture says so.
        canvas.setPen(palette().color(QPalette::Active, QPalette::WindowText));
        QRect focusMark;
        if (mirrored_layout(this)) {
            canvas.drawImage(width() - picSize.width() - PictureInset, pictureTop, pic);
            canvas.drawText(QRect(QPoint(0, ty), QPoint(width() - offset - 1, height() - 1)),
                            CaptionFlags | Qt::AlignRight, text());
            focusMark = QRect(QPoint(0, ty), QPoint(width() - offset + FocusMarkRightToLeftExtra - 1,
                                                    ty + lineHeight + FocusMarkExtraHeight - 1));
        } else {
            canvas.drawImage(PictureInset, pictureTop, pic);
            canvas.drawText(QRect(QPoint(offset, ty), QPoint(width() - 1, height() - 1)), CaptionFlags | Qt::AlignLeft,
                            text());
            focusMark = QRect(QPoint(offset - 1, ty), QPoint(width() - 1, ty + lineHeight + FocusMarkExtraHeight - 1));
        }
        if (NeedsFocusMark()) {
            canvas.setPen(QPen(palette().color(QPalette::Active, QPalette::WindowText), 1, Qt::DotLine));
            canvas.drawRect(focusMark.adjusted(0, 0, -1, -1));
        }
    }
    QPainter target(this);
    DrawPaintBuffer(target, buffer);
}

void TsuiCheckBox::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (canTakeFocus())
        setFocus(Qt::MouseFocusReason);
    click_armed_ = true;
    event->accept();
}

void TsuiCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool armed = click_armed_;
    click_armed_ = false;
    if (armed && rect().contains(event->position().toPoint()))
        Click();
}

void TsuiCheckBox::keyPressEvent(QKeyEvent *event)
{
    // No press look and no arrow-key moves: the press only arms the toggle that its release fires.
    if (IsToggleKey(event->key()) && !event->isAutoRepeat() && hasFocus() && isEnabled())
        armed_key_ = event->key();
    QWidget::keyPressEvent(event);
}

void TsuiCheckBox::keyReleaseEvent(QKeyEvent *event)
{
    // A release whose press went elsewhere (the Enter that closed a message box, or opened this
    // window from a button or a menu) is no toggle: it would change a bit the user never touched.
    const int key = event->key();
    const bool ownPress = !event->isAutoRepeat() && key == armed_key_;
    if (ownPress)
        armed_key_ = 0;
    if (ownPress && KeyToggles() && hasFocus() && isEnabled()) {
        update();
        Click();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TsuiCheckBox::focusOutEvent(QFocusEvent *event)
{
    armed_key_ = 0;
    QAbstractButton::focusOutEvent(event);
}
