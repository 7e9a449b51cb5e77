#include "tests/support/qt_test_run.h"

#include "app/quillon_application.h"

#include <gtest/gtest.h>

int run_qt_tests(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QuillonApplication application(argc, argv);
    initialise_application_look();
    return RUN_ALL_TESTS();
}
