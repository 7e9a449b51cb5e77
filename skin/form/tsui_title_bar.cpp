#include "skin/form/tsui_title_bar.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

namespace {
constexpr int ButtonSize = 16;
constexpr int ButtonGap = 2;
} // namespace

TsuiTitleBar::TsuiTitleBar(TsuiForm *frame)
    : QWidget(frame)
    , close_button_(new QToolButton(this))
    , minimize_button_(new QToolButton(this))
    , maximize_button_(new QToolButton(this))
    , control_box_(new QToolButton(this))
{
    setObjectName(QStringLiteral("TitleBar"));
    resize(frame->width(), DefaultHeight);
    close_button_->setText(QStringLiteral("×"));
    minimize_button_->setText(QStringLiteral("_"));
    maximize_button_->setText(QStringLiteral("□"));
    control_box_->setText(QStringLiteral("•"));
    for (QToolButton *button : {close_button_, minimize_button_, maximize_button_, control_box_}) {
        button->setFixedSize(ButtonSize, ButtonSize);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    maximize_button_->hide();
    minimize_button_->hide();
    connect(close_button_, &QToolButton::clicked, this, [this] { window()->close(); });
    connect(minimize_button_, &QToolButton::clicked, this, [this] { window()->showMinimized(); });
}

void TsuiTitleBar::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TsuiTitleBar::setButtonVisible(TsuiForm::TitleButton button, bool visible)
{
    QToolButton *target = button == TsuiForm::suiClose ? close_button_
                        : button == TsuiForm::suiMin   ? minimize_button_
                        : button == TsuiForm::suiMax   ? maximize_button_
                                                       : control_box_;
    target->setVisible(visible);
    placeButtons();
}

void TsuiTitleBar::placeButtons()
{
    const int top = (height() - ButtonSize) / 2;
    control_box_->move(ButtonGap, top);
    int x = width() - ButtonGap;
    for (QToolButton *button : {close_button_, maximize_button_, minimize_button_}) {
        if (button->isHidden())
            continue;
        x -= ButtonSize;
        button->move(x, top);
        x -= ButtonGap;
    }
}

void TsuiTitleBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeButtons();
}

void TsuiTitleBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
    shade.setColorAt(1, QColor(0xC8, 0xC8, 0xC8));
    painter.fillRect(rect(), shade);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect().adjusted(ButtonSize + 2 * ButtonGap + 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

void TsuiTitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && window()->windowHandle() && !window()->isMaximized())
        window()->windowHandle()->startSystemMove();
}
