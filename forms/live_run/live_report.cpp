#include "forms/live_run/live_report.h"

#include "avrdude/run_report.h"
#include "forms/live_run/progress_strip.h"
#include "skin/edit/long_lines.h"
#include "skin/edit/tsui_memo.h"

#include <QElapsedTimer>
#include <QTextCursor>

namespace {

// Small chunks of one stream go together.
constexpr qsizetype JoinedChunkBytes = 64 * 1024;
// What a step takes of a chunk at a time; its lines are held twice while they go in.
constexpr qsizetype SliceBytes = 256 * 1024;
// What may wait to be taken before the runner's thread waits: a few of its reads.
constexpr qsizetype MaxPendingBytes = 4 << 20;

} // namespace

LiveReport::LiveReport(const LiveView &view)
    : log_(view.log)
    , progress_(view.progress)
{
    // Armed by the bytes that need showing: a child that prints nothing costs the windows nothing.
    refresh_.setSingleShot(true);
    refresh_.setInterval(RefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &LiveReport::step);
    // More is waiting after a step: the next one comes once the event loop has had its turn.
    catch_up_.setSingleShot(true);
    catch_up_.setInterval(0);
    connect(&catch_up_, &QTimer::timeout, this, &LiveReport::step);
    if (progress_)
        progress_->setPercent(0);
}

void LiveReport::post(OutputStream which, const char *data, std::size_t size)
{
    const QByteArrayView head = stream(which).kept.take(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (head.isEmpty())
        return;
    std::unique_lock lock(mutex_);
    if (pending_bytes_ >= MaxPendingBytes && !step_requested_.exchange(true)) {
        // No need to wait for the next refresh: there is a lot to take.
        QMetaObject::invokeMethod(this, &LiveReport::step, Qt::QueuedConnection);
    }
    taken_.wait(lock, [this] { return pending_bytes_ < MaxPendingBytes || waiting_stopped_; });
    if (!pending_.empty() && pending_.back().stream == which && pending_.back().bytes.size() < JoinedChunkBytes)
        pending_.back().bytes.append(head);
    else
        pending_.push_back({which, head.toByteArray()});
    pending_bytes_ += head.size();
    if (!refresh_armed_.exchange(true))
        QMetaObject::invokeMethod(this, &LiveReport::armRefresh, Qt::QueuedConnection);
}

void LiveReport::armRefresh()
{
    if (!all_shown_ && !refresh_.isActive())
        refresh_.start();
}

void LiveReport::stopWaiting()
{
    {
        const std::lock_guard lock(mutex_);
        waiting_stopped_ = true;
    }
    taken_.notify_all();
}

void LiveReport::postEnd()
{
    {
        const std::lock_guard lock(mutex_);
        ended_ = true;
    }
    QMetaObject::invokeMethod(this, &LiveReport::step, Qt::QueuedConnection);
}

bool LiveReport::takeNextChunk()
{
    OutputStream which;
    QByteArray slice;
    {
        const std::lock_guard lock(mutex_);
        if (pending_.empty())
            return false;
        Chunk &front = pending_.front();
        which = front.stream;
        const qsizetype size = std::min(SliceBytes, front.bytes.size() - front.taken);
        slice = front.taken == 0 && size == front.bytes.size() ? front.bytes : front.bytes.sliced(front.taken, size);
        front.taken += size;
        if (front.taken == front.bytes.size())
            pending_.pop_front();
        pending_bytes_ -= size;
    }
    taken_.notify_one();
    Stream &target = stream(which);
    QStringList lines;
    target.lines.feed(slice, lines);
    appendLines(target, lines);
    if (which == OutputStream::Errors && progress_parser_.feed(slice) && progress_) {
        progress_->setPercent(progress_parser_.percent());
        progress_->show();
    }
    last_written_ = &target;
    return true;
}

void LiveReport::appendLines(Stream &target, const QStringList &lines)
{
    if (!log_)
        return;
    if (!target.section) {
        // The output section comes first, also when the errors began before it.
        const bool first = target.which == OutputStream::Output && errors_.section;
        target.section.emplace(*log_, first ? MemoSection::Place::Top : MemoSection::Place::End,
                               target.which == OutputStream::Output ? OutputHeading : ErrorsHeading);
    }
    target.section->appendLines(lines);
}

void LiveReport::showUnfinished(Stream &target)
{
    if (!target.section)
        return;
    bool more = false;
    const QString head = target.lines.unfinished(ShownLineLimit, &more);
    target.section->showUnfinished(head, more);
}

void LiveReport::step()
{
    step_requested_ = false;
    // Bytes posted from here on arm the next refresh; those posted before are taken now.
    refresh_armed_ = false;
    if (all_shown_)
        return;
    QElapsedTimer clock;
    clock.start();
    // The view lays out its last lines anew after each change: one change per step.
    std::optional<QTextCursor> change;
    if (log_) {
        change.emplace(log_->document());
        change->beginEditBlock();
    }
    bool taken = false;
    while (clock.elapsed() < StepMs && takeNextChunk())
        taken = true;
    if (taken) {
        showUnfinished(output_);
        showUnfinished(errors_);
    }
    if (change)
        change->endEditBlock();
    if (taken && last_written_ && last_written_->section)
        last_written_->section->follow();
    bool more, ended;
    {
        const std::lock_guard lock(mutex_);
        more = !pending_.empty();
        ended = ended_;
    }
    if (more) {
        catch_up_.start();
    } else if (ended) {
        all_shown_ = true;
        refresh_.stop();
        emit allShown();
    }
}

void LiveReport::complete(const RunResult &result, const QStringList &failure_lines)
{
    refresh_.stop();
    catch_up_.stop();
    while (takeNextChunk()) {
    }
    if (progress_)
        progress_->hide();
    if (!log_)
        return;
    if (!result.started) {
        log_->appendLines(start_failure_lines(result, failure_lines));
        return;
    }
    for (Stream *target : {&output_, &errors_}) {
        if (!target->section)
            continue;
        QStringList lines;
        const KeptOutput::Rest rest = target->kept.rest();
        if (rest.left_out_bytes == 0) {
            target->lines.feed(rest.tail, lines);
        } else {
            // The last part begins a text of its own, after the note of what is missing.
            target->lines.finish(lines);
            lines << left_out_line(rest.left_out_bytes, rest.left_out_line_breaks);
            target->lines = ConsoleLines();
            target->lines.feed(rest.tail, lines);
        }
        target->lines.finish(lines);
        appendLines(*target, lines);
        target->section->showUnfinished({}, false);
    }
    MemoSection top(*log_, MemoSection::Place::Top, return_code_line(result));
    // The report is read from its first line, the return code.
    log_->moveCursor(QTextCursor::Start);
}
