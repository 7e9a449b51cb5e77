#include "skin/panel/tsui_custom_panel.h"

#include "skin/paint/device_pixels.h"
#include "skin/paint/image_masks.h"
#include "skin/paint/parent_background.h"

#include <QPainter>

TsuiCustomPanel::TsuiCustomPanel(QWidget *parent)
    : QWidget(parent)
{
    // The panel paints every pixel itself; Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TsuiCustomPanel::setPicture(const QImage &picture)
{
    picture_ = picture;
    PictureChanged();
}

void TsuiCustomPanel::setTransparent(bool transparent)
{
    transparent_ = transparent;
    // Over the parent's image the panel no longer covers every pixel with its own.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TsuiCustomPanel::setAutoSize(bool on)
{
    auto_size_ = on;
    PictureChanged();
}

void TsuiCustomPanel::setDrawStyle(TsuiDrawStyle style)
{
    draw_style_ = style;
    update();
}

QColor TsuiCustomPanel::color() const { return parent_color_ ? ParentColour(this) : color_; }

void TsuiCustomPanel::setColor(const QColor &color)
{
    color_ = color;
    parent_color_ = false;
    update();
}

void TsuiCustomPanel::setParentColor(bool on)
{
    parent_color_ = on;
    update();
}

void TsuiCustomPanel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TsuiCustomPanel::setText(const QString &text)
{
    if (text == text_)
        return;
    const QRect old_rect = captionRect();
    text_ = text;
    TextChanged(old_rect);
    update();
}

void TsuiCustomPanel::setCaptionPos(const QPoint &pos)
{
    caption_pos_ = pos;
    update();
}

void TsuiCustomPanel::FillBackground(QPainter &painter) { painter.fillRect(rect(), color()); }

void TsuiCustomPanel::TextChanged(const QRect &) {}

void TsuiCustomPanel::PictureChanged()
{
    if (!picture_.isNull() && auto_size_) {
        const TAlign align = align_of(this);
        const bool keep_width = align == TAlign::alTop || align == TAlign::alBottom || align == TAlign::alClient;
        const bool keep_height = align == TAlign::alLeft || align == TAlign::alRight || align == TAlign::alClient;
        const QSize picture_size = LogicalSize(picture_);
        resize(keep_width ? width() : picture_size.width(), keep_height ? height() : picture_size.height());
    }
    update();
}

QImage TsuiCustomPanel::pictureForDrawing() const
{
    return transparent_ ? WithTransparentColour(picture_, BottomLeftColour(picture_)) : picture_;
}

void TsuiCustomPanel::paintPanel(QPainter &target)
{
    QImage buffer = PaintBuffer(this, Qt::transparent);
    {
        QPainter painter(&buffer);
        painter.setFont(font());
        // Under a picture that leaves part of the panel uncovered, the panel shows its colour
        // rather than whatever the fresh buffer held.
        if (transparent_)
            PaintParentBackground(painter, this);
        else
            FillBackground(painter);
        if (!picture_.isNull()) {
            const QImage image = pictureForDrawing();
            switch (draw_style_) {
            case TsuiDrawStyle::suiNormal:
                painter.drawImage(0, 0, image);
                break;
            case TsuiDrawStyle::suiStretch:
                painter.drawImage(rect(), image);
                break;
            case TsuiDrawStyle::suiTile: {
                const QSize tile = LogicalSize(image);
                for (int y = 0; y < height() + tile.height(); y += tile.height())
                    for (int x = 0; x < width() + tile.width(); x += tile.width())
                        painter.drawImage(x, y, image);
                break;
            }
            }
        }
        drawText(painter);
    }
    DrawPaintBuffer(target, buffer);
}

int TsuiCustomPanel::textFlags() const { return Qt::TextSingleLine | Qt::AlignVCenter | static_cast<int>(alignment_); }

QRect TsuiCustomPanel::captionRect() const
{
    const QFontMetrics metrics(font());
    if (caption_pos_ != QPoint(-1, -1))
        return QRect(caption_pos_, QSize(metrics.horizontalAdvance(text_), metrics.height()));
    return metrics.boundingRect(rect(), textFlags(), text_);
}

void TsuiCustomPanel::drawText(QPainter &painter) const
{
    if (text_.trimmed().isEmpty())
        return;
    painter.setPen(palette().color(QPalette::WindowText));
    if (caption_pos_ != QPoint(-1, -1)) {
        painter.drawText(captionRect(), Qt::TextSingleLine, text_);
        return;
    }
    painter.drawText(rect(), textFlags(), text_);
}

void TsuiCustomPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintPanel(painter);
}

void TsuiCustomPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    align_children(this, childAlignArea());
}
