#pragma once

#include "skin/edit/long_lines.h"
#include "skin/edit/tsui_scroll_bar.h"
#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <cstdint>

class QScrollBar;

// Which of its own scroll bars a memo shows.
enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_DECLARE_METATYPE(TScrollStyle)

// A multi-line text pane kept as a list of lines, with the flat 2-pixel border of the skinned
// edit around it and its own scroll bars inside that border. Skinned scroll bars may be linked
// to stand over its own ones; the log panes of Quillon are memos.
class TsuiMemo : public QPlainTextEdit, public BorderedLook {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(TsuiScrollBar *VScrollBar READ vScrollBar WRITE setVScrollBar)
    Q_PROPERTY(TsuiScrollBar *HScrollBar READ hScrollBar WRITE setHScrollBar)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(TScrollStyle ScrollBars READ scrollBars WRITE setScrollBars)

public:
    explicit TsuiMemo(QWidget *parent);

    QColor color() const;
    void setColor(const QColor &color);
    // A log pane shows its vertical bar unless told otherwise.
    TScrollStyle scrollBars() const { return scroll_bars_; }
    void setScrollBars(TScrollStyle bars);

    // Linking a skinned bar puts it over the memo's own bar of that orientation and keeps the two
    // in step; nullptr unlinks. The memo does not own the bars.
    TsuiScrollBar *vScrollBar() const { return v_bar_; }
    void setVScrollBar(TsuiScrollBar *bar);
    TsuiScrollBar *hScrollBar() const { return h_bar_; }
    void setHScrollBar(TsuiScrollBar *bar);

    // Lines come back and copy whole, also those shown cut (see long_lines.h).
    QStringList lines() const;
    void clearLines() { clear(); }
    void appendLines(const QStringList &lines);

protected:
    void ApplyLook() override;
    void FileThemeChanged() override;
    QMimeData *createMimeDataFromSelection() const override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void linkBar(QPointer<TsuiScrollBar> &slot, TsuiScrollBar *bar, Qt::Orientation orientation);
    void barRemoved(Qt::Orientation orientation);
    void scrollBarsFollowLinks();
    void placeBars();
    void updateLinkedBars();
    void updateLinkedBar(TsuiScrollBar *bar, QScrollBar *own);
    void scrollFromBar(TsuiScrollBar *bar, QScrollBar *own);

    TScrollStyle scroll_bars_ = TScrollStyle::ssVertical;
    QPointer<TsuiScrollBar> v_bar_;
    QPointer<TsuiScrollBar> h_bar_;
    // Break the loop between the memo and its linked bars while one of them updates the other.
    bool syncing_bars_ = false;
    bool scrolling_from_bar_ = false;
};
