// The main of every test program that needs Qt: the real application object, so that failures a
// handler lets through reach the application's error box exactly as in Quillon.
#include "app/quillon_application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QuillonApplication application(argc, argv);
    initialise_application_look();
    return RUN_ALL_TESTS();
}
