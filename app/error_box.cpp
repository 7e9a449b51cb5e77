#include "app/error_box.h"

#include "skin/dialog/tsui_message_dialog.h"

#include <QApplication>

QString error_box_text(const QString &message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void show_error_box(const QString &message)
{
    // Drawn like every other window of the program; it belongs to no form, so its look is set here.
    TsuiMessageDialog box(nullptr);
    box.setObjectName(QStringLiteral("ApplicationErrorBox"));
    box.setUIStyle(TsuiUIStyle::MacOS);
    box.setIconType(TsuiIconType::suiStop);
    box.setCaption(QApplication::applicationName());
    box.setText(error_box_text(message));
    box.setButtonCount(1);
    box.setButton1Caption(QStringLiteral("OK"));
    box.ShowModal();
}
