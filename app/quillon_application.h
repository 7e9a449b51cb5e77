#pragma once

#include "app/held_keys.h"

#include <QApplication>
#include <QStringList>

// The application object. Failures that handlers let through are shown in its error box, and the
// program goes on.
class QuillonApplication : public QApplication {
public:
    // Qt is given the program's name only: every parameter on the command line is Quillon's, also
    // one that looks like Qt's own "-platform" or "-style" (Qt's environment variables still work).
    QuillonApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

private:
    HeldKeys held_keys_;
};

// The positional parameters after the program's name, each byte kept (see native_text).
QStringList program_parameters(int argc, char **argv);

// Title, font substitutions and the look shared by every window. Called once after the
// application object exists.
void initialise_application_look();
