#include "skin/window/widget_set_error.h"

#include <QApplication>
#include <QMessageBox>

void show_widget_set_error(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("WidgetSetError"));
    box.exec();
}
