#include "app/application_end.h"
#include "app/font_config_warm_up.h"
#include "app/quillon_application.h"
#include "forms/application_windows.h"

#include <csignal>

int main(int argc, char *argv[])
{
    // A parent that ignores SIGCHLD passes that on to us, and then the system reaps avrdude
    // before we can take its exit code.
    std::signal(SIGCHLD, SIG_DFL);

    FontConfigWarmUp font_config;
    QuillonApplication application(argc, argv);
    install_application_end();
    font_config.wait();
    initialise_application_look();

    ApplicationWindows windows(program_parameters(argc, argv));
    windows.showMain();
    return QuillonApplication::exec();
}
