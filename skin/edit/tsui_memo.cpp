#include "skin/edit/tsui_memo.h"

#include "skin/edit/edit_border.h"
#include "skin/edit/long_lines.h"
#include "skin/edit/tsui_scroll_bar.h"
#include "skin/layout/mirroring.h"
#include "skin/themes/builtin_theme_table.h"
#include "skin/themes/look_source.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_color.h"

#include <QHash>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextCursor>

#include <tuple>
#include <vector>

namespace {

// The flat border band; the memo's own scroll bars lie inside it.
constexpr int BorderBand = 2;
// What a released bar goes back to.
constexpr int ReleasedBarMax = 100;
constexpr int HorizontalSmallChangePages = 3;
// A text document pays for every block it holds (about 12 us to insert one), so appended lines
// are kept as blocks of this many lines joined by line separators. The view breaks them exactly
// as before, and a 100,000-line report goes in more than ten times faster.
constexpr qsizetype LinesPerBlock = 100;
// A block is laid out as a whole, so its characters are bounded too: many long lines in one block
// would cost what one long line does.
constexpr qsizetype CharactersPerBlock = 16 * 1024;

// The whole text of the lines a block shows cut, by their place in the block.
class CutLines : public QTextBlockUserData {
public:
    QHash<qsizetype, QString> whole;
};

// The lines of a block as the memo holds them: cut ones whole again.
QStringList block_lines(const QTextBlock &block)
{
    QStringList lines = block.text().split(QChar::LineSeparator);
    if (const auto *cut = static_cast<const CutLines *>(block.userData())) {
        for (auto it = cut->whole.cbegin(); it != cut->whole.cend(); ++it)
            lines[it.key()] = it.value();
    }
    return lines;
}

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

void TsuiMemo::appendStreamText(const QString &text)
{
    if (document()->isEmpty())
        stream_cutter_.reset();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(stream_cutter_.feed(text));
}

void TsuiMemo::appendLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    // One insertion for the whole batch: a long report must not cost one layout per line.
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const int first_block = document()->isEmpty() ? 0 : document()->blockCount();
    QString text;
    if (!document()->isEmpty())
        text += QChar::ParagraphSeparator;
    // Where each cut line lands: its block, counted from the first new one, and its place there.
    std::vector<std::tuple<int, qsizetype, qsizetype>> cut_lines;
    int block = 0;
    qsizetype in_block = 0;
    qsizetype block_characters = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString shown = shown_line(lines[i]);
        if (i > 0) {
            const bool new_block = in_block == LinesPerBlock || block_characters + shown.size() > CharactersPerBlock;
            if (new_block) {
                ++block;
                in_block = 0;
                block_characters = 0;
            }
            text += new_block ? QChar::ParagraphSeparator : QChar::LineSeparator;
        }
        if (is_cut_for_display(lines[i]))
            cut_lines.emplace_back(block, in_block, i);
        text += shown;
        block_characters += shown.size() + 1;
        ++in_block;
    }
    cursor.insertText(text);
    for (const auto &[block_offset, place, line] : cut_lines) {
        QTextBlock target = document()->findBlockByNumber(first_block + block_offset);
        auto *cut = static_cast<CutLines *>(target.userData());
        if (!cut) {
            cut = new CutLines;
            target.setUserData(cut);
        }
        cut->whole.insert(place, lines[line]);
    }
}
