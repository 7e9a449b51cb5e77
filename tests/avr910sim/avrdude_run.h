// Runs the real avrdude for a test and collects everything it prints.
#pragma once

#include <string>
#include <vector>

struct AvrdudeRun {
    int exitCode = -1;   // -1: killed by the watchdog or by a signal
    std::string output;  // stdout and stderr, interleaved as written
};

// args excludes the program name. avrdude is $QUILLON_AVRDUDE if set, else /usr/bin/avrdude.
// A watchdog kills it after timeoutSeconds: avrdude never gives up on a programmer that does not answer.
AvrdudeRun runAvrdude(const std::vector<std::string> &args, int timeoutSeconds = 60);
