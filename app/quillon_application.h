#pragma once

#include <QApplication>

// The application object. Failures that handlers let through are shown in its error box, and the
// program goes on.
class QuillonApplication : public QApplication {
public:
    QuillonApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Title, font substitutions and the look shared by every window. Called once after the
// application object exists.
void initialise_application_look();
