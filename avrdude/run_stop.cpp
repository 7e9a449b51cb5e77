#include "avrdude/run_stop.h"

#include <fcntl.h>
#include <unistd.h>

RunStop::RunStop()
{
    // Close-on-exec: the children we start must not hold it.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        read_end_ = fds[0];
        write_end_ = fds[1];
    }
}

RunStop::~RunStop()
{
    if (read_end_ >= 0)
        ::close(read_end_);
    if (write_end_ >= 0)
        ::close(write_end_);
}

void RunStop::request()
{
    if (requested_.exchange(true) || write_end_ < 0)
        return;
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(write_end_, &wake, 1);
}
