#include "app/quillon_application.h"
#include "forms/application_windows.h"
#include "forms/main/main_form.h"

int main(int argc, char *argv[])
{
    QuillonApplication application(argc, argv);
    initialise_application_look();

    QStringList parameters = QCoreApplication::arguments();
    parameters.removeFirst();
    ApplicationWindows windows(parameters);
    windows.main().show();
    return QuillonApplication::exec();
}
