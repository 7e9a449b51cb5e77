#pragma once

#include "skin/layout/align.h"
#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

// A bordered panel with a skinned caption bar. The small button in the bar collapses the panel
// to the bar and expands it again, in steps, so the windows around it follow smoothly. Aligned
// children are laid out below the bar.
class TsuiPanel : public QWidget, public AlignedContainer, public BorderedLook {
    Q_OBJECT
    Q_PROPERTY(int Height READ fullHeight WRITE setHeight)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ fileTheme WRITE setFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool ShowButton READ showButton WRITE setShowButton)
    Q_PROPERTY(QColor CaptionFontColor READ captionFontColor WRITE setCaptionFontColor)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TsuiPanel(QWidget *parent);

    // The expanded height: kept while collapsed, and the height the panel expands back to.
    int fullHeight() const { return full_height_; }
    void setHeight(int height);
    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool showButton() const { return show_button_; }
    void setShowButton(bool show);
    QColor captionFontColor() const { return caption_font_color_; }
    void setCaptionFontColor(const QColor &color);
    QColor color() const { return color_; }
    void setColor(const QColor &color);

    bool isExpanded() const { return expanded_; }
    // Collapse to the caption bar and expand again, as the bar's button does. Collapsing a panel
    // aligned left, right or to the client area throws std::runtime_error.
    void push();
    void pop();

    QRect childAlignArea() const override;

signals:
    void OnPush();
    void OnPop();

protected:
    // Setting UIStyle resets the colour to white and the caption colours to the style's.
    void ApplyLook() override;
    // A file theme handed to a panel with a built-in style changes nothing else.
    void FileThemeChanged() override;
    void FileThemeForgotten() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // In design pixels: a theme's bar picture may have two device pixels to each.
    int barHeight() const;
    bool buttonShown() const;
    QRect buttonHitRect() const;
    // The pointer is on the shown button.
    bool buttonHot() const;
    void paintButton(QPainter &painter) const;
    void pointerAt(const QPoint &pos);
    void stepHeight(int height);

    QColor color_{Qt::white};
    QColor caption_font_color_{Qt::white};
    QString caption_;
    QImage caption_bar_;
    QImage button_strip_;
    bool show_button_ = true;
    bool expanded_ = true;
    bool animating_ = false;
    int full_height_;
    // Where the pointer was last seen over the panel; outside when it has left.
    QPoint pointer_{-1, -1};
};
