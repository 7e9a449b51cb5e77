#include "skin/titlebar/tsui_title_bar.h"

#include "skin/layout/mirroring.h"
#include "skin/paint/device_pixels.h"
#include "skin/paint/installed_face.h"
#include "skin/themes/look_source.h"
#include "skin/window/frame_host.h"
#include "skin/menu/menu_drawing.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"
#include "skin/titlebar/caption_color.h"
#include "skin/titlebar/tsui_title_bar_popup_menu.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int CaptionFontPixels = 11;
constexpr int AppIconSize = 16;
constexpr int RightToLeftCaptionGap = 10;
// The platform's inactive caption text colour (system colour 19).
constexpr std::int32_t InactiveCaptionText = static_cast<std::int32_t>(0x80000013u);

QFont default_caption_font()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(CaptionFontPixels);
    font.setBold(true);
    return font;
}

} // namespace

TsuiTitleBar::TsuiTitleBar(QWidget *parent)
    : QWidget(parent)
    , ControlLook(this)
    , caption_font_(default_caption_font())
    , buttons_(new TsuiTitleBarButtons(this))
    , sections_(new TsuiTitleBarSections(this))
    , popup_menu_(nullptr)
{
    setObjectName(QStringLiteral("TitleBar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    connect(buttons_, &TsuiTitleBarButtons::changed, this, qOverload<>(&QWidget::update));
    connect(sections_, &TsuiTitleBarSections::changed, this, qOverload<>(&QWidget::update));

    for (TsuiTitleBarBtnType type : {TsuiTitleBarBtnType::suiControlBox, TsuiTitleBarBtnType::suiClose,
                                     TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin}) {
        TsuiTitleBarButton *button = buttons_->Add();
        button->initType(type);
        button->setUIStyle(TsuiUIStyle::DeepBlue);
    }
    popup_menu_ = new TsuiTitleBarPopupMenu(this);
    setUIStyle(onFrame() ? TsuiUIStyle::DeepBlue : GetOwnerFormStyle(parent));
}

TsuiTitleBar::~TsuiTitleBar() = default;

bool TsuiTitleBar::onFrame() const { return FrameHost::of(parentWidget()) != nullptr; }

bool TsuiTitleBar::hostMaximized() const
{
    const QWidget *host = window();
    return host != this && host->isMaximized();
}

int TsuiTitleBar::leftImageWidth() const
{
    if (const FrameHost *frame = FrameHost::of(parentWidget()))
        return frame->leftBorderImageWidth();
    return 0;
}

void TsuiTitleBar::ApplyLook() { applyStyle(true); }

// A file theme leaves the caption colour alone.
void TsuiTitleBar::FileThemeChanged() { applyStyle(false); }

void TsuiTitleBar::applyStyle(bool setCaptionColour)
{
    if (custom_)
        return;
    sections_->Clear();
    const LookSource look = lookSource();
    const int frame_inset = onFrame() ? FrameInset : 0;

    TsuiTitleBarSection *left = sections_->Add();
    left->setPicture(look.bitmap(ThemeElement::TitleBarLeftImage));
    left->setAutoSize(true);
    TsuiTitleBarSection *right = sections_->Add();
    right->setPicture(look.bitmap(ThemeElement::TitleBarRightImage));
    right->setAutoSize(true);
    right->setAlign(TsuiTitleBarAlign::suiRight);
    TsuiTitleBarSection *client = sections_->Add();
    client->setPicture(look.bitmap(ThemeElement::TitleBarClientImage));
    client->setAlign(TsuiTitleBarAlign::suiClient);

    left_offset_ = look.integer(ThemeElement::TitleBarButtonLeftOffsetInt);
    right_offset_ = look.integer(ThemeElement::TitleBarButtonRightOffsetInt);
    strip_height_ = LogicalSize(look.bitmap(ThemeElement::TitleBarButtonImage)).height();
    button_top_ = look.integer(ThemeElement::TitleBarButtonTopInt) - frame_inset;
    if (QWidget *host = window(); host != this)
        host->setMinimumWidth(look.integer(ThemeElement::FormMinWidthInt));
    round_corner_ = look.integer(ThemeElement::FormRoundCornerInt);
    round_corner_bottom_ = look.fromFile() ? look.integer(ThemeElement::FormBottomRoundCornerInt) : 0;

    // Buttons read the file theme through the title bar, so they keep the file style when one is in use.
    const TsuiUIStyle button_style = look.fromFile() ? uiStyle() : look.effectiveStyle();
    for (int i = 0; i < buttons_->Count(); ++i)
        buttons_->Items(i)->setUIStyle(button_style);
    popup_menu_->setUIStyle(uiStyle());
    popup_menu_->setFileTheme(fileTheme());

    if (setCaptionColour)
        font_color_ = TitleCaptionColor(look);
    setAutoSize(true);
    update();
}

void TsuiTitleBar::setAutoSize(bool on)
{
    auto_size_ = on && sections_->Count() > 0;
    applyAutoSize();
}

void TsuiTitleBar::applyAutoSize()
{
    if (!auto_size_ || sections_->Count() == 0)
        return;
    const int picture_height = LogicalSize(sections_->Items(0)->picture()).height();
    const int h = qMax(0, picture_height - (onFrame() ? FrameInset : 0));
    if (h != height()) {
        resize(width(), h);
        if (FrameHost *frame = FrameHost::of(parentWidget()))
            frame->realign();
    }
}

void TsuiTitleBar::setButtonInterval(int pixels)
{
    button_interval_ = pixels;
    update();
}

void TsuiTitleBar::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TsuiTitleBar::setCaptionFont(const QFont &font)
{
    caption_font_ = font;
    update();
}

void TsuiTitleBar::setFontColor(const QColor &color)
{
    font_color_ = color;
    update();
}

void TsuiTitleBar::setFormActive(bool active)
{
    form_active_ = active;
    update();
}

void TsuiTitleBar::setLeftBtnXOffset(int offset)
{
    left_offset_ = offset;
    update();
}

void TsuiTitleBar::setRightBtnXOffset(int offset)
{
    right_offset_ = offset;
    update();
}

void TsuiTitleBar::setDrawAppIcon(bool on)
{
    draw_app_icon_ = on;
    update();
}

void TsuiTitleBar::setButtonVisible(TsuiTitleBarBtnType type, bool visible)
{
    for (int i = 0; i < buttons_->Count(); ++i)
        if (buttons_->Items(i)->buttonType() == type)
            buttons_->Items(i)->setVisible(visible);
}

void TsuiTitleBar::UpdateMaxButtonPictures()
{
    if (custom_)
        return;
    for (int i = 0; i < buttons_->Count(); ++i)
        if (buttons_->Items(i)->buttonType() == TsuiTitleBarBtnType::suiMax)
            buttons_->Items(i)->loadPictures();
}

TitleBarLayout TsuiTitleBar::currentLayout() const
{
    TitleBarLayoutInput input;
    input.width = width();
    input.leftOffset = left_offset_;
    input.rightOffset = right_offset_;
    input.interval = button_interval_;
    input.leftImageWidth = leftImageWidth();
    input.buttonTop = button_top_;
    input.drawAppIcon = draw_app_icon_;
    input.pointer = pointer_;
    for (int i = 0; i < buttons_->Count(); ++i) {
        const TsuiTitleBarButton *button = buttons_->Items(i);
        input.buttons.push_back({button->visible(), button->buttonType() == TsuiTitleBarBtnType::suiControlBox,
                                 LogicalSize(button->picNormal())});
    }
    return layout_title_bar(input);
}

int TsuiTitleBar::hitButton(const QPoint &pos) const
{
    const TitleBarLayout layout = currentLayout();
    for (std::size_t i = 0; i < layout.hitRect.size(); ++i)
        if (!layout.hitRect[i].isEmpty() && layout.hitRect[i].contains(pos))
            return static_cast<int>(i);
    return -1;
}

void TsuiTitleBar::paintEvent(QPaintEvent *)
{
    // Composed off-screen and copied in one step: the title bar repaints on every pointer move.
    QImage canvas = PaintBuffer(this, palette().color(QPalette::Window));
    QPainter painter(&canvas);
    painter.setFont(installed_face(caption_font_));
    const TitleBarLayout layout = currentLayout();
    paintSections(painter);
    paintButtons(painter, layout);
    paintCaption(painter, layout);
    painter.end();
    QPainter target(this);
    DrawPaintBuffer(target, canvas);
}

void TsuiTitleBar::paintSections(QPainter &painter) const
{
    const QPoint origin = onFrame() ? QPoint(-(leftImageWidth() > 0 ? leftImageWidth() : FrameInset), -FrameInset) : QPoint();
    const int count = sections_->Count();
    const QImage first = count > 0 ? sections_->Items(0)->picture() : QImage();
    const QImage second = count > 1 ? sections_->Items(1)->picture() : QImage();
    const QImage third = count > 2 ? sections_->Items(2)->picture() : QImage();
    const int first_right = origin.x() + LogicalSize(first).width();
    const int second_left = width() - LogicalSize(second).width() - origin.x();
    if (!first.isNull())
        painter.drawImage(origin, first);
    if (!second.isNull())
        painter.drawImage(second_left, origin.y(), second);
    if (!third.isNull() && second_left > first_right)
        painter.drawImage(QRect(first_right, origin.y(), second_left - first_right, LogicalSize(third).height()), third);
}

void TsuiTitleBar::paintButtons(QPainter &painter, const TitleBarLayout &layout) const
{
    for (int i = 0; i < buttons_->Count(); ++i) {
        const TsuiTitleBarButton *button = buttons_->Items(i);
        const QRect hit = layout.hitRect[static_cast<std::size_t>(i)];
        if (!button->visible() || hit.isEmpty())
            continue;
        const bool hot = hit.contains(pointer_);
        const QImage &picture = hot ? (mouse_down_ ? button->picMouseDown() : button->picMouseOn()) : button->picNormal();
        const bool control_box = button->buttonType() == TsuiTitleBarBtnType::suiControlBox;
        if (control_box && draw_app_icon_) {
            QIcon icon = QApplication::windowIcon();
            if (icon.isNull())
                icon = LoadAppIcon();
            painter.drawPixmap(layout.appIconAt, icon.pixmap(AppIconSize, AppIconSize));
            continue;
        }
        if (picture.isNull())
            continue;
        // Every state is drawn at the normal picture's size.
        const QImage sized = CopyLogical(picture, QRect(QPoint(), LogicalSize(button->picNormal())));
        const QPoint at = layout.drawAt[static_cast<std::size_t>(i)];
        if (button->transparent())
            draw_transparent_image(painter, at.x(), at.y(), sized, true);
        else
            painter.drawImage(at, sized);
    }
}

void TsuiTitleBar::paintCaption(QPainter &painter, const TitleBarLayout &layout) const
{
    const QFontMetrics metrics(installed_face(caption_font_));
    const int available = layout.captionRight - layout.captionLeft;
    const QString text = fit_caption(caption_, metrics, available);
    if (text.isEmpty())
        return;
    painter.setPen(form_active_ ? font_color_ : ThemeColorToQColor(InactiveCaptionText));
    const int top = (strip_height_ - metrics.height()) / 2 + button_top_;
    int x = layout.captionLeft;
    if (mirrored_layout(this))
        x = layout.captionRight - RightToLeftCaptionGap - metrics.horizontalAdvance(text);
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

void TsuiTitleBar::popupWindowMenu()
{
    const QPoint at = mapToGlobal(QPoint(0, height()));
    popup_menu_->Popup(at.x(), at.y());
}

void TsuiTitleBar::enterEvent(QEnterEvent *event)
{
    pointer_ = event->position().toPoint();
    update();
}

void TsuiTitleBar::leaveEvent(QEvent *)
{
    pointer_ = QPoint(-1, -1);
    update();
}

void TsuiTitleBar::mouseMoveEvent(QMouseEvent *event)
{
    pointer_ = event->position().toPoint();
    if (drag_.active())
        drag_.follow(event->globalPosition().toPoint());
    update();
}

void TsuiTitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pointer_ = event->position().toPoint();
    mouse_down_ = true;
    update();
    if (hitButton(pointer_) < 0 && !hostMaximized() && window() != this) {
        drag_.begin(window(), {}, event->globalPosition().toPoint());
        mouse_down_ = false;
    }
}

void TsuiTitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (drag_.active()) {
        drag_.end();
        return;
    }
    QPointer<TsuiTitleBar> guard(this);
    const int hot = mouse_down_ ? hitButton(event->position().toPoint()) : -1;
    mouse_down_ = false;
    if (hot >= 0)
        pressButton(hot);
    if (guard)
        update();
}

void TsuiTitleBar::pressButton(int index)
{
    QPointer<TsuiTitleBar> guard(this);
    TsuiTitleBarButton *button = buttons_->Items(index);
    const TsuiTitleBarBtnType type = button->buttonType();
    if (type == TsuiTitleBarBtnType::suiControlBox && !button->controlBoxMenu()) {
        popupWindowMenu();
        return;
    }
    button->ButtonClick();
    if (guard && type == TsuiTitleBarBtnType::suiCustom)
        emit OnCustomBtnsClick(this, index);
    else if (guard && type == TsuiTitleBarBtnType::suiHelp)
        emit OnHelpBtnClick(this, index);
}

QRect TsuiTitleBar::buttonRect(int index) const
{
    const TitleBarLayout layout = currentLayout();
    return index >= 0 && static_cast<std::size_t>(index) < layout.hitRect.size() ? layout.hitRect[static_cast<std::size_t>(index)]
                                                                                 : QRect();
}

bool TsuiTitleBar::closeButtonAt(const QPoint &pos) const
{
    const int index = hitButton(pos);
    return index >= 0 && buttons_->Items(index)->buttonType() == TsuiTitleBarBtnType::suiClose;
}

void TsuiTitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int hot = hitButton(event->position().toPoint());
    if (hot < 0) {
        for (int i = 0; i < buttons_->Count(); ++i) {
            TsuiTitleBarButton *button = buttons_->Items(i);
            if (button->visible() && button->buttonType() == TsuiTitleBarBtnType::suiMax) {
                button->ButtonClick();
                return;
            }
        }
    } else if (buttons_->Items(hot)->buttonType() == TsuiTitleBarBtnType::suiControlBox && window() != this) {
        window()->close();
    }
}
