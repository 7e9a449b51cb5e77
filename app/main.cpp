#include "app/quillon_application.h"
#include "forms/application_windows.h"

#include <csignal>

int main(int argc, char *argv[])
{
    // A parent that ignores SIGCHLD passes that on to us, and then the system reaps avrdude
    // before we can take its exit code.
    std::signal(SIGCHLD, SIG_DFL);

    QuillonApplication application(argc, argv);
    initialise_application_look();

    ApplicationWindows windows(program_parameters(argc, argv));
    windows.showMain();
    return QuillonApplication::exec();
}
