// Runs the tests on a screen that shows two device pixels per design pixel, as a HiDPI laptop
// does; Qt reads the factor when the application object is made.
#include "tests/support/qt_test_run.h"

#include <QByteArray>

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", QByteArray("2"));
    return run_qt_tests(argc, argv);
}
