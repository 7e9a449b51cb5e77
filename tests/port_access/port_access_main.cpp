// Runs the port tests as a user without rights to the programmer's port, as a new user on Linux
// is. Started as root, it first makes a pseudo-terminal that only the group dialout may open, then
// becomes nobody for good, before any thread exists; started as anyone else, it makes one that
// its owner may not open.
#include "tests/port_access/denied_port.h"
#include "tests/support/qt_test_run.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>

namespace {

int denied_master = -1;

bool make_denied_port()
{
    denied_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (denied_master < 0 || grantpt(denied_master) != 0 || unlockpt(denied_master) != 0)
        return false;
    const char *slave = ptsname(denied_master);
    if (!slave)
        return false;
    if (geteuid() == 0) {
        const struct group *dialout = getgrnam("dialout");
        if (!dialout || chown(slave, 0, dialout->gr_gid) != 0 || chmod(slave, 0660) != 0
            || setenv(DeniedPortGroupVariable, dialout->gr_name, 1) != 0)
            return false;
    } else if (chmod(slave, 0) != 0) {
        return false;
    }
    return setenv(DeniedPortVariable, slave, 1) == 0;
}

bool become_nobody()
{
    const struct passwd *nobody = getpwnam("nobody");
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0
        && setuid(0) != 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!make_denied_port() || (geteuid() == 0 && !become_nobody())) {
        std::perror("setting up a port the user may not open");
        return 1;
    }
    return run_qt_tests(argc, argv);
}
