#pragma once

#include <QList>
#include <QStringList>

#include <sys/types.h>

// What this process holds at one moment, to show that a stretch of work left nothing behind.
struct ProcessCensus {
    int open_descriptors = 0;
    int threads = 0;
    // What the descriptors point at and what the threads are called, to tell a leak's source.
    QStringList descriptor_targets;
    QStringList thread_names;
    // Processes whose parent is this one: running or unreaped children, and, because the stress
    // program is a subreaper, orphaned grandchildren too.
    QList<pid_t> children;
};

ProcessCensus take_census();

// Reaps children that have ended, waiting at most timeout_ms for all of them to end. Returns
// how many were reaped; those still running are left alone.
int reap_ended_children(int timeout_ms);

// True while any process belongs to the process group.
bool process_group_alive(pid_t group);
