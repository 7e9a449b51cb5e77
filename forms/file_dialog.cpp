#include "forms/file_dialog.h"

#include <QString>
#include <QWidget>

QFileDialog *make_file_dialog(QWidget *window, const QString &name, QFileDialog::AcceptMode mode,
                              const QString &filter)
{
    auto *dialog = new QFileDialog(window);
    dialog->setObjectName(name);
    // A read-out replaces the file it is given; the user chose that name for it.
    if (mode == QFileDialog::AcceptSave)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!filter.isEmpty())
        dialog->setNameFilter(filter);
    return dialog;
}
