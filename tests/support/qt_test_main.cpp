// The main of every test program that needs Qt and nothing before it.
#include "tests/support/qt_test_run.h"

int main(int argc, char **argv) { return run_qt_tests(argc, argv); }
