#include "skin/panel/tsui_group_box.h"

#include "skin/layout/align.h"

#include <QPainter>

TsuiGroupBox::TsuiGroupBox(QWidget *parent)
    : QWidget(parent)
{
    resize(185, 105);
}

void TsuiGroupBox::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
}

void TsuiGroupBox::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TsuiGroupBox::setBorderColor(const QColor &color)
{
    border_color_ = color;
    update();
}

void TsuiGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (parentWidget())
        painter.fillRect(rect(), parentWidget()->palette().window());
    const QFontMetrics metrics(font());
    const int line_y = metrics.height() / 2 + 1;
    const int caption_width = caption_.isEmpty() ? 0 : metrics.horizontalAdvance(caption_);
    painter.setPen(border_color_);
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.drawLine(0, line_y, 2, line_y);
    painter.drawLine(0, line_y, 0, bottom);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, bottom, right, line_y);
    painter.drawLine(right, line_y, caption_.isEmpty() ? 0 : caption_width + 6, line_y);
    painter.setPen(isEnabled() ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    painter.drawText(5, 0, caption_width, metrics.height(), Qt::AlignLeft | Qt::AlignTop, caption_);
}

void TsuiGroupBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    align_children(this, childAlignArea());
}

QRect TsuiGroupBox::childAlignArea() const
{
    const int fh = QFontMetrics(font()).height();
    return QRect(QPoint(3, fh + 5), QPoint(width() - 4, height() - 4));
}
