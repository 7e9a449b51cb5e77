// Oversized and malformed input driven through the real windows, each case with the longest
// time the event loop went without answering while it was handled. The test checks the outcome
// and a generous bound; the benchmark prints the figures.
#pragma once

#include <QString>

#include <functional>
#include <vector>

class ApplicationWindows;

struct HostileCase {
    const char *name;
    // Prepares files and the windows, then acts as the user does.
    std::function<void(ApplicationWindows &)> act;
    // What the user must see afterwards; empty when all is well, else what is wrong.
    std::function<QString(ApplicationWindows &)> check;
    // Where memory matters: the most the case may add to the resident memory at its peak.
    double peak_bound_mib = 0;
};

std::vector<HostileCase> hostile_cases();

struct CaseFigures {
    double longest_gap_ms = 0; // longest time the event loop did not answer
    double total_ms = 0;
    double peak_growth_mib = 0; // resident memory at the peak, above where the case began
    QString failure; // from the case's check
};

// Runs one case with a timer that should fire every few milliseconds, measuring the gaps.
CaseFigures run_hostile_case(ApplicationWindows &windows, const HostileCase &hostile);
