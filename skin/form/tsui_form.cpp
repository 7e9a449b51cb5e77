#include "skin/form/tsui_form.h"

#include "skin/form/tsui_title_bar.h"
#include "skin/layout/align.h"
#include "skin/menu/tsui_main_menu.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

TsuiForm::TsuiForm(QWidget *host)
    : QWidget(host)
    , host_(host)
    , title_bar_(new TsuiTitleBar(this))
{
    setObjectName(QStringLiteral("suiForm1"));
    host_->installEventFilter(this);
    host_->setMinimumSize(125, 50);
    setGeometry(host_->rect().marginsRemoved(FrameMargins));
    setUIStyle(TsuiUIStyle::DeepBlue);
}

TsuiForm::~TsuiForm()
{
    host_->removeEventFilter(this);
}

void TsuiForm::setUIStyle(TsuiUIStyle style)
{
    style_ = style;
    update();
    host_->update();
}

void TsuiForm::setBorderColor(const QColor &color)
{
    border_color_ = color;
    host_->update();
}

void TsuiForm::setBorderWidth(int width)
{
    border_width_ = width;
    host_->update();
}

void TsuiForm::setColor(const QColor &color)
{
    color_ = color;
    update();
    host_->update();
}

QString TsuiForm::caption() const { return title_bar_->caption(); }

void TsuiForm::setCaption(const QString &caption)
{
    title_bar_->setCaption(caption);
    host_->setWindowTitle(caption);
}

void TsuiForm::setMenuBarHeight(int height)
{
    menu_bar_height_ = height;
    realign();
}

void TsuiForm::setMenu(TsuiMainMenu *menu)
{
    if (menu_)
        disconnect(menu_, nullptr, this, nullptr);
    menu_ = menu;
    if (menu_)
        connect(menu_, &TsuiMainMenu::changed, this, &TsuiForm::rebuildMenuBar);
    rebuildMenuBar();
}

void TsuiForm::setTitleButtonVisible(TitleButton button, bool visible) { title_bar_->setButtonVisible(button, visible); }

void TsuiForm::rebuildMenuBar()
{
    if (!menu_) {
        delete menu_bar_;
        menu_bar_ = nullptr;
        realign();
        return;
    }
    if (!menu_bar_) {
        menu_bar_ = new QMenuBar(this);
        menu_bar_->setNativeMenuBar(false);
        menu_bar_->show();
    }
    menu_bar_->clear();
    for (TsuiMenuItem *top : menu_->items()) {
        QMenu *drop_down = menu_bar_->addMenu(top->caption());
        drop_down->setEnabled(top->enabled());
        for (TsuiMenuItem *item : top->items()) {
            if (item->isSeparator()) {
                drop_down->addSeparator();
                continue;
            }
            QAction *action = drop_down->addAction(item->caption());
            action->setEnabled(item->enabled());
            connect(action, &QAction::triggered, item, &TsuiMenuItem::Click);
        }
    }
    realign();
}

QRect TsuiForm::childAlignArea() const
{
    QRect free = rect();
    free.setTop(!title_bar_->isHidden() ? title_bar_->height() : 0);
    if (menu_bar_)
        free.setTop(free.top() + menu_bar_height_);
    return free;
}

void TsuiForm::realign()
{
    setGeometry(host_->rect().marginsRemoved(FrameMargins));
    title_bar_->setGeometry(0, 0, width(), title_bar_->height());
    if (menu_bar_)
        menu_bar_->setGeometry(0, !title_bar_->isHidden() ? title_bar_->height() : 0, width(), menu_bar_height_);
    align_children(this, childAlignArea());
}

bool TsuiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == host_) {
        if (event->type() == QEvent::Resize)
            realign();
        else if (event->type() == QEvent::Paint)
            paintBorder();
        else if (event->type() == QEvent::WindowTitleChange && title_bar_->caption().isEmpty())
            title_bar_->setCaption(host_->windowTitle());
    }
    return QWidget::eventFilter(watched, event);
}

void TsuiForm::paintBorder()
{
    QPainter painter(host_);
    const QRect outer = host_->rect();
    painter.fillRect(outer, color_);
    painter.setPen(Qt::NoPen);
    painter.setBrush(border_color_);
    const int b = border_width_;
    painter.drawRect(0, 0, b, outer.height());
    painter.drawRect(outer.width() - b, 0, b, outer.height());
    painter.drawRect(0, outer.height() - b, outer.width(), b);
    painter.drawRect(0, 0, outer.width(), b);
}

void TsuiForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
}

void TsuiForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    title_bar_->setGeometry(0, 0, width(), title_bar_->height());
    align_children(this, childAlignArea());
}
