#include "skin/menu/tsui_custom_menu.h"

#include "skin/layout/mirroring.h"
#include "skin/paint/device_pixels.h"
#include "skin/themes/look_source.h"
#include "skin/menu/image_list.h"
#include "skin/menu/menu_drawing.h"
#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace {

// Geometry of an item row, measured from the item's rectangle.
constexpr int StandardBarWidth = 26;
constexpr int MeasurePadding = 40;      // added to caption, shortcut and bar widths
constexpr int TextInset = 4;            // caption gap after the bar, and caption top
constexpr int SeparatorLineTop = 2;     // separator line below the item's top
constexpr int SeparatorLineInset = 4;   // separator line start after the bar
constexpr int SeparatorLineEndGap = 2;  // separator line end before the far edge
constexpr int ShortcutEndGap = 16;      // shortcut text end before the far edge
constexpr int ImageColumnLeft = 4;      // picture column after the leading edge
constexpr int ImageColumnRight = 20;    // picture column before the trailing edge, mirrored
constexpr int ImageTop = 3;

const QColor DisabledTextColor{0x80, 0x80, 0x80};

// The top rows of a strip bitmap, stretched over rect.
void draw_strip(QPainter &canvas, const QRect &rect, const QImage &strip, int rows)
{
    const QSize design = LogicalSize(strip);
    canvas.drawImage(rect, strip, DeviceRect(strip, QRect(0, 0, design.width(), qMin(rows, design.height()))));
}

} // namespace

TsuiCustomMenu::TsuiCustomMenu(QObject *owner)
    : QObject(owner)
    , ControlLook(this)
    , root_(new TsuiMenuItem(QString(), this))
{
    connect(root_, &TsuiMenuItem::inserted, this, [this](TsuiMenuItem *item) { AttachMenuItemHandlers(item, this); });
    connect(root_, &TsuiMenuItem::changed, this, &TsuiCustomMenu::OnChange);
}

void TsuiCustomMenu::initialiseMenu() { setUIStyle(GetOwnerFormStyle(parent())); }

void TsuiCustomMenu::ApplyLook()
{
    bar_width_ = StandardBarWidth;
    const LookSource look = lookSource();
    item_height_ = look.integer(LookRow::MenuItemHeightInt);
    separator_height_ = look.integer(LookRow::MenuSeparatorHeightInt);
    separator_color_ = look.color(LookRow::MenuSeparatorColor);
    background_strip_ = look.bitmap(LookRow::MenuBackgroundImage);
    selected_strip_ = look.bitmap(LookRow::MenuSelectedImage);
    bar_color_ = look.color(ThemeElement::MenuBarColor);
    color_ = look.color(ThemeElement::MenuBackgroundColor);
    font_color_ = look.color(ThemeElement::MenuFontColor);
    selected_border_color_ = look.color(ThemeElement::MenuSelectedBorderColor);
    selected_color_ = look.color(ThemeElement::MenuSelectedBackgroundColor);
    selected_font_color_ = look.color(ThemeElement::MenuSelectedFontColor);
}

void TsuiCustomMenu::setMenuItemHeight(int height)
{
    // A look that draws items over a strip keeps the row height the strip is cut for.
    if (background_strip_.isNull())
        item_height_ = height;
}

void TsuiCustomMenu::setSeparatorHeight(int height)
{
    if (background_strip_.isNull())
        separator_height_ = height;
}

bool TsuiCustomMenu::mirrored() const
{
    return mirrored_layout(bidi_mode_);
}

QFont TsuiCustomMenu::itemFont() const
{
    if (use_system_font_) {
        QFont font;
        QColor unused;
        AssignSystemMenuFont(font, unused);
        return font;
    }
    return menu_font(font_name_, font_size_);
}

void TsuiCustomMenu::MeasureMenuItem(TsuiMenuItem *item, QPainter &canvas, int &width, int &height) const
{
    height = item->isSeparator() ? separator_height_ : item_height_;
    const QFontMetrics metrics(canvas.font());
    width = metrics.horizontalAdvance(item->caption()) + metrics.horizontalAdvance(item->shortCutText()) + bar_width_ +
            MeasurePadding;
}

void TsuiCustomMenu::drawBarAndColour(QPainter &canvas, const QRect &rect) const
{
    QRect rest = rect;
    if (bar_width_ > 0) {
        QRect bar = rect;
        if (mirrored()) {
            bar.setLeft(rect.right() + 1 - bar_width_);
            rest.setRight(bar.left() - 1);
        } else {
            bar.setWidth(bar_width_);
            rest.setLeft(bar.right() + 1);
        }
        canvas.fillRect(bar, bar_color_);
    }
    canvas.fillRect(rest, color_);
}

void TsuiCustomMenu::drawItemBackground(TsuiMenuItem *item, QPainter &canvas, const QRect &rect, bool selected) const
{
    if (selected && item->enabled()) {
        if (!selected_strip_.isNull()) {
            draw_strip(canvas, rect, selected_strip_, item_height_);
        } else {
            canvas.fillRect(rect, selected_color_);
            canvas.setPen(selected_border_color_);
            canvas.setBrush(Qt::NoBrush);
            canvas.drawRect(rect.adjusted(0, 0, -1, -1));
        }
    } else if (!background_strip_.isNull()) {
        draw_strip(canvas, rect, background_strip_, item_height_);
    } else {
        drawBarAndColour(canvas, rect);
    }
}

void TsuiCustomMenu::DrawMenuItem(TsuiMenuItem *item, QPainter &canvas, const QRect &rect, bool selected) const
{
    canvas.save();
    if (flat_menu_) {
        if (auto *window = dynamic_cast<QWidget *>(canvas.device())) {
            const LookSource look = lookSource();
            DrawFlatMenuFrame(canvas, window->rect(), Qt::black, look.color(ThemeElement::FormBackgroundColor));
        }
    }
    const bool mirror = mirrored();
    if (item->isSeparator()) {
        if (!background_strip_.isNull()) {
            draw_strip(canvas, rect, background_strip_, separator_height_);
        } else {
            drawBarAndColour(canvas, rect);
            const int y = rect.top() + SeparatorLineTop;
            const int right = rect.left() + rect.width(); // exclusive
            const int from = mirror ? rect.left() + SeparatorLineEndGap : rect.left() + bar_width_ + SeparatorLineInset;
            const int to = mirror ? right - bar_width_ - SeparatorLineInset : right - SeparatorLineEndGap;
            if (to > from)
                canvas.fillRect(QRect(from, y, to - from, 1), separator_color_);
        }
        canvas.restore();
        return;
    }

    drawItemBackground(item, canvas, rect, selected);

    QFont font = itemFont();
    if (item->isDefault())
        font.setBold(true);
    canvas.setFont(font);
    canvas.setPen(!item->enabled() ? DisabledTextColor : selected ? selected_font_color_ : font_color_);
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    const int text_top = rect.top() + TextInset;
    const QRect caption_rect = mirror ? QRect(QPoint(rect.left(), text_top), QPoint(right - bar_width_ - TextInset - 1, bottom - 1))
                                      : QRect(QPoint(rect.left() + bar_width_ + TextInset, text_top), QPoint(right - 1, bottom - 1));
    const int align = (mirror ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    canvas.drawText(caption_rect, align, item->caption());

    const QString shortcut = item->shortCutText();
    if (!shortcut.isEmpty()) {
        const QFontMetrics metrics(font);
        const int x = mirror ? rect.left() + ShortcutEndGap : right - metrics.horizontalAdvance(shortcut) - ShortcutEndGap;
        canvas.drawText(QRect(x, text_top, metrics.horizontalAdvance(shortcut) + 1, bottom - text_top), Qt::AlignLeft | Qt::AlignTop,
                        shortcut);
    }

    const int x0 = mirror ? right - ImageColumnRight : rect.left() + ImageColumnLeft;
    const TImageList *images = userImages();
    const bool has_image = item->imageIndex() != -1 && images && item->imageIndex() < images->Count();
    if (item->checked()) {
        if (has_image) {
            canvas.setPen(Qt::black);
            canvas.setBrush(Qt::NoBrush);
            // The 19 x 19 box behind a checked item's picture; drawRect strokes one pixel beyond the
            // rectangle's right and bottom edges.
            canvas.drawRect(QRect(QPoint(x0 - 2, rect.top() + 1), QPoint(x0 + 15, rect.top() + 18)));
            canvas.fillRect(QRect(QPoint(x0 - 1, rect.top() + 2), QPoint(x0 + 15, rect.top() + 18)), selected_color_);
        } else if (const TImageList *marks = checkMarkImages()) {
            marks->Draw(canvas, x0, rect.top() + ImageTop, 0, item->enabled());
        }
    }
    if (has_image)
        images->Draw(canvas, x0, rect.top() + ImageTop, item->imageIndex(), item->enabled());
    canvas.restore();
}

void AttachMenuItemHandlers(TsuiMenuItem *item, TsuiCustomMenu *menu)
{
    const QPointer<TsuiCustomMenu> guard(menu);
    item->OnMeasureItem = [guard](TsuiMenuItem *target, QPainter &canvas, int &width, int &height) {
        if (guard)
            guard->MeasureMenuItem(target, canvas, width, height);
    };
    item->OnDrawItem = [guard](TsuiMenuItem *target, QPainter &canvas, const QRect &rect, bool selected) {
        if (guard)
            guard->DrawMenuItem(target, canvas, rect, selected);
    };
    for (TsuiMenuItem *child : item->items())
        AttachMenuItemHandlers(child, menu);
}
