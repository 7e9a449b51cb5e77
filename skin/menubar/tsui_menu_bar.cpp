#include "skin/menubar/tsui_menu_bar.h"

#include "skin/paint/device_pixels.h"
#include "skin/themes/look_source.h"
#include "skin/menu/menu_drawing.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/menu/tsui_menu_drop_down.h"
#include "skin/menubar/tsui_menu_bar_button.h"
#include "skin/themes/file_theme.h"
#include "skin/window/frame_host.h"

#include <QPainter>

namespace {

constexpr int CaptionDrop = 2;          // captions sit this much below the button's top
constexpr int SelectedRightTrim = 2;    // an open item's box ends this much short on the right
constexpr int SelectedLeftShift = 2;    // and its caption moves this much right
constexpr int StripCaptionExtra = 2;    // a caption over the selection strip is centred in a taller box
constexpr std::int32_t LightOnDarkControlFont = 0x30000;
const QColor DisabledCaption{0x80, 0x80, 0x80};
const int CaptionFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;

} // namespace

TsuiMenuBar::TsuiMenuBar(QWidget *frame, FrameHost &host)
    : QWidget(frame)
    , frame_(host)
{
    setObjectName(QStringLiteral("MenuBar"));
    setAutoFillBackground(false);
    resize(frame->width(), bar_height_);
}

TsuiMenuBar::~TsuiMenuBar()
{
    if (TsuiMenuDropDown *open = openDropDown())
        open->closeAll();
}

TsuiMainMenu *TsuiMenuBar::menu() const { return frame_.Menu(); }

void TsuiMenuBar::setBarHeight(int height)
{
    bar_height_ = height;
    layoutButtons();
}

void TsuiMenuBar::setColor(const QColor &color)
{
    color_ = color;
    update();
}

QFont TsuiMenuBar::buttonFont() const
{
    const TsuiMainMenu *main_menu = menu();
    if (!main_menu)
        return font();
    if (main_menu->useSystemFont()) {
        QFont system_font;
        QColor unused;
        AssignSystemMenuFont(system_font, unused);
        return system_font;
    }
    return menu_font(main_menu->fontName(), main_menu->fontSize());
}

void TsuiMenuBar::rebuildButtons()
{
    if (TsuiMenuDropDown *open = openDropDown())
        open->closeAll();
    // The items may be others now, or of another menu.
    dropKeptDropDowns();
    for (TsuiMenuBarButton *button : buttons_)
        delete button;
    buttons_.clear();
    selected_ = -1;
    if (TsuiMainMenu *main_menu = menu()) {
        for (TsuiMenuItem *item : main_menu->items()) {
            auto *button = new TsuiMenuBarButton(this, item);
            button->show();
            buttons_.push_back(button);
        }
    }
    layoutButtons();
}

void TsuiMenuBar::syncButtons()
{
    for (TsuiMenuBarButton *button : buttons_)
        button->sync();
    layoutButtons();
}

void TsuiMenuBar::applyMenuFont()
{
    setFont(buttonFont());
    layoutButtons();
    update();
}

void TsuiMenuBar::layoutButtons()
{
    // Buttons run left to right and wrap onto another row when the bar is too narrow.
    int x = 0;
    int y = 0;
    for (TsuiMenuBarButton *button : buttons_) {
        const int w = button->sizeHint().width();
        if (x > 0 && x + w > width()) {
            x = 0;
            y += bar_height_;
        }
        button->setGeometry(x, y, w, bar_height_);
        x += w;
    }
    const int h = y + bar_height_;
    if (h != height()) {
        resize(width(), h);
        frame_.realign();
    }
}

void TsuiMenuBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutButtons();
}

TsuiMenuBarButton *TsuiMenuBar::selectedButton() const
{
    return selected_ >= 0 && selected_ < static_cast<int>(buttons_.size()) ? buttons_[static_cast<std::size_t>(selected_)]
                                                                            : nullptr;
}

void TsuiMenuBar::buttonPressed(TsuiMenuBarButton *button)
{
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i] == button)
            dropDown(static_cast<int>(i));
}

void TsuiMenuBar::dropDown(int index, bool selectFirst)
{
    if (TsuiMenuDropDown *open = openDropDown())
        open->closeAll();
    if (index < 0 || index >= static_cast<int>(buttons_.size()))
        return;
    TsuiMenuBarButton *button = buttons_[static_cast<std::size_t>(index)];
    TsuiMenuItem *item = button->item();
    TsuiMainMenu *main_menu = menu();
    if (!item || !main_menu || !item->enabled())
        return;
    if (item->count() == 0) {
        item->Click();
        return;
    }
    selected_ = index;
    update();
    // The open entry is filled as open; none stays filled as hot from before.
    for (TsuiMenuBarButton *b : buttons_) {
        b->setHotFromPointer(false);
        b->update();
    }

    TsuiMenuDropDown *drop = keptDropDown(main_menu, item);
    drop_down_ = drop;
    drop->setNoReplayArea(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
    drop->popupAt(button->mapToGlobal(QPoint(0, button->height())));
    if (selectFirst)
        drop->setSelectedIndex(0);
}

TsuiMenuDropDown *TsuiMenuBar::keptDropDown(TsuiMainMenu *main_menu, TsuiMenuItem *item)
{
    for (const QPointer<TsuiMenuDropDown> &kept : kept_drop_downs_)
        if (kept && kept->parentItem() == item)
            return kept;
    auto *drop = new TsuiMenuDropDown(main_menu, item, window());
    drop->keepWhenClosed();
    drop->onPointerOutside = [this](const QPoint &global) { pointerOutside(global); };
    drop->onNeighbour = [this](int direction) {
        const int n = static_cast<int>(buttons_.size());
        if (n > 0 && selected_ >= 0)
            dropDown((selected_ + direction + n) % n, true);
    };
    connect(drop, &TsuiMenuDropDown::closed, this, [this, drop] {
        if (drop_down_ == drop || !drop_down_) {
            selected_ = -1;
            for (TsuiMenuBarButton *b : buttons_) {
                b->setHotFromPointer(true);
                b->update();
            }
        }
    });
    kept_drop_downs_.emplace_back(drop);
    return drop;
}

void TsuiMenuBar::dropKeptDropDowns()
{
    for (const QPointer<TsuiMenuDropDown> &kept : kept_drop_downs_)
        if (kept)
            kept->deleteLater();
    kept_drop_downs_.clear();
}

void TsuiMenuBar::pointerOutside(const QPoint &globalPos)
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TsuiMenuBarButton *button = buttons_[i];
        const QRect area(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (area.contains(globalPos) && static_cast<int>(i) != selected_ && button->isEnabled()) {
            dropDown(static_cast<int>(i));
            return;
        }
    }
}

bool TsuiMenuBar::dropDownByAccelerator(QChar letter)
{
    const QChar wanted = letter.toLower();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TsuiMenuItem *item = buttons_[i]->item();
        if (item && item->enabled() && item->accelerator() == wanted) {
            dropDown(static_cast<int>(i), true);
            return true;
        }
    }
    return false;
}

LookSource TsuiMenuBar::look() const
{
    if (const TsuiMainMenu *main_menu = menu())
        return main_menu->lookSource();
    return frame_.frameLook();
}

void TsuiMenuBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (const QImage background = look().bitmap(LookRow::MenuBackgroundImage); !background.isNull())
        painter.drawImage(rect(), background);
    else
        painter.fillRect(rect(), color_);
}

void TsuiMenuBar::drawButton(QPainter &painter, const TsuiMenuBarButton *button, bool hot, bool selected) const
{
    const TsuiMainMenu *main_menu = menu();
    const LookSource look = this->look();
    QColor normal_colour = look.color(ThemeElement::MenuFontColor);
    if (main_menu && !main_menu->useSystemFont())
        normal_colour = main_menu->fontColor();
    if (look.fromFile() && look.rawColor(ThemeElement::ControlFontColor) == LightOnDarkControlFont)
        normal_colour = Qt::white;
    painter.setFont(buttonFont());
    QRect r = button->rect();

    const QImage selected_strip = look.bitmap(LookRow::MenuSelectedImage);
    if ((hot || selected) && button->isEnabled() && !selected_strip.isNull()) {
        QImage canvas = PaintBuffer(r.size(), painter.device()->devicePixelRatioF(), Qt::transparent);
        QPainter composed(&canvas);
        composed.drawImage(QRect(QPoint(), r.size()), selected_strip);
        composed.setFont(painter.font());
        composed.setPen(look.color(ThemeElement::MenuSelectedFontColor));
        composed.drawText(QRect(0, 0, r.width(), r.height() + StripCaptionExtra), CaptionFlags, button->text());
        composed.end();
        DrawPaintBuffer(painter, canvas);
    } else if ((hot || selected) && button->isEnabled()) {
        if (selected)
            r.setRight(r.right() - SelectedRightTrim);
        painter.fillRect(r, look.color(ThemeElement::MenuSelectedBackgroundColor));
        painter.setPen(look.color(ThemeElement::MenuSelectedBorderColor));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        if (selected)
            r.setLeft(r.left() + SelectedLeftShift);
        r.setTop(r.top() + CaptionDrop);
        painter.setPen(look.color(ThemeElement::MenuSelectedFontColor));
        painter.drawText(r, CaptionFlags, button->text());
    } else {
        r.setTop(r.top() + CaptionDrop);
        painter.setPen(button->isEnabled() ? normal_colour : DisabledCaption);
        painter.drawText(r, CaptionFlags, button->text());
    }
}
