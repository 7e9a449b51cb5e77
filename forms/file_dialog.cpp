#include "forms/file_dialog.h"

#include "avrdude/native_text.h"

#include <QDir>
#include <QString>
#include <QUrl>
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

QString chosen_file(const QFileDialog *dialog)
{
    const QList<QUrl> urls = dialog->selectedUrls();
    return urls.isEmpty() ? QString() : local_file_of(urls.first());
}

QString local_file_of(const QUrl &url)
{
    if (!url.isLocalFile())
        return url.toLocalFile();
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return QDir::toNativeSeparators(native_text(bytes));
}
