#pragma once

#include "avrdude/console_text.h"
#include "avrdude/kept_output.h"
#include "avrdude/process_runner.h"
#include "avrdude/progress_parser.h"
#include "forms/live_run/live_view.h"
#include "skin/edit/memo_section.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

class ProgressStrip;
class TsuiMemo;

// Builds a run's report in its log while the child writes. Each stream's lines go into the section
// the report shows them in (the output section above the error section) as they arrive, and the
// return-code line goes on top once the child has ended: the log shows every line within a
// refresh of its arrival, and afterwards it holds the report, built once. Chunks come from the
// runner's thread; the user-interface thread takes them in steps short enough that the windows
// keep answering however much the child writes, and memory holds the report and what is still to
// be taken. While the child is silent, the user-interface thread sleeps.
class LiveReport : public QObject {
    Q_OBJECT

public:
    static constexpr int RefreshMs = 40;
    // The longest the user-interface thread works on the output at a time.
    static constexpr int StepMs = 25;

    explicit LiveReport(const LiveView &view);

    // Runner's thread: the next chunk of a stream, and the end of both. A child that writes
    // faster than its lines can be shown waits here, so what is not yet taken stays bounded. Past
    // a stream's head, only its last part is kept, and shown when the run is complete.
    void post(OutputStream stream, const char *data, std::size_t size);
    void postEnd();
    // User-interface thread: lets the runner's thread post without waiting from now on, when no
    // more steps will take what it posts.
    void stopWaiting();

    // User-interface thread, after the run: takes what is left and finishes the report, or
    // writes the failure lines when the child did not start.
    void complete(const RunResult &result, const QStringList &failure_lines);

signals:
    // Everything posted before postEnd is in the log.
    void allShown();

private:
    struct Stream {
        OutputStream which;
        ConsoleLines lines;
        std::optional<MemoSection> section;
        KeptOutput kept; // the runner's thread's while the child runs
    };
    struct Chunk {
        OutputStream stream;
        QByteArray bytes;
        qsizetype taken = 0;
    };

    void armRefresh();
    void step();
    bool takeNextChunk();
    Stream &stream(OutputStream which) { return which == OutputStream::Output ? output_ : errors_; }
    void appendLines(Stream &stream, const QStringList &lines);
    void showUnfinished(Stream &stream);

    QPointer<TsuiMemo> log_;
    QPointer<ProgressStrip> progress_;
    QTimer refresh_;
    QTimer catch_up_;
    std::mutex mutex_;
    std::condition_variable taken_;
    std::deque<Chunk> pending_;
    qsizetype pending_bytes_ = 0;
    bool ended_ = false;
    bool waiting_stopped_ = false;
    std::atomic<bool> step_requested_{false};
    std::atomic<bool> refresh_armed_{false};
    bool all_shown_ = false;
    Stream output_{OutputStream::Output, {}, {}};
    Stream errors_{OutputStream::Errors, {}, {}};
    Stream *last_written_ = nullptr;
    AvrdudeProgressParser progress_parser_;
};
