#include "skin/dialog/tsui_message_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

TsuiMessageDialog::TsuiMessageDialog(QObject *parent)
    : QObject(parent)
{
}

void TsuiMessageDialog::setButtonCaption(int index, const QString &caption)
{
    if (index >= 1 && index <= MaxButtons)
        button_captions_[index - 1] = caption;
}

void TsuiMessageDialog::setButtonModalResult(int index, int result)
{
    if (index >= 1 && index <= MaxButtons)
        button_results_[index - 1] = result;
}

int TsuiMessageDialog::ShowModal()
{
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("frmMsg"));
    box.setWindowTitle(caption_);
    box.setText(text_);
    static const QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Warning, QMessageBox::Critical,
                                              QMessageBox::Information, QMessageBox::Question};
    box.setIcon(icons[static_cast<int>(icon_)]);
    QAbstractButton *buttons[MaxButtons] = {};
    for (int i = 0; i < button_count_; ++i)
        buttons[i] = box.addButton(button_captions_[i], QMessageBox::AcceptRole);
    box.exec();
    for (int i = 0; i < button_count_; ++i)
        if (box.clickedButton() == buttons[i])
            return button_results_[i];
    return 2;
}
