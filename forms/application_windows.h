#pragma once

#include "session/session.h"

#include <QStringList>

#include <memory>

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;

// The session and the six windows that show it, created hidden once, in this order, and kept for
// the life of the process; they are shown and hidden, never re-created.
class ApplicationWindows {
public:
    explicit ApplicationWindows(const QStringList &parameters);
    ~ApplicationWindows();

    // Shows the main window, which starts the program's work.
    void showMain();

    Session &session() { return session_; }
    TForm1 &main() { return *form1_; }
    TForm2 &info() { return *form2_; }
    TForm3 &fuses() { return *form3_; }
    TForm4 &options() { return *form4_; }
    TForm5 &external() { return *form5_; }
    TForm6 &driver() { return *form6_; }

private:
    Session session_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm6> form6_;
};
