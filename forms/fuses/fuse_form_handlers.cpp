#include "forms/fuses/fuse_form.h"

#include "app/quillon_error.h"
#include "app/text_lines_file.h"
#include "avrdude/command_lines.h"
#include "avrdude/run_report.h"
#include "forms/fuses/fuse_description.h"
#include "forms/fuses/fuse_transfer_dir.h"
#include "forms/main/main_form.h"

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

    // Whether or not avrdude ran: take what it left, then show the stored values, which undoes
    // box changes not yet written when a file is missing.
    StoredFuseValues &stored = stored_fuse_values();
    take_transfer_file(x + LowTransferFile, Label1, stored.low);
    take_transfer_file(x + HighTransferFile, Label2, stored.high);
    take_transfer_file(x + ExtendedTransferFile, Label3, stored.extended);
    set_boxes_from(stored);
}

CommandLine TForm3::read_fuses_command_line(const QString &transfer_dir) const
{
    const QString extended_argument = ExtendedFuseFlag ? extended_fuse_read_argument(transfer_dir) : QString();
    return read_fuses_command(main_.chipTarget(), transfer_dir, extended_argument);
}

void TForm3::take_transfer_file(const QString &file_name, QLabel *label, int &stored_value)
{
    if (!QFileInfo::exists(file_name))
        return;
    const QStringList lines = load_text_lines(file_name, TransferFileBound);
    QFile::remove(file_name);
    if (lines.isEmpty())
        throw QuillonError::list_index_beyond(0);
    label->setText(lines.first());
    stored_value = fuse_byte_value(lines.first());
}

void TForm3::write_fuses()
{
    recompute_fuse_values();
    main_.runIntoLog(write_fuses_command_line(), {AvrdudePathNotOk});
}

CommandLine TForm3::write_fuses_command_line() const
{
    const QString low = fuse_hex(Label1);
    const QString high = fuse_hex(Label2);
    const QString extended = Label3->text() == QStringLiteral("0") ? AllCheckedExtendedHex : fuse_hex(Label3);
    const QString extended_argument = ExtendedFuseFlag ? extended_fuse_write_argument(extended) : QString();
    return write_fuses_command(main_.chipTarget(), low, high, extended_argument);
}
