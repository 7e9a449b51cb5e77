#include "skin/panel/tsui_panel.h"

#include "skin/layout/align.h"

#include <QLinearGradient>
#include <QPainter>

TsuiPanel::TsuiPanel(QWidget *parent)
    : QWidget(parent)
{
    resize(100, 100);
}

void TsuiPanel::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}

void TsuiPanel::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TsuiPanel::setColor(const QColor &color)
{
    color_ = color;
    update();
}

void TsuiPanel::setBorderColor(const QColor &color)
{
    border_color_ = color;
    update();
}

void TsuiPanel::setCaptionFontColor(const QColor &color)
{
    caption_font_color_ = color;
    update();
}

void TsuiPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    painter.setPen(border_color_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QLinearGradient shade(0, 0, 0, CaptionBarHeight);
    shade.setColorAt(0, QColor(0xF0, 0xF0, 0xF0));
    shade.setColorAt(1, QColor(0xC4, 0xC4, 0xC4));
    painter.fillRect(QRect(1, 0, width() - 2, CaptionBarHeight), shade);
    painter.setPen(caption_font_color_);
    painter.drawText(QRect(10, 0, width() - 11, CaptionBarHeight), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

void TsuiPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    align_children(this, childAlignArea());
}

// 3 pixels of margin plus the 1-pixel bevel that is reserved but never drawn.
QRect TsuiPanel::childAlignArea() const { return QRect(QPoint(4, CaptionBarHeight + 4), QPoint(width() - 5, height() - 5)); }
