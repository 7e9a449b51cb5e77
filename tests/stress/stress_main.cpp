// The stress program's main. Before anything else (and so before any thread), it takes a mount
// namespace of its own for the file-system fault tests and becomes a subreaper, so that orphaned
// grandchildren of the children it runs are reparented to it and can be counted and reaped.
#include "tests/support/private_mounts.h"
#include "tests/support/qt_test_run.h"

#include <sys/prctl.h>

int main(int argc, char **argv)
{
    enter_private_mount_namespace();
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    return run_qt_tests(argc, argv);
}
