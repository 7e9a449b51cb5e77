#pragma once

#include <QApplication>

// The application object. Handlers let failures through; they end up here and are shown in the
// error box, and the program goes on.
class QuillonApplication : public QApplication {
public:
    QuillonApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Title, font substitutions and the look shared by every window. Called once after the
// application object exists.
void initialise_application_look();
