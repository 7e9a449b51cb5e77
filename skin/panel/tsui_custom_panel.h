#pragma once

#include "skin/layout/align.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

class QPainter;

// How a picture panel fills itself with its picture.
enum class TsuiDrawStyle : std::uint8_t { suiNormal, suiStretch, suiTile };
Q_DECLARE_METATYPE(TsuiDrawStyle)

// A container that paints its whole area itself: a picture (placed, stretched or tiled) or its
// colour, optionally over the parent's image, and its text on top. The base of the group box and
// the picture panel; it never draws a bevel.
class TsuiCustomPanel : public QWidget, public AlignedContainer {
    Q_OBJECT

public:
    explicit TsuiCustomPanel(QWidget *parent);

    QImage picture() const { return picture_; }
    void setPicture(const QImage &picture);
    bool transparent() const { return transparent_; }
    virtual void setTransparent(bool transparent);
    bool autoSize() const { return auto_size_; }
    void setAutoSize(bool on);
    TsuiDrawStyle drawStyle() const { return draw_style_; }
    void setDrawStyle(TsuiDrawStyle style);

    // With ParentColor set, Color follows the parent's colour; assigning a colour clears it.
    QColor color() const;
    void setColor(const QColor &color);
    bool parentColor() const { return parent_color_; }
    void setParentColor(bool on);

    // Horizontal placement of the text: Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    // The control's own text, drawn over the picture (not a group box's caption).
    QString text() const { return text_; }
    void setText(const QString &text);

    QRect childAlignArea() const override { return rect(); }

protected:
    virtual void FillBackground(QPainter &painter);
    // Told where the old text stood just before the new one is painted.
    virtual void TextChanged(const QRect &oldRect);
    virtual void PictureChanged();

    // Composes picture, colour and text off-screen and copies them onto painter in one step.
    void paintPanel(QPainter &painter);
    // Where the text stands, from the text, font and alignment.
    QRect captionRect() const;
    void setCaptionPos(const QPoint &pos);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage pictureForDrawing() const;
    void drawText(QPainter &painter) const;
    int textFlags() const;

    QImage picture_;
    bool transparent_ = false;
    bool auto_size_ = false;
    TsuiDrawStyle draw_style_ = TsuiDrawStyle::suiNormal;
    QColor color_{0xE7, 0xE7, 0xE7};
    bool parent_color_ = false;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    QString text_;
    QPoint caption_pos_{-1, -1};
};
