#include "session/session.h"

#include "avrdude/native_text.h"
#include "avrdude/run_report.h"
#include "session/chip_erase_question.h"
#include "session/fuse_bits.h"
#include "session/fuse_description.h"
#include "session/fuse_transfer_dir.h"
#include "session/quillon_error.h"
#include "session/settings.h"
#include "session/text_lines_file.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString LowTransferFile = QStringLiteral("lfuse.hex");
const QString HighTransferFile = QStringLiteral("hfuse.hex");
const QString ExtendedTransferFile = QStringLiteral("efuse.hex");
// Every extended box checked goes out as FF, leaving the extended fuse unprogrammed.
constexpr int AllCheckedExtendedByte = 0xFF;

FuseTexts numbers_of(const FuseBytes &bytes)
{
    FuseTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = QString::number(bytes.values[i]);
    return texts;
}

} // namespace

void Session::loadAvrdudePath() { avrdude_path_ = read_settings_line1(); }

void Session::saveAvrdudePath(const QString &path)
{
    save_avrdude_path(path);
    loadAvrdudePath();
}

void Session::setDevice(const QString &device)
{
    if (device == device_)
        return;
    // What was read belongs to the device it was read as.
    chip_report_.forget();
    device_ = device;
    if (!fuse_description_follows_device_)
        return;
    try {
        loadFuseDescription();
    } catch (const QuillonError &) {
        // Said when the window is shown; while the user types a device, every keystroke is one.
    }
    if (fuse_description_observer_)
        fuse_description_observer_();
}

void Session::loadFuseDescription()
{
    const QStringList lines = load_fuse_description(device_);
    // A short file sets what it has and fails at the first missing line; the flag keeps its
    // value then, like the captions after that line.
    for (int index = 0; index < FuseCaptionCount; ++index) {
        if (index >= lines.size())
            throw QuillonError::list_index_beyond(index);
        fuse_captions_[index] = lines[index];
    }
    extended_fuse_ = lines[ExtendedFuseMarkerIndex] != NoExtendedFuseMarker;
}

std::optional<QStringList> Session::deviceFuseNames() const { return device_fuse_names(device_); }

ChipTarget Session::chipTarget() const
{
    // A choice still showing the parameter it was set from goes out as the bytes it came as.
    return ChipTarget{avrdude_path_, exact_unless_edited(device_, parameter(1)),
                      exact_unless_edited(programmer_, parameter(2)), exact_unless_edited(port_, parameter(3))};
}

QString Session::parameter(int number) const
{
    return number >= 1 && number <= parameters_.size() ? parameters_.at(number - 1) : QString();
}

void Session::setFuseBytes(const FuseBytes &bytes)
{
    fuse_bytes_ = bytes;
    fuse_texts_ = numbers_of(bytes);
}

void Session::setFuseBit(int index, bool programmed)
{
    FuseBytes bytes = fuse_bytes_;
    int &value = bytes.values.at(static_cast<std::size_t>(index / FuseBitsPerByte));
    const int mask = 1 << (index % FuseBitsPerByte);
    value = programmed ? (value & ~mask) : (value | mask);
    setFuseBytes(bytes);
}

void Session::showFuseBytes(const FuseBytes &bytes)
{
    // A read that changes no box leaves the labels showing the transfer files' lines.
    if (bytes != fuse_bytes_)
        setFuseBytes(bytes);
}

void Session::run(const CommandLine &command, const QStringList &failure_lines) const
{
    if (runner_)
        runner_(command, failure_lines);
}

void Session::runFreeCommand(const QString &arguments)
{
    run(avrdude_command(avrdude_path_, arguments),
        {AvrdudePathNotOk, avrdude_path_, QStringLiteral("Passen sie den Pfad unter Einstellungen -> Optionen an!")});
}

void Session::programFlash(const QString &file) { run(program_flash_command(chipTarget(), file), {AvrdudePathNotOk}); }

void Session::programEeprom(const QString &file) { run(program_eeprom_command(chipTarget(), file), {AvrdudePathNotOk}); }

void Session::readFlash(const QString &file) { run(read_flash_command(chipTarget(), file), {AvrdudePathNotOk}); }

void Session::readEeprom(const QString &file) { run(read_eeprom_command(chipTarget(), file), {AvrdudePathNotOk}); }

void Session::eraseChip() { run(chip_erase_command(chipTarget()), {AvrdudePathNotOk}); }

void Session::readFuses()
{
    const FuseTransferDir transfer_dir;
    const QString x = transfer_dir.path();
    const QString extended_argument = extended_fuse_ ? extended_fuse_read_argument(x) : QString();
    run(read_fuses_command(chipTarget(), x, extended_argument), {AvrdudePathNotOk});
    // Nothing is taken from a folder someone put in place of ours: the boxes stay as they are.
    transfer_dir.checkStillOurs();

    takeTransferFile(x + LowTransferFile, FuseByte::Low);
    takeTransferFile(x + HighTransferFile, FuseByte::High);
    takeTransferFile(x + ExtendedTransferFile, FuseByte::Extended);
    showFuseBytes(last_read_);
}

void Session::takeTransferFile(const QString &file_name, FuseByte which)
{
    if (!QFileInfo::exists(file_name))
        return;
    const QStringList lines = load_text_lines(file_name, TransferFileBound);
    QFile::remove(file_name);
    if (lines.isEmpty())
        throw QuillonError::list_index_beyond(0);
    // The label shows the line as avrdude wrote it, even one that turns out to hold no byte.
    fuse_texts_[static_cast<std::size_t>(which)] = lines.first();
    last_read_[which] = fuse_byte_value(lines.first());
    chip_report_.take(static_cast<int>(which), last_read_[which]);
}

FuseByteValues Session::intendedFuseWrite() const
{
    const int extended = fuse_bytes_[FuseByte::Extended];
    return {fuse_bytes_[FuseByte::Low], fuse_bytes_[FuseByte::High],
            extended_fuse_ ? std::optional<int>(extended == 0 ? AllCheckedExtendedByte : extended) : std::nullopt};
}

std::optional<QString> Session::fuseWriteQuestion() const
{
    const FuseByteValues intended = intendedFuseWrite();
    const FuseByteValues &last_read = chip_report_.bytes();
    const std::optional<QStringList> names = deviceFuseNames();
    if (!names)
        return unknown_meaning_text(device_, intended, last_read);
    const std::vector<LockoutRisk> risks = lockout_risks(*names, intended, last_read);
    if (risks.empty())
        return std::nullopt;
    return lockout_warning_text(risks, compared_with_nothing(intended, last_read));
}

QString Session::chipEraseQuestion() const
{
    return chip_erase_question(eeprom_at_erase(deviceFuseNames(), chip_report_.bytes()));
}

QString Session::eepromProgramQuestion() const
{
    return eeprom_program_question(eeprom_at_erase(deviceFuseNames(), chip_report_.bytes()));
}

void Session::writeFuses()
{
    // What goes out is what the boxes show, and the labels say so again.
    setFuseBytes(fuse_bytes_);
    const FuseByteValues bytes = intendedFuseWrite();
    const QString extended_argument = bytes[2] ? extended_fuse_write_argument(fuse_hex(*bytes[2])) : QString();
    run(write_fuses_command(chipTarget(), fuse_hex(*bytes[0]), fuse_hex(*bytes[1]), extended_argument),
        {AvrdudePathNotOk});
}

void Session::programExternal(const QString &device, const QString &programmer, const QString &port,
                              const QString &file)
{
    run(program_flash_command(ChipTarget{avrdude_path_, device, programmer, port}, file), {AvrdudePathNotOk});
}
