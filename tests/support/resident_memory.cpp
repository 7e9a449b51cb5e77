#include "tests/support/resident_memory.h"

#include <QFile>

namespace {

double status_mib(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

double resident_mib() { return status_mib("VmRSS:"); }

double peak_resident_mib() { return status_mib("VmHWM:"); }

bool reset_peak_resident()
{
    QFile clear_refs(QStringLiteral("/proc/self/clear_refs"));
    return clear_refs.open(QIODevice::WriteOnly) && clear_refs.write("5") == 1;
}

bool resident_memory_is_the_programs()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}
