#include "forms/fuses/fuse_form.h"

#include "app/quillon_error.h"
#include "app/text_lines_file.h"
#include "avrdude/command_lines.h"
#include "avrdude/run_report.h"
#include "forms/fuses/fuse_description.h"
#include "forms/fuses/fuse_transfer_dir.h"
#include "forms/main/main_form.h"
#include "skin/button/tsui_check_box.h"
#include "skin/dialog/tsui_message_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace {

const QString LowTransferFile = QStringLiteral("lfuse.hex");
const QString HighTransferFile = QStringLiteral("hfuse.hex");
const QString ExtendedTransferFile = QStringLiteral("efuse.hex");
// Every extended box checked goes out as FF, leaving the extended fuse unprogrammed.
const QString AllCheckedExtendedHex = QStringLiteral("FF");

QString fuse_hex(const QLabel *label) { return binary_text_to_hex(decimal_to_binary_text(label->text())); }

} // namespace

void TForm3::read_fuses()
{
    const FuseTransferDir transfer_dir;
    const QString x = transfer_dir.path();
    main_.runIntoLog(read_fuses_command_line(x), {AvrdudePathNotOk});
    // Nothing is taken from a folder someone put in place of ours: the boxes stay as they are.
    transfer_dir.checkStillOurs();

    // Whether or not avrdude ran: take what it left, then show the stored values, which undoes
    // box changes not yet written when a file is missing.
    StoredFuseValues &stored = stored_fuse_values();
    take_transfer_file(0, x + LowTransferFile, Label1, stored.low);
    take_transfer_file(1, x + HighTransferFile, Label2, stored.high);
    take_transfer_file(2, x + ExtendedTransferFile, Label3, stored.extended);
    set_boxes_from(stored);
}

CommandLine TForm3::read_fuses_command_line(const QString &transfer_dir) const
{
    const QString extended_argument = ExtendedFuseFlag ? extended_fuse_read_argument(transfer_dir) : QString();
    return read_fuses_command(main_.chipTarget(), transfer_dir, extended_argument);
}

void TForm3::take_transfer_file(int fuse, const QString &file_name, QLabel *label, int &stored_value)
{
    if (!QFileInfo::exists(file_name))
        return;
    const QStringList lines = load_text_lines(file_name, TransferFileBound);
    QFile::remove(file_name);
    if (lines.isEmpty())
        throw QuillonError::list_index_beyond(0);
    label->setText(lines.first());
    name_fuse_values();
    stored_value = fuse_byte_value(lines.first());
    last_read_.take(fuse, stored_value);
}

void TForm3::write_fuses()
{
    recompute_fuse_values();
    const CommandLine command = write_fuses_command_line();
    if (confirm_lockout_risks())
        main_.runIntoLog(command, {AvrdudePathNotOk});
}

bool TForm3::confirm_lockout_risks()
{
    const FuseByteValues intended = intended_fuse_bytes();
    const std::vector<LockoutRisk> risks = lockout_risks(lockout_bit_names(), intended, last_read_.bytes());
    if (risks.empty())
        return true;
    lockoutDialog->setText(lockout_warning_text(risks, compared_with_nothing(intended, last_read_.bytes())));
    return lockoutDialog->ShowModal() == LockoutConfirmed;
}

QStringList TForm3::lockout_bit_names() const
{
    try {
        return load_fuse_description(main_.chipTarget().device);
    } catch (const QuillonError &) {
        QStringList shown;
        for (int index = 0; index < FuseCaptionCount; ++index)
            shown << bitBox(index)->text();
        return shown;
    }
}

FuseByteValues TForm3::intended_fuse_bytes() const
{
    const int extended = Label3->text() == QStringLiteral("0") ? 255 : decimal_integer(Label3->text());
    return {decimal_integer(Label1->text()), decimal_integer(Label2->text()),
            ExtendedFuseFlag ? std::optional<int>(extended) : std::nullopt};
}

CommandLine TForm3::write_fuses_command_line() const
{
    const QString low = fuse_hex(Label1);
    const QString high = fuse_hex(Label2);
    const QString extended = Label3->text() == QStringLiteral("0") ? AllCheckedExtendedHex : fuse_hex(Label3);
    const QString extended_argument = ExtendedFuseFlag ? extended_fuse_write_argument(extended) : QString();
    return write_fuses_command(main_.chipTarget(), low, high, extended_argument);
}
