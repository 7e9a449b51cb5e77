#pragma once

#include <pthread.h>

// What a thread of this process has done so far, read from another thread while it runs (Linux):
// how often it has gone to sleep to be woken again, and the processor time it has used.
struct ThreadActivity {
    long wake_ups = -1;  // -1 where the kernel does not tell
    double cpu_ms = -1;
};

// The calling thread's handle for thread_activity.
struct ThreadHandle {
    pthread_t thread;
    int id;  // the kernel's thread id
};
ThreadHandle current_thread();

ThreadActivity thread_activity(const ThreadHandle &thread);
