#include "skin/edit/tsui_memo.h"

#include "skin/edit/edit_border.h"
#include "skin/edit/long_lines.h"
#include "skin/edit/memo_blocks.h"
#include "skin/edit/tsui_scroll_bar.h"
#include "skin/layout/mirroring.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/look_source.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// The flat border band; the memo's own scroll bars lie inside it.
constexpr int BorderBand = 2;
// What a released bar goes back to.
constexpr int ReleasedBarMax = 100;
constexpr int HorizontalSmallChangePages = 3;

} // namespace

TsuiMemo::TsuiMemo(QWidget *parent)
    : QPlainTextEdit(parent)
    , BorderedLook(this)
{
    // A plain box as wide as the band keeps the viewport and the scroll bars inside it; its pixels
    // are painted over by the border after every paint.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(BorderBand);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setScrollBars(scroll_bars_);
    // The skinned bars follow the memo's own: any scroll, new text or resize moves those.
    for (QScrollBar *own : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(own, &QScrollBar::valueChanged, this, &TsuiMemo::updateLinkedBars);
        connect(own, &QScrollBar::rangeChanged, this, &TsuiMemo::updateLinkedBars);
    }
    setUIStyle(GetOwnerFormStyle(parent));
}

void TsuiMemo::FileThemeChanged()
{
    for (TsuiScrollBar *bar : {v_bar_.data(), h_bar_.data()}) {
        if (bar)
            bar->setFileTheme(fileTheme());
    }
    ApplyLook();
}

void TsuiMemo::ApplyLook()
{
    const LookSource look = lookSource();
    takeBorderColor(look.color(ThemeElement::ControlBorderColor));
    for (TsuiScrollBar *bar : {v_bar_.data(), h_bar_.data()}) {
        if (bar)
            bar->setUIStyle(look.effectiveStyle());
    }
    update();
}

QColor TsuiMemo::color() const { return palette().color(QPalette::Base); }

void TsuiMemo::setColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
}

void TsuiMemo::setScrollBars(TScrollStyle bars)
{
    scroll_bars_ = bars;
    const bool horizontal = bars == TScrollStyle::ssHorizontal || bars == TScrollStyle::ssBoth;
    const bool vertical = bars == TScrollStyle::ssVertical || bars == TScrollStyle::ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TsuiMemo::setVScrollBar(TsuiScrollBar *bar) { linkBar(v_bar_, bar, Qt::Vertical); }

void TsuiMemo::setHScrollBar(TsuiScrollBar *bar) { linkBar(h_bar_, bar, Qt::Horizontal); }

void TsuiMemo::linkBar(QPointer<TsuiScrollBar> &slot, TsuiScrollBar *bar, Qt::Orientation orientation)
{
    if (slot) {
        slot->disconnect(this);
        slot->setLineButton(0);
        slot->setMaximum(ReleasedBarMax);
        slot->setEnabled(true);
    }
    slot = bar;
    if (bar) {
        bar->setOrientation(orientation);
        QScrollBar *own = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
        connect(bar, &TsuiScrollBar::OnChange, this, [this, bar, own] { scrollFromBar(bar, own); });
        connect(bar, &QObject::destroyed, this, [this, orientation] { barRemoved(orientation); });
        bar->raise();
    }
    scrollBarsFollowLinks();
    if (bar)
        placeBars();
}

void TsuiMemo::barRemoved(Qt::Orientation orientation)
{
    (orientation == Qt::Vertical ? v_bar_ : h_bar_) = nullptr;
    scrollBarsFollowLinks();
}

void TsuiMemo::scrollBarsFollowLinks()
{
    if (v_bar_ && h_bar_)
        setScrollBars(TScrollStyle::ssBoth);
    else if (v_bar_)
        setScrollBars(TScrollStyle::ssVertical);
    else if (h_bar_)
        setScrollBars(TScrollStyle::ssHorizontal);
    else
        setScrollBars(TScrollStyle::ssNone);
}

void TsuiMemo::placeBars()
{
    if (!v_bar_ && !h_bar_)
        return;
    const bool mirrored = mirrored_layout(this);
    const int v_width = v_bar_ ? v_bar_->width() : 0;
    const int h_height = h_bar_ ? h_bar_->height() : 0;
    // The memo's rectangle in the coordinates of the bar's parent (normally the memo's parent too).
    auto memo_rect = [this](const QWidget *bar) {
        const QWidget *place = bar->parentWidget();
        const QPoint origin = place ? place->mapFromGlobal(mapToGlobal(QPoint(0, 0))) : pos();
        return QRect(origin, size());
    };
    if (v_bar_) {
        const QRect m = memo_rect(v_bar_);
        if (v_width <= m.width()) {
            const int left = mirrored ? m.x() + 2 : m.x() + m.width() - v_width - 2;
            v_bar_->setGeometry(left, m.y() + 1, v_width, m.height() - 2 - h_height);
            v_bar_->show();
        } else {
            v_bar_->hide();
        }
    }
    if (h_bar_) {
        const QRect m = memo_rect(h_bar_);
        if (h_height <= m.height()) {
            const int top = m.y() + m.height() - h_height - 2;
            if (mirrored && v_bar_)
                h_bar_->setGeometry(m.x() + 1 + v_width, top, m.width() - 2 - v_width, h_height);
            else if (mirrored)
                h_bar_->setGeometry(m.x() + 1, top, m.width() - 2, h_height);
            else
                h_bar_->setGeometry(m.x() + 1, top, m.width() - 1 - v_width, h_height);
            h_bar_->show();
        } else {
            h_bar_->hide();
        }
    }
    updateLinkedBars();
}

void TsuiMemo::updateLinkedBars()
{
    if (scrolling_from_bar_)
        return;
    syncing_bars_ = true;
    updateLinkedBar(h_bar_, horizontalScrollBar());
    updateLinkedBar(v_bar_, verticalScrollBar());
    syncing_bars_ = false;
}

void TsuiMemo::updateLinkedBar(TsuiScrollBar *bar, QScrollBar *own)
{
    if (!bar)
        return;
    const bool usable = own->isVisibleTo(this) && own->maximum() > own->minimum() && isEnabled();
    if (usable) {
        QStyleOptionSlider option;
        option.initFrom(own);
        option.orientation = own->orientation();
        option.minimum = own->minimum();
        option.maximum = own->maximum();
        option.sliderPosition = own->sliderPosition();
        option.sliderValue = own->value();
        option.pageStep = own->pageStep();
        option.singleStep = own->singleStep();
        const QRect thumb = own->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, own);
        bar->setLineButton(own->orientation() == Qt::Vertical ? thumb.height() : thumb.width());
        bar->setEnabled(true);
        if (own->orientation() == Qt::Horizontal)
            bar->setSingleStep(HorizontalSmallChangePages * bar->pageStep());
    } else {
        bar->setLineButton(0);
        bar->setEnabled(false);
    }
    bar->setSliderVisible(usable);
    // Qt's maximum already leaves out the last page, so it copies across unchanged.
    bar->setMaximum(own->maximum());
    bar->setMinimum(own->minimum());
    bar->setValue(own->value());
}

void TsuiMemo::scrollFromBar(TsuiScrollBar *bar, QScrollBar *own)
{
    if (syncing_bars_)
        return;
    scrolling_from_bar_ = true;
    own->setValue(bar->value());
    viewport()->update();
    scrolling_from_bar_ = false;
}

bool TsuiMemo::event(QEvent *event)
{
    const bool handled = QPlainTextEdit::event(event);
    // The border goes over whatever the platform painted, after it.
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        DrawEditBorder(painter, rect(), borderColor(), color());
    }
    return handled;
}

void TsuiMemo::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateLinkedBars();
    // A read-only pane, a log, is still read with the keyboard: its caret shows where the reader
    // is, and the arrow keys move it.
    if (event->type() == QEvent::ReadOnlyChange && isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TsuiMemo::moveEvent(QMoveEvent *event)
{
    QPlainTextEdit::moveEvent(event);
    placeBars();
}

void TsuiMemo::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    placeBars();
}

void TsuiMemo::showEvent(QShowEvent *event)
{
    QPlainTextEdit::showEvent(event);
    placeBars();
}

void TsuiMemo::hideEvent(QHideEvent *event)
{
    QPlainTextEdit::hideEvent(event);
    for (TsuiScrollBar *bar : {v_bar_.data(), h_bar_.data()}) {
        if (bar)
            bar->hide();
    }
}

QStringList TsuiMemo::lines() const
{
    QStringList result;
    if (document()->isEmpty())
        return result;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        result << block_lines(block);
    return result;
}

QMimeData *TsuiMemo::createMimeDataFromSelection() const
{
    // A selection that touches a cut line copies that line whole; other lines copy as selected.
    const QTextCursor selection = textCursor();
    const int from = selection.selectionStart();
    const int to = selection.selectionEnd();
    QStringList copied;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QStringList whole = block_lines(block);
        const auto *cut = static_cast<const CutLines *>(block.userData());
        int line_start = block.position();
        const QStringList shown = block.text().split(QChar::LineSeparator);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const int line_end = line_start + static_cast<int>(shown[i].size());
            if (line_end >= from && line_start <= to) {
                const int begin = std::max(line_start, from);
                const bool cut_here = cut && cut->whole.contains(i);
                copied << (cut_here ? whole[i] : shown[i].mid(begin - line_start, std::min(line_end, to) - begin));
            }
            line_start = line_end + 1;
        }
    }
    auto *mime = new QMimeData;
    mime->setText(copied.join(u'\n'));
    return mime;
}

void TsuiMemo::appendLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    // One insertion for the whole batch: a long report must not cost one layout per line.
    const bool empty = document()->isEmpty();
    const int first_block = empty ? 0 : document()->blockCount();
    const PackedLines packed = pack_lines(lines);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(empty ? packed.text : QChar::ParagraphSeparator + packed.text);
    keep_whole_lines(*document(), first_block, packed, lines);
}
