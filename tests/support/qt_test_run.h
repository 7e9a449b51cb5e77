#pragma once

// Runs the test program's tests under the real application object, so that failures a handler
// lets through reach the application's error box exactly as in Quillon.
int run_qt_tests(int argc, char **argv);
