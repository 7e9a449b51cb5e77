#include "forms/file_dialog.h"

#include "avrdude/native_text.h"
#include "skin/form/focus_return.h"

#include <QCompleter>
#include <QDir>
#include <QLineEdit>
#include <QString>
#include <QUrl>
#include <QWidget>

namespace {

// Qt's dialog completes a typed name from the folder it reads in the background. A folder that
// finishes loading after the dialog has closed would bring the completion list back, for a name
// field nobody sees, and the list would take every key. The fields complete only while the
// dialog is open.
void complete_names(QFileDialog *dialog, bool on)
{
    for (QLineEdit *field : dialog->findChildren<QLineEdit *>()) {
        if (QCompleter *completer = field->completer())
            completer->setWidget(on ? field : nullptr);
    }
}

// Qt's file dialog, handing the keyboard back to the window that opened it just before it hides.
class HandingOverFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void done(int result) override
    {
        FocusReturn(parentWidget()).handOver();
        QFileDialog::done(result);
    }
};

} // namespace

QFileDialog *make_file_dialog(QWidget *window, const QString &name, QFileDialog::AcceptMode mode,
                              const QString &filter)
{
    auto *dialog = new HandingOverFileDialog(window);
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
    // Windows names are UTF-16 already, and a URL with a host names a share: Qt's own answer is
    // exact for those.
#ifndef Q_OS_WIN
    if (url.isLocalFile() && url.host().isEmpty())
        return native_text(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
    return QDir::toNativeSeparators(url.toLocalFile());
}

bool exec_file_dialog(QFileDialog *dialog)
{
    const FocusReturn opener(dialog->parentWidget());
    complete_names(dialog, true);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    complete_names(dialog, false);
    opener.giveBack();
    return accepted;
}
