#include "skin/edit/tsui_scroll_bar.h"

#include "skin/themes/style_resolution.h"

#include <QPainter>
#include <QStyleOptionSlider>

TsuiScrollBar::TsuiScrollBar(QWidget *parent)
    : QScrollBar(parent)
    , ControlLook(this)
{
    connect(this, &QScrollBar::valueChanged, this, &TsuiScrollBar::OnChange);
    setUIStyle(GetOwnerFormStyle(parent));
}

void TsuiScrollBar::setLineButton(int length)
{
    line_button_ = length;
    update();
}

void TsuiScrollBar::setSliderVisible(bool visible)
{
    slider_visible_ = visible;
    update();
}

void TsuiScrollBar::paintEvent(QPaintEvent *event)
{
    if (slider_visible_) {
        QScrollBar::paintEvent(event);
        return;
    }
    // Track and arrows only: a bar whose memo cannot scroll shows no thumb.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls &= ~QStyle::SC_ScrollBarSlider;
    QPainter painter(this);
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
}
