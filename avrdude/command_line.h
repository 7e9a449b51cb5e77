#pragma once

#include <QString>

// A command line as one string, with the program it starts kept apart: the caller knows which
// program it means, so the runner never has to guess where a path with blanks ends.
struct CommandLine {
    QString program;   // the program's path exactly as the caller has it (quoted or not)
    QString arguments; // what follows it, split the Windows way

    QString text() const { return program + arguments; }
};
