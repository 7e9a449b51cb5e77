#pragma once

#include "skin/layout/align.h"
#include "skin/themes/ui_style.h"

#include <QColor>
#include <QWidget>

// A framed box with its caption in the top edge. Aligned children are laid out inside the frame.
class TsuiGroupBox : public QWidget, public AlignedContainer {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)

public:
    explicit TsuiGroupBox(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);
    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    QColor borderColor() const { return border_color_; }
    void setBorderColor(const QColor &color);

    QRect childAlignArea() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
    QString caption_;
    QColor border_color_{Qt::black};
};
