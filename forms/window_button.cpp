#include "forms/window_button.h"

#include "skin/button/tsui_button.h"

#include <QRect>
#include <QString>

TsuiButton *make_window_button(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *button = new TsuiButton(parent);
    button->setObjectName(name);
    button->setUIStyle(TsuiUIStyle::MacOS);
    button->setText(caption);
    button->setGeometry(geometry);
    return button;
}
