#include "skin/form/tsui_form.h"

#include "skin/form/form_frame_painter.h"
#include "skin/form/form_key_router.h"
#include "skin/themes/look_source.h"
#include "skin/form/tform.h"
#include "skin/window/widget_set_error.h"
#include "skin/form/window_region.h"
#include "skin/frameless/window_geometry.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/menubar/tsui_menu_bar.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "skin/titlebar/tsui_title_bar_section.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace {

// Corner sizing zones reach this far along each edge of the border band.
constexpr int CornerZone = 16;
// Menu bar colours a theme file implies by its control text colour when it names none.
constexpr std::int32_t BlueControlFont = 0x20000;
constexpr std::int32_t SteelControlFont = 0x30000;
const QColor BlueMenuBar{0x3B, 0x5B, 0xAC};
const QColor SteelMenuBar{0x33, 0x67, 0x99};

} // namespace

TsuiForm::TsuiForm(QWidget *host)
    : QWidget(host)
    , ControlLook(this)
{
    setObjectName(QStringLiteral("suiForm1"));
    auto *form = qobject_cast<TForm *>(host);
    if (!form)
        return;
    for (QObject *child : form->children())
        if (child != this && qobject_cast<TsuiForm *>(child))
            return;

    host_ = form;
    host_->setMinimumSize(MinimumWidth, MinimumHeight);
    title_bar_ = new TsuiTitleBar(this);
    connect(title_bar_, &TsuiTitleBar::OnCustomBtnsClick, this, &TsuiForm::OnTitleBarCustomBtnsClick);
    connect(title_bar_, &TsuiTitleBar::OnHelpBtnClick, this, &TsuiForm::OnTitleBarHelpBtnClick);
    menu_bar_color_ = color_;
    menu_bar_height_ = DefaultMenuBarHeight;
    setUIStyle(TsuiUIStyle::DeepBlue);
    auto_update_sub_ = false;

    setAttribute(Qt::WA_OpaquePaintEvent);
    title_bar_->setCaption(host_->windowTitle());
    title_bar_->show();

    switch (form->borderStyle()) {
    case TFormBorderStyle::bsNone:
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        form->setBorderStyle(TFormBorderStyle::bsDialog);
        break;
    default:
        break;
    }
    host_->setMouseTracking(true);
    host_->installEventFilter(this);
    key_router_ = new FormKeyRouter(this);
    realign();
}

TsuiForm::~TsuiForm()
{
    destroying_ = true;
    if (!host_)
        return;
    if (menu_)
        menu_->setForm(nullptr);
    host_->removeEventFilter(this);
    host_->clearMask();
    host_->unsetCursor();
    delete key_router_;
    delete menu_bar_;
    delete title_bar_;
}

bool TsuiForm::titleBarCustom() const { return title_bar_ && title_bar_->custom(); }

void TsuiForm::setTitleBarCustom(bool on)
{
    if (title_bar_)
        title_bar_->setCustom(on);
}

void TsuiForm::FileThemeForgotten()
{
    ApplyStyleToChildren(this, TsuiUIStyle::DeepBlue, nullptr);
    setUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiForm::ApplyLook()
{
    if (host_)
        applyStyle();
}

void TsuiForm::applyStyle()
{
    const LookSource look = lookSource();
    border_color_ = look.color(ThemeElement::FormBorderColor);
    border_width_ = look.integer(ThemeElement::FormBorderWidthInt);
    color_ = look.color(ThemeElement::FormBackgroundColor);
    background_ = look.bitmap(LookRow::FormBackgroundImage);
    // Before the title bar applies its style: it asks for the left picture's width.
    left_border_ = look.fromFile() ? look.bitmap(ThemeElement::FormLeftBorderImage) : QImage();
    bottom_border_ = look.fromFile() ? look.bitmap(ThemeElement::FormBottomBorderImage) : QImage();
    if (!look.fromFile()) {
        menu_bar_color_ = color_;
    } else if (menu_bar_) {
        const std::int32_t bar = look.rawColor(ThemeElement::MenuMenuBarColor);
        const std::int32_t control = look.rawColor(ThemeElement::ControlFontColor);
        menu_bar_color_ = bar != -1                    ? ThemeColorToQColor(bar)
                          : control == BlueControlFont  ? BlueMenuBar
                          : control == SteelControlFont ? SteelMenuBar
                                                        : color_;
    }
    title_bar_->setFileTheme(fileTheme());
    title_bar_->setUIStyle(uiStyle());
    title_bar_->setRoundCorner(look.integer(ThemeElement::FormRoundCornerInt));
    title_bar_->setRoundCornerBottom(look.fromFile() ? look.integer(ThemeElement::FormBottomRoundCornerInt) : 0);
    if (menu_bar_)
        menu_bar_->setColor(menu_bar_color_);

    if (menu_) {
        menu_->setUIStyle(uiStyle());
        menu_->setFileTheme(fileTheme());
    }
    if (auto_update_sub_)
        ApplyStyleToChildren(this, uiStyle(), fileTheme());
    realign();
    update();
    PaintFrame();
}

void TsuiForm::setBorderColor(const QColor &color)
{
    border_color_ = color;
    PaintFrame();
}

void TsuiForm::setBorderWidth(int width)
{
    border_width_ = width;
    PaintFrame();
}

bool TsuiForm::titleBarVisible() const { return title_bar_ && !title_bar_->isHidden(); }

void TsuiForm::setTitleBarVisible(bool visible)
{
    if (!title_bar_)
        return;
    title_bar_->setVisible(visible);
    title_bar_->raise();
    realign();
    PaintFrame();
}

void TsuiForm::setColor(const QColor &color)
{
    color_ = color;
    update();
    PaintFrame();
}

QString TsuiForm::caption() const { return title_bar_ ? title_bar_->caption() : QString(); }

void TsuiForm::setCaption(const QString &caption)
{
    if (!title_bar_)
        return;
    title_bar_->setCaption(caption);
    host_->setWindowTitle(caption);
}

void TsuiForm::setFormPanel(QWidget *panel)
{
    if (panel == this) {
        show_widget_set_error(this, QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
        return;
    }
    form_panel_ = panel;
    if (panel)
        set_align(panel, TAlign::alClient);
    realign();
}

bool TsuiForm::titleBarDrawAppIcon() const { return title_bar_ && title_bar_->drawAppIcon(); }

void TsuiForm::setTitleBarDrawAppIcon(bool on)
{
    if (title_bar_)
        title_bar_->setDrawAppIcon(on);
}

QFont TsuiForm::titleFont() const { return title_bar_ ? title_bar_->captionFont() : font(); }

void TsuiForm::setTitleFont(const QFont &font)
{
    if (title_bar_)
        title_bar_->setCaptionFont(font);
}

void TsuiForm::setMenu(TsuiMainMenu *menu)
{
    if (!host_)
        return;
    if (menu_) {
        menu_->setForm(nullptr);
        disconnect(menu_, nullptr, this, nullptr);
    }
    menu_ = menu;
    if (menu_) {
        menu_->setForm(this);
        connect(menu_, &QObject::destroyed, this, [this] {
            destroyMenuBar();
            realign();
            PaintFrame();
        });
        if (!menu_bar_) {
            menu_bar_ = new TsuiMenuBar(this, *this);
            menu_bar_->setColor(menu_bar_color_);
            menu_bar_->setBarHeight(menu_bar_height_);
            menu_bar_->show();
        }
        connect(menu_, &TsuiMainMenu::rebuildBarRequested, menu_bar_, &TsuiMenuBar::rebuildButtons);
        connect(menu_, &TsuiMainMenu::syncBarRequested, menu_bar_, &TsuiMenuBar::syncButtons);
        connect(menu_, &TsuiMainMenu::menuFontRequested, menu_bar_, &TsuiMenuBar::applyMenuFont);
        // The title bar stays above the bar.
        title_bar_->raise();
        menu_bar_->rebuildButtons();
    } else {
        destroyMenuBar();
    }
    realign();
    PaintFrame();
}

void TsuiForm::destroyMenuBar()
{
    delete menu_bar_;
    menu_bar_ = nullptr;
}

void TsuiForm::setMenuBarColor(const QColor &color)
{
    menu_bar_color_ = color;
    if (menu_bar_)
        menu_bar_->setColor(color);
    PaintFrame();
}

void TsuiForm::setMenuBarHeight(int height)
{
    menu_bar_height_ = height;
    if (menu_bar_)
        menu_bar_->setBarHeight(height);
    realign();
    PaintFrame();
}

int TsuiForm::roundCorner() const { return titleBarVisible() ? title_bar_->roundCorner() : 0; }

void TsuiForm::setRoundCorner(int size)
{
    if (!title_bar_)
        return;
    title_bar_->setRoundCorner(size);
    ApplyWindowRegion();
}

int TsuiForm::roundCornerBottom() const { return titleBarVisible() ? title_bar_->roundCornerBottom() : 0; }

void TsuiForm::setRoundCornerBottom(int size)
{
    if (!title_bar_)
        return;
    title_bar_->setRoundCornerBottom(size);
    ApplyWindowRegion();
}

TsuiTitleBarButtons *TsuiForm::TitleBarButtons() const { return title_bar_ ? title_bar_->Buttons() : nullptr; }

void TsuiForm::setTitleBarButtons(const TsuiTitleBarButtons &buttons)
{
    if (title_bar_)
        title_bar_->Buttons()->Assign(buttons);
}

TsuiTitleBarSections *TsuiForm::TitleBarSections() const { return title_bar_ ? title_bar_->Sections() : nullptr; }

void TsuiForm::setTitleBarSections(const TsuiTitleBarSections &sections)
{
    if (title_bar_)
        title_bar_->Sections()->Assign(sections);
}

void TsuiForm::setTitleButtonVisible(TitleButton button, bool visible)
{
    if (title_bar_)
        title_bar_->setButtonVisible(button, visible);
}

void TsuiForm::PaintFrame()
{
    if (destroying_ || !host_ || host_->isMinimized())
        return;
    const QRect window = host_->rect();
    QRegion band(window);
    band -= window.marginsRemoved(frameMargins());
    host_->update(band);
}

void TsuiForm::paintBand()
{
    if (destroying_ || host_->isMinimized())
        return;
    FrameBand band;
    band.borderColor = border_color_;
    band.borderWidth = border_width_;
    band.color = color_;
    band.titleVisible = titleBarVisible();
    band.titleHeight = band.titleVisible ? title_bar_->height() : 0;
    band.menuBarVisible = menu_bar_ && !menu_bar_->isHidden();
    band.menuBarHeight = menu_bar_ ? menu_bar_->height() : 0;
    band.menuBarColor = menu_bar_color_;
    band.roundCorner = title_bar_->roundCorner();
    band.leftBorder = left_border_;
    band.bottomBorder = bottom_border_;
    const TsuiTitleBarSections *sections = title_bar_->Sections();
    if (sections->Count() == 3) {
        band.titleLeft = sections->Items(0)->picture();
        band.titleRight = sections->Items(1)->picture();
        band.titleClient = sections->Items(2)->picture();
    }
    QPainter painter(host_);
    paint_form_frame(painter, host_->size(), band);
}

QMargins TsuiForm::frameMargins() const { return form_frame_margins(left_border_, bottom_border_); }

void TsuiForm::ApplyWindowRegion()
{
    if (destroying_ || !host_)
        return;
    const QRegion region = form_window_region(host_->size(), roundCorner(), roundCornerBottom());
    if (region.isEmpty())
        host_->clearMask();
    else
        host_->setMask(region);
}

QRect TsuiForm::childAlignArea() const
{
    QRect free = rect();
    int top = titleBarVisible() ? title_bar_->height() : 0;
    if (menu_bar_ && !menu_bar_->isHidden())
        top += menu_bar_->height();
    free.setTop(top);
    return free;
}

void TsuiForm::realign()
{
    // The title bar asks for this while it is being made, before the frame holds it.
    if (!host_ || destroying_ || !title_bar_)
        return;
    setGeometry(host_->rect().marginsRemoved(frameMargins()));
    title_bar_->setGeometry(0, 0, width(), title_bar_->height());
    if (menu_bar_)
        menu_bar_->setGeometry(0, titleBarVisible() ? title_bar_->height() : 0, width(), menu_bar_->height());
    align_children(this, childAlignArea());
    ApplyWindowRegion();
}

void TsuiForm::sizeChanged()
{
    if (host_->isMaximized()) {
        // Set on the native window: setting a widget's geometry would drop its maximized state.
        const QRect bounds = maximized_bounds(application_main_window());
        if (QWindow *native = host_->windowHandle(); native && bounds.isValid() && host_->geometry() != bounds)
            native->setGeometry(bounds);
    }
    realign();
    PaintFrame();
    title_bar_->UpdateMaxButtonPictures();
}

bool TsuiForm::hostMouseEvent(QEvent *event)
{
    auto *mouse = static_cast<QMouseEvent *>(event);
    const auto *form = static_cast<const TForm *>(host_);
    const bool sizeable = form->sizeable() && !host_->isMaximized();
    const HitTestResult hit =
        frame_hit_test(host_->size(), mouse->position().toPoint(), frameMargins().left(), CornerZone);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (border_drag_.active())
            border_drag_.follow(mouse->globalPosition().toPoint());
        else
            host_->setCursor(sizeable ? cursor_of(hit) : Qt::ArrowCursor);
        return false;
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton && sizeable && edges_of(hit))
            border_drag_.begin(host_, edges_of(hit), mouse->globalPosition().toPoint());
        return false;
    case QEvent::MouseButtonRelease:
        border_drag_.end();
        return false;
    default:
        return false;
    }
}

bool TsuiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != host_ || destroying_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        sizeChanged();
        break;
    case QEvent::Paint:
        paintBand();
        break;
    case QEvent::WindowActivate:
        title_bar_->setFormActive(true);
        break;
    case QEvent::WindowDeactivate:
        title_bar_->setFormActive(false);
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return hostMouseEvent(event);
    case QEvent::Leave:
        if (!border_drag_.active())
            host_->unsetCursor();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TsuiForm::paintEvent(QPaintEvent *event)
{
    if (destroying_)
        return;
    // The backing store already composes off-screen; only what needs repainting is filled.
    QPainter painter(this);
    if (host_ && !background_.isNull())
        painter.fillRect(event->rect(), QBrush(background_));
    else
        painter.fillRect(event->rect(), color_);
}

void TsuiForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!host_ || destroying_ || !title_bar_)
        return;
    title_bar_->setGeometry(0, 0, width(), title_bar_->height());
    if (menu_bar_)
        menu_bar_->setGeometry(0, titleBarVisible() ? title_bar_->height() : 0, width(), menu_bar_->height());
    align_children(this, childAlignArea());
}
