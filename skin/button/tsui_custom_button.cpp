#include "skin/button/tsui_custom_button.h"

#include "skin/button/dialog_key_router.h"
#include "skin/paint/device_pixels.h"
#include "skin/paint/image_masks.h"
#include "skin/paint/parent_background.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/style_resolution.h"
#include "skin/window/modal_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <exception>

namespace {

constexpr QRgb DisabledCaptionColour = 0xFF808080;
constexpr QRgb EmbossColour = 0xFFFFFFFF;
constexpr int CaptionFlags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic;

// Blanks and control characters around a caption do not make it worth drawing.
bool IsBlankCaption(const QString &caption)
{
    return std::all_of(caption.cbegin(), caption.cend(), [](QChar c) { return c.unicode() <= u' '; });
}

bool IsActivationKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsDialogKeyCode(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// Draws a caption word-wrapped and centred as a block in r, each line centred in the block.
void DrawCentredCaption(QPainter &canvas, const QRect &r, const QString &caption, const QColor &colour)
{
    const QRect measured = canvas.boundingRect(r, CaptionFlags, caption);
    const QRect block(r.left() + (r.width() - measured.width()) / 2, r.top() + (r.height() - measured.height()) / 2,
                      measured.width(), measured.height());
    canvas.setPen(colour);
    canvas.drawText(block, CaptionFlags | Qt::AlignHCenter | Qt::AlignTop, caption);
}

} // namespace

TsuiCustomButton::TsuiCustomButton(QWidget *parent)
    : QAbstractButton(parent)
    , ControlLook(this)
{
    // Every paint covers the whole button, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, &TsuiCustomButton::clicked_by_qt);
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        connect(app, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (now && now->window() == window())
                focusAnnounced(now);
        });
    }
    attachToWindow();
    setUIStyle(GetOwnerFormStyle(parent));
}

TsuiCustomButton::~TsuiCustomButton() = default;

void TsuiCustomButton::setAutoSize(bool on)
{
    auto_size_ = on;
    UpdateAutoSize();
    update();
}

void TsuiCustomButton::setTabStop(bool on)
{
    tab_stop_ = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TsuiCustomButton::setDefault(bool on)
{
    default_ = on;
    // Every button of the window recomputes which one Enter goes to.
    QWidget *form = window();
    QWidget *current = form->focusWidget();
    for (TsuiCustomButton *button : form->findChildren<TsuiCustomButton *>())
        if (button->window() == form)
            button->focusAnnounced(current);
    if (form == this)
        focusAnnounced(current);
}

void TsuiCustomButton::setTransparent(bool on)
{
    transparent_ = on;
    TransparentChanged();
    update();
}

void TsuiCustomButton::setFocusedRectMargin(int margin)
{
    focused_rect_margin_ = margin;
    update();
}

void TsuiCustomButton::Click()
{
    click();
}

void TsuiCustomButton::clicked_by_qt()
{
    QPointer<TsuiCustomButton> guard(this);
    if (pressed_) {
        stopRepeat();
        pressed_ = false;
        update();
    }
    if (parentWidget()) {
        if (auto *form = dynamic_cast<ModalWindow *>(window()))
            form->setModalResult(modal_result_);
    }
    if (guard)
        emit OnClick();
}

bool TsuiCustomButton::DialogKey(int key)
{
    const bool wanted = (key == Qt::Key_Escape) ? cancel_ : (IsDialogKeyCode(key) && active_default_);
    if (!wanted || !canTakeFocus())
        return false;
    Click();
    return true;
}

void TsuiCustomButton::UpdateAutoSize()
{
    if (!auto_size_)
        return;
    QImage strip;
    GetThemeBitmap(uiStyle(), ThemeElement::ButtonImage, &strip);
    const QSize stripSize = LogicalSize(strip);
    const int stripHeight = stripSize.height() == 0 ? BlankFrameSize.height() : stripSize.height();
    const int stripWidth = stripSize.width() == 0 ? BlankFrameSize.width() : stripSize.width();
    resize(stripWidth / StripFrameCount, stripHeight);
}

void TsuiCustomButton::FontChanged()
{
    update();
}

void TsuiCustomButton::TransparentChanged()
{
    frame_transparent_ = transparent_;
    update();
}

void TsuiCustomButton::PaintFace(QPainter &canvas, const QImage &frame)
{
    QImage face = frame_transparent_ ? WithTransparentColour(frame, TopLeftColour(frame)) : frame;
    if (!isEnabled())
        face = Greyed(face);
    canvas.drawImage(0, 0, face);
}

void TsuiCustomButton::PaintCaption(QPainter &canvas, const QString &caption)
{
    canvas.setBrush(Qt::NoBrush);
    QFont captionFont = font();
    captionFont.setBold(showsFocus() && FocusShownByBoldCaption());
    canvas.setFont(captionFont);
    QRect r = rect();
    if (!isEnabled()) {
        DrawCentredCaption(canvas, r.translated(1, 1), caption, QColor::fromRgb(EmbossColour));
        DrawCentredCaption(canvas, r, caption, QColor::fromRgb(DisabledCaptionColour));
    } else {
        if (pressed_)
            r.translate(1, 1);
        DrawCentredCaption(canvas, r, caption, fontColour());
    }
}

void TsuiCustomButton::PaintFocus(QPainter &canvas)
{
    const int m = focused_rect_margin_;
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(fontColour(), 1, Qt::DotLine));
    // The margin is counted from both sides, and drawRect strokes one pixel beyond the rectangle's
    // right and bottom edges: the last dotted column is width - m - 1.
    canvas.drawRect(QRect(QPoint(m, m), QPoint(width() - m - 2, height() - m - 2)));
}

void TsuiCustomButton::GetNormalPicture(QImage *bitmap)
{
    fetchFrame(1, bitmap);
}

void TsuiCustomButton::GetMouseOnPicture(QImage *bitmap)
{
    fetchFrame(2, bitmap);
}

void TsuiCustomButton::GetMouseDownPicture(QImage *bitmap)
{
    fetchFrame(3, bitmap);
}

void TsuiCustomButton::GetDisabledPicture(QImage *bitmap)
{
    fetchFrame(1, bitmap);
}

QColor TsuiCustomButton::fontColour() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void TsuiCustomButton::fetchFrame(int index, QImage *bitmap) const
{
    *bitmap = lookSource().frame(ThemeElement::ButtonImage, index, StripFrameCount);
}

QImage TsuiCustomButton::currentFrame()
{
    QImage frame;
    if (!isEnabled())
        GetDisabledPicture(&frame);
    else if (pressed_)
        GetMouseDownPicture(&frame);
    else if (mouse_inside_)
        GetMouseOnPicture(&frame);
    else
        GetNormalPicture(&frame);
    if (frame.isNull()) {
        // A missing strip must not stop the button from showing its caption.
        frame = QImage(BlankFrameSize, QImage::Format_ARGB32);
        frame.fill(Qt::transparent);
    }
    return frame;
}

bool TsuiCustomButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        // The caption's mnemonic, which Qt's button grabbed: it clicks at once, without taking
        // the focus or showing a press.
        if (isEnabled())
            Click();
        return true;
    case QEvent::ParentChange:
    case QEvent::Show:
        // A container may have been moved into its window after the button was created on it.
        attachToWindow();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

void TsuiCustomButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FontChanged();
    } else if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            // A press cannot end in a click once the button is disabled.
            pressed_ = false;
            click_armed_ = false;
            armed_key_ = 0;
            stopRepeat();
        }
        EnabledChanged();
        update();
    }
}

void TsuiCustomButton::paintEvent(QPaintEvent *)
{
    const QImage frame = currentFrame();
    QImage buffer = PaintBuffer(this, Qt::transparent);
    {
        QPainter canvas(&buffer);
        if (transparent_)
            PaintParentBackground(canvas, this);
        else
            canvas.fillRect(rect(), ParentColour(this));
        PaintFace(canvas, frame);
        if (showsFocus() && !FocusShownByBoldCaption())
            PaintFocus(canvas);
        canvas.setFont(font());
        if (!IsBlankCaption(text()))
            PaintCaption(canvas, text());
    }
    QPainter target(this);
    DrawPaintBuffer(target, buffer);
}

void TsuiCustomButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    mouse_inside_ = true;
    update();
    emit OnMouseEnter();
}

void TsuiCustomButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    mouse_inside_ = false;
    pressed_ = false;
    stopRepeat();
    update();
    emit OnMouseExit();
}

void TsuiCustomButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    click_armed_ = true;
    if (!repeat_timer_) {
        repeat_timer_ = new QTimer(this);
        repeat_timer_->setInterval(std::max(repeat_interval_, 0));
        connect(repeat_timer_, &QTimer::timeout, this, &TsuiCustomButton::OnMouseContinuouslyDown);
        repeat_timer_->start();
    }
    if (tab_stop_ && canTakeFocus())
        setFocus(Qt::MouseFocusReason);
    update();
}

void TsuiCustomButton::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint();
    const bool outside = p.x() < 0 || p.x() > width() || p.y() < 0 || p.y() > height();
    if (outside && (mouse_inside_ || pressed_)) {
        mouse_inside_ = false;
        pressed_ = false;
        update();
    }
}

void TsuiCustomButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool armed = click_armed_;
    click_armed_ = false;
    // The repeat belongs to the hold: it ends with the release, also one outside the button.
    stopRepeat();
    if (armed && rect().contains(event->position().toPoint())) {
        Click();
    } else if (pressed_) {
        pressed_ = false;
        update();
    }
}

void TsuiCustomButton::keyPressEvent(QKeyEvent *event)
{
    // Enter and Escape are the window's first: they go to the default or cancel button.
    if (IsDialogKeyCode(event->key()) && TsuiDialogKeyRouter::Offer(window(), *event)) {
        event->accept();
        return;
    }
    // A repeat of the key is part of the press that armed the button, or of one that went elsewhere.
    if (IsActivationKey(event->key()) && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    if (IsActivationKey(event->key()) && hasFocus() && isEnabled()) {
        pressed_ = true;
        armed_key_ = event->key();
        update();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TsuiCustomButton::keyReleaseEvent(QKeyEvent *event)
{
    // Only the release of a press this button took clicks: a release left over from a key that
    // went elsewhere (or a mouse button held down) is no click.
    const bool ownPress = !event->isAutoRepeat() && event->key() == armed_key_;
    if (ownPress)
        armed_key_ = 0;
    if (ownPress && hasFocus() && isEnabled()) {
        pressed_ = false;
        update();
        Click();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TsuiCustomButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TsuiCustomButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (armed_key_ != 0) {
        armed_key_ = 0;
        pressed_ = false;
    }
    update();
}

void TsuiCustomButton::stopRepeat()
{
    if (!repeat_timer_)
        return;
    repeat_timer_->stop();
    repeat_timer_->deleteLater();
    repeat_timer_ = nullptr;
}

void TsuiCustomButton::attachToWindow()
{
    QWidget *form = window();
    if (form == attached_window_)
        return;
    attached_window_ = form;
    if (form != this)
        TsuiDialogKeyRouter::Attach(form);
}

void TsuiCustomButton::focusAnnounced(QWidget *now)
{
    auto *focused = qobject_cast<TsuiCustomButton *>(now);
    active_default_ = focused ? focused == this : default_;
    update();
}

bool TsuiCustomButton::canTakeFocus() const
{
    return isEnabled() && isVisibleTo(window());
}
