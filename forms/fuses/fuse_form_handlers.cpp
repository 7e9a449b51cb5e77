#include "forms/fuses/fuse_form.h"

#include "app/program_dir.h"
#include "app/quillon_error.h"
#include "app/text_lines_file.h"
#include "avrdude/command_lines.h"
#include "avrdude/run_report.h"
#include "forms/main/main_form.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace {

const QString LowTransferFile = QStringLiteral("lfuse.hex");
const QString HighTransferFile = QStringLiteral("hfuse.hex");
const QString ExtendedTransferFile = QStringLiteral("efuse.hex");
// Every extended box checked is also what a read leaves when no extended byte has been read yet
// (the stored value starts at 0); that goes out as FF, leaving the extended fuse unprogrammed.
const QString AllCheckedExtendedHex = QStringLiteral("FF");

QString fuse_hex(const QLabel *label) { return binary_text_to_hex(decimal_to_binary_text(label->text())); }

} // namespace

void TForm3::read_fuses()
{
    const QString x = program_dir();
    main_.runIntoLog(read_fuses_command_line(), {AvrdudePathNotOk});

    // Whether or not avrdude ran: take what it left, then show the stored values, which undoes
    // box changes not yet written when a file is missing.
    StoredFuseValues &stored = stored_fuse_values();
    take_transfer_file(x + LowTransferFile, Label1, stored.low);
    take_transfer_file(x + HighTransferFile, Label2, stored.high);
    take_transfer_file(x + ExtendedTransferFile, Label3, stored.extended);
    set_boxes_from(stored);
}

QString TForm3::read_fuses_command_line() const
{
    const QString x = program_dir();
    const QString extended_argument = ExtendedFuseFlag ? extended_fuse_read_argument(x) : QString();
    return read_fuses_command(main_.chipTarget(), x, extended_argument);
}

void TForm3::take_transfer_file(const QString &file_name, QLabel *label, int &stored_value)
{
    if (!QFileInfo::exists(file_name))
        return;
    const QStringList lines = load_text_lines(file_name);
    // Removed as soon as it is read, also when its content turns out bad: a file that stayed
    // would be taken again by every later read as if avrdude had just written it.
    QFile::remove(file_name);
    if (lines.isEmpty())
        throw QuillonError::list_index_beyond(0);
    label->setText(lines.first());
    stored_value = decimal_integer(lines.first());
}

void TForm3::write_fuses()
{
    recompute_fuse_values();
    main_.runIntoLog(write_fuses_command_line(), {AvrdudePathNotOk});
}

QString TForm3::write_fuses_command_line() const
{
    const QString low = fuse_hex(Label1);
    const QString high = fuse_hex(Label2);
    const QString extended = Label3->text() == QStringLiteral("0") ? AllCheckedExtendedHex : fuse_hex(Label3);
    const QString extended_argument = ExtendedFuseFlag ? extended_fuse_write_argument(extended) : QString();
    return write_fuses_command(main_.chipTarget(), low, high, extended_argument);
}
