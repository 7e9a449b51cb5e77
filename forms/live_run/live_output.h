#pragma once

#include "avrdude/console_text.h"
#include "avrdude/process_runner.h"
#include "avrdude/progress_parser.h"
#include "forms/live_run/live_view.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <mutex>

class ProgressStrip;
class TsuiMemo;

// Carries a running child's output from the runner's thread to the live view: chunks are
// collected under a lock and shown on the user-interface thread a few times a second, so a
// chatty child cannot flood the event queue.
class LiveOutput : public QObject {
    Q_OBJECT

public:
    static constexpr int RefreshMs = 40;

    explicit LiveOutput(const LiveView &view);

    // Runner's thread.
    void post(OutputStream stream, const char *data, std::size_t size);
    // User-interface thread, after the run: shows nothing more and leaves the log empty.
    void finish();

private:
    void flush();

    QPointer<TsuiMemo> log_;
    QPointer<ProgressStrip> progress_;
    QTimer timer_;
    std::mutex mutex_;
    QByteArray pending_output_;
    QByteArray pending_errors_;
    // Arrival order of the pending bytes: each entry is a stream and a byte count.
    std::vector<std::pair<OutputStream, qsizetype>> order_;
    ConsoleStreamDecoder output_decoder_;
    ConsoleStreamDecoder errors_decoder_;
    AvrdudeProgressParser progress_parser_;
};
