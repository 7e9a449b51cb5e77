#include "forms/live_run/live_output.h"

#include "forms/live_run/progress_strip.h"
#include "skin/edit/tsui_memo.h"

#include <QTextCursor>

namespace {

// The live view shows line breaks as the report will: CR LF, CR and LF each end a line.
QString with_plain_line_breaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

LiveOutput::LiveOutput(const LiveView &view)
    : log_(view.log)
    , progress_(view.progress)
{
    timer_.setInterval(RefreshMs);
    connect(&timer_, &QTimer::timeout, this, &LiveOutput::flush);
    if (log_ || progress_)
        timer_.start();
    if (progress_)
        progress_->setPercent(0);
}

void LiveOutput::post(OutputStream stream, const char *data, std::size_t size)
{
    const std::lock_guard lock(mutex_);
    (stream == OutputStream::Output ? pending_output_ : pending_errors_).append(data, static_cast<qsizetype>(size));
    if (!order_.empty() && order_.back().first == stream)
        order_.back().second += static_cast<qsizetype>(size);
    else
        order_.emplace_back(stream, static_cast<qsizetype>(size));
}

void LiveOutput::flush()
{
    QByteArray output, errors;
    std::vector<std::pair<OutputStream, qsizetype>> order;
    {
        const std::lock_guard lock(mutex_);
        output.swap(pending_output_);
        errors.swap(pending_errors_);
        order.swap(order_);
    }
    if (order.empty())
        return;
    QString text;
    qsizetype output_at = 0, errors_at = 0;
    for (const auto &[stream, count] : order) {
        if (stream == OutputStream::Output) {
            text += output_decoder_.decode(output.mid(output_at, count));
            output_at += count;
        } else {
            const QByteArray piece = errors.mid(errors_at, count);
            errors_at += count;
            text += errors_decoder_.decode(piece);
            if (progress_parser_.feed(piece) && progress_) {
                progress_->setPercent(progress_parser_.percent());
                progress_->show();
            }
        }
    }
    if (log_) {
        log_->appendStreamText(with_plain_line_breaks(text));
        log_->moveCursor(QTextCursor::End);
    }
}

void LiveOutput::finish()
{
    flush();
    timer_.stop();
    if (log_)
        log_->clearLines();
    if (progress_)
        progress_->hide();
}
