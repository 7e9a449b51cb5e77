// The fuse end-to-end program takes a mount namespace of its own before anything else (and so
// before any thread), so that it can make its ProgramDir read-only as an installed Quillon's is.
#include "tests/support/private_mounts.h"
#include "tests/support/qt_test_run.h"

int main(int argc, char **argv)
{
    enter_private_mount_namespace();
    return run_qt_tests(argc, argv);
}
