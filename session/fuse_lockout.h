#pragma once

#include "session/fuse_bytes.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Fuse writes that can lock a chip out of its programmer: the reset pin left a port pin, debugWIRE
// left on the reset pin, serial programming left switched off, or a clock the board may not have. The bits are found by their names in the device's description file, so the rule follows
// every device that has a file. No widgets here.

// One value per fuse byte (low, high, extended); empty where there is none: a byte not sent, or
// not read from the chip.
using FuseByteValues = std::array<std::optional<int>, FuseByteCount>;

// What the chip reported at the last read since the device was chosen. A byte whose transfer
// file did not come back stays unknown.
class LastFuseRead {
public:
    const FuseByteValues &bytes() const { return bytes_; }
    void take(int fuse, int value) { bytes_.at(static_cast<std::size_t>(fuse)) = value; }
    // Another device: what was read belongs to a chip that may no longer be there.
    void forget() { bytes_ = {}; }

private:
    FuseByteValues bytes_{};
};

enum class LockoutKind { ResetPinDisabled, DebugWireEnabled, SerialProgrammingDisabled, ClockChanged };

// One bit of a write that falls under a lockout rule.
struct LockoutBit {
    QString name;
    std::optional<bool> was; // the bit as last read; empty when nothing was read to compare with
    bool becomes = true;
};

struct LockoutRisk {
    LockoutKind kind;
    std::vector<LockoutBit> bits;
};

// The risks of writing `intended` to a chip that last read as `last_read`, with the 24 bit names
// of the device's description file (low bits 0 to 7, high, extended; missing names are no risk).
// A programmed bit is 0. Compared with a byte that was not read, every clock bit counts and the
// other rules look at the new value alone. In the order of LockoutKind; empty for an ordinary write.
std::vector<LockoutRisk> lockout_risks(const QStringList &bit_names, const FuseByteValues &intended,
                                       const FuseByteValues &last_read);

// Whether some byte that goes out has no read value to compare with.
bool compared_with_nothing(const FuseByteValues &intended, const FuseByteValues &last_read);

// The German question the fuse window asks before such a write.
QString lockout_warning_text(const std::vector<LockoutRisk> &risks, bool nothing_read);

// The German question before every write to a device whose bits have no names: each byte that
// goes out, as last read ("nicht gelesen" when it was not) and as it will be, in hexadecimal.
QString unknown_meaning_text(const QString &device, const FuseByteValues &intended, const FuseByteValues &last_read);
