#include "skin/edit/tsui_combo_box.h"

#include "skin/edit/combo_box_layout_style.h"
#include "skin/edit/combo_item_delegate.h"
#include "skin/edit/edit_border.h"
#include "skin/layout/mirroring.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/look_source.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int DropDownRows = 8;
// The windows' lists show their entries 13 pixels high.
constexpr int NewItemHeight = 13;
// The arrow: a triangle 7 pixels wide and 4 high, its left corner this far left of the button's middle.
constexpr int ArrowHalfWidth = 3;
constexpr int ArrowRows = 4;
const QColor DisabledArrowShadow{0xFF, 0xFF, 0xFF};
const QColor DisabledArrowColour{0x80, 0x80, 0x80};

// Completes nothing and belongs to no edit for longer than it takes a box to accept its edit, so
// all boxes share it.
QCompleter *completer_stand_in()
{
    static QPointer<QCompleter> shared;
    if (!shared)
        shared = new QCompleter(qApp);
    return shared;
}

} // namespace

TsuiComboBox::TsuiComboBox(QWidget *parent)
    : QComboBox(parent)
    , BorderedLook(this)
    , item_delegate_(new ComboItemDelegate(NewItemHeight, this))
{
    setStyle(ComboBoxLayoutStyle::instance());
    setItemDelegate(item_delegate_);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(DropDownRows);
    setComboStyle(TComboBoxStyle::csDropDown);
    setUIStyle(GetOwnerFormStyle(parent));
}

void TsuiComboBox::ApplyLook()
{
    const LookSource look = lookSource();
    takeBorderColor(look.color(ThemeElement::ControlBorderColor));
    button_color_ = look.color(ThemeElement::FormBackgroundColor);
    button_picture_ = look.bitmap(LookRow::ComboBoxButtonImage);
    button_arrow_ = look.flag(LookRow::ComboBoxArrowBool);
    arrow_color_ = Qt::black;
    update();
}

void TsuiComboBox::setArrowColor(const QColor &color)
{
    arrow_color_ = color;
    update();
}

void TsuiComboBox::setButtonColor(const QColor &color)
{
    button_color_ = color;
    update();
}

void TsuiComboBox::setComboStyle(TComboBoxStyle style)
{
    combo_style_ = style;
    const bool editable = style == TComboBoxStyle::csDropDown || style == TComboBoxStyle::csSimple;
    if (editable && !isEditable())
        makeEditable();
    else
        setEditable(editable);
    update();
}

// Typed text is taken as it stands; it never completes to a list entry. The platform's way to an
// editable box would build a completer over the list only for it to be removed here; an edit that
// comes with a completer of its own keeps the box from building one, and that stand-in is taken
// off again at once.
void TsuiComboBox::makeEditable()
{
    auto *edit = new QLineEdit(this);
    edit->setPalette(palette());
    edit->setCompleter(completer_stand_in());
    setLineEdit(edit);
    setCompleter(nullptr);
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
}

QColor TsuiComboBox::color() const { return palette().color(QPalette::Base); }

void TsuiComboBox::setColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
}

void TsuiComboBox::setText(const QString &text)
{
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
}

int TsuiComboBox::itemHeight() const { return item_delegate_->itemHeight(); }

void TsuiComboBox::setItemHeight(int height)
{
    item_delegate_->setItemHeight(height);
    view()->doItemsLayout();
}

QRect TsuiComboBox::buttonRect() const { return ComboBoxLayoutStyle::buttonRect(rect()); }

void TsuiComboBox::showPopup()
{
    emit OnDropDown();
    // An entry longer than the box stays readable in the open list.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    QComboBox::showPopup();
    // The open list is a window of its own; its frame is drawn after the list has painted itself.
    QWidget *frame = view()->window();
    if (frame != this && frame != list_frame_) {
        if (list_frame_)
            list_frame_->removeEventFilter(this);
        list_frame_ = frame;
        frame->installEventFilter(this);
    }
    if (list_frame_)
        list_frame_->update();
}

void TsuiComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // Whatever the list's frame covered around the box is painted again.
    if (parentWidget())
        parentWidget()->update();
}

bool TsuiComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list_frame_ && event->type() == QEvent::Paint && combo_style_ != TComboBoxStyle::csSimple) {
        // Let the list paint first, then frame it.
        watched->event(event);
        QPainter painter(list_frame_);
        FrameRect(painter, list_frame_->rect(), borderColor());
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void TsuiComboBox::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update(); // the arrow changes
}

void TsuiComboBox::paintEvent(QPaintEvent *event)
{
    if (combo_style_ == TComboBoxStyle::csSimple) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    paintField(painter);
    paintSkin(painter);
}

// What the platform shows under the skin: the field in the box's colour and, for a box without
// an edit, the chosen entry.
void TsuiComboBox::paintField(QPainter &painter)
{
    painter.fillRect(rect(), color());
    if (isEditable())
        return;
    const QRect field = ComboBoxLayoutStyle::editFieldRect(rect());
    QColor text_colour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    if (hasFocus() && !view()->isVisible()) {
        painter.fillRect(field, palette().color(QPalette::Highlight));
        text_colour = palette().color(QPalette::HighlightedText);
    }
    painter.setPen(text_colour);
    painter.setFont(font());
    painter.drawText(field.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentText());
}

void TsuiComboBox::paintSkin(QPainter &painter)
{
    FrameRect(painter, rect(), borderColor());
    FrameRect(painter, rect().adjusted(1, 1, -1, -1), color());

    const QRect button = buttonRect();
    if (!button_picture_.isNull()) {
        painter.drawImage(button, button_picture_);
    } else {
        painter.fillRect(button, button_color_);
        // The edge line reaches one pixel above and below the button.
        const int edge_x = mirrored_layout(this) ? button.right() + 1 : button.left();
        painter.fillRect(QRect(edge_x, button.top() - 1, 1, button.height() + 2), borderColor());
    }
    if (button_arrow_)
        paintArrow(painter, button);
}

// Measured from the button's middle across, but from the top of the box down: the arrow sits at
// half the button's height below the box's top edge.
void TsuiComboBox::paintArrow(QPainter &painter, const QRect &button)
{
    const int x = button.left() + button.width() / 2 - ArrowHalfWidth;
    const int y = button.height() / 2;
    // The filled triangle (x, y), (x + 6, y), (x + 3, y + 3) with its outline, row by row.
    auto triangle = [&painter](int left, int top, const QColor &colour) {
        for (int row = 0; row < ArrowRows; ++row)
            painter.fillRect(QRect(left + row, top + row, 2 * (ArrowHalfWidth - row) + 1, 1), colour);
    };
    if (isEnabled()) {
        triangle(x, y, arrow_color_);
    } else {
        triangle(x + 1, y + 1, DisabledArrowShadow);
        triangle(x, y, DisabledArrowColour);
    }
}
