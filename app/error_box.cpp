#include "app/error_box.h"

#include <QApplication>
#include <QMessageBox>

QString error_box_text(const QString &message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void show_error_box(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), error_box_text(message), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ApplicationErrorBox"));
    box.exec();
}
