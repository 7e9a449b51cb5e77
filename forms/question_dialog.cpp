#include "forms/question_dialog.h"

#include "skin/dialog/tsui_message_dialog.h"
#include "skin/form/tform.h"

namespace {

// Neither OK nor Cancel: no dialog key gives it.
constexpr int GoOn = 6;

} // namespace

TsuiMessageDialog *make_question_dialog(QObject *owner, const QString &name, const QString &caption,
                                        const QString &go_on_caption)
{
    auto *dialog = new TsuiMessageDialog(owner);
    dialog->setObjectName(name);
    dialog->setUIStyle(TsuiUIStyle::MacOS);
    dialog->setCaptionFontColor(Qt::black);
    dialog->setIconType(TsuiIconType::suiWarning);
    dialog->setCaption(caption);
    dialog->setButtonCount(2);
    dialog->setButton1Caption(QStringLiteral("Abbrechen"));
    dialog->setButton1ModalResult(mrCancel);
    dialog->setButton2Caption(go_on_caption);
    dialog->setButton2ModalResult(GoOn);
    return dialog;
}

bool ask_question(TsuiMessageDialog *dialog, const QString &text)
{
    dialog->setText(text);
    return dialog->ShowModal() == GoOn;
}
