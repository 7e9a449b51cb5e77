#pragma once

#include "skin/layout/align.h"
#include "skin/themes/ui_style.h"

#include <QColor>
#include <QWidget>

// A bordered panel with a caption bar at the top. Aligned children are laid out below the bar.
class TsuiPanel : public QWidget, public AlignedContainer {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor CaptionFontColor READ captionFontColor WRITE setCaptionFontColor)
    Q_PROPERTY(bool ShowButton READ showButton WRITE setShowButton)

public:
    static constexpr int CaptionBarHeight = 21;

    explicit TsuiPanel(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    QColor color() const { return color_; }
    void setColor(const QColor &color);
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);
    QColor captionFontColor() const { return caption_font_color_; }
    void setCaptionFontColor(const QColor &color);
    bool showButton() const { return show_button_; }
    void setShowButton(bool show) { show_button_ = show; }

    QRect childAlignArea() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    QString caption_;
    QColor color_{Qt::white};
    QColor border_color_{0x7F, 0x7F, 0x7F};
    QColor caption_font_color_{Qt::black};
    bool show_button_ = true;
};
