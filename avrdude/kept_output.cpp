#include "avrdude/kept_output.h"

#include <algorithm>
#include <cstring>

namespace {

bool is_break(char c) { return c == '\n' || c == '\r'; }

qsizetype count_breaks(QByteArrayView text) { return std::count_if(text.begin(), text.end(), is_break); }

} // namespace

KeptOutput::KeptOutput(Bound head, Bound tail)
    : head_bound_(head)
    , tail_bound_(tail)
{
}

QByteArrayView KeptOutput::take(QByteArrayView chunk)
{
    if (head_full_) {
        hold(chunk);
        return {};
    }
    const qsizetype room = head_bound_.bytes - head_bytes_;
    qsizetype cut = -1;
    for (qsizetype i = 0; i < chunk.size() && cut < 0; ++i) {
        if (i == room)
            cut = i;
        else if (is_break(chunk[i]) && ++head_breaks_ == head_bound_.line_breaks)
            cut = i + 1;
    }
    if (cut < 0) {
        head_bytes_ += chunk.size();
        return chunk;
    }
    head_full_ = true;
    head_bytes_ += cut;
    hold(chunk.sliced(cut));
    return chunk.first(cut);
}

void KeptOutput::hold(QByteArrayView part)
{
    if (part.isEmpty())
        return;
    after_head_bytes_ += part.size();
    after_head_breaks_ += count_breaks(part);
    if (ring_.isEmpty())
        ring_.resize(tail_bound_.bytes);
    const qsizetype size = ring_.size();
    if (part.size() >= size) {
        std::memcpy(ring_.data(), part.data() + part.size() - size, static_cast<std::size_t>(size));
        ring_end_ = 0;
        return;
    }
    const qsizetype first = std::min(part.size(), size - ring_end_);
    std::memcpy(ring_.data() + ring_end_, part.data(), static_cast<std::size_t>(first));
    std::memcpy(ring_.data(), part.data() + first, static_cast<std::size_t>(part.size() - first));
    ring_end_ = (ring_end_ + part.size()) % size;
}

KeptOutput::Rest KeptOutput::rest() const
{
    Rest rest;
    if (after_head_bytes_ == 0)
        return rest;
    const bool wrapped = after_head_bytes_ > ring_.size();
    const QByteArray tail = wrapped ? ring_.sliced(ring_end_) + ring_.first(ring_end_) : ring_.first(after_head_bytes_);
    qsizetype start = 0;
    if (wrapped) {
        // The ring's oldest byte is somewhere in a line: the tail begins with the next whole one.
        const auto found = std::find_if(tail.begin(), tail.end(), is_break);
        if (found != tail.end() && found + 1 != tail.end()) {
            start = found - tail.begin() + 1;
            if (*found == '\r' && tail[start] == '\n' && start + 1 < tail.size())
                ++start;
        }
    }
    // No more lines than the bound, counted back from the end; a break at the very end ends the
    // last line and starts none.
    qsizetype breaks = 0;
    for (qsizetype i = tail.size() - 2; i >= start; --i) {
        if (is_break(tail[i]) && ++breaks == tail_bound_.line_breaks) {
            start = i + 1;
            break;
        }
    }
    rest.tail = tail.sliced(start);
    rest.left_out_bytes = after_head_bytes_ - rest.tail.size();
    rest.left_out_line_breaks = after_head_breaks_ - count_breaks(rest.tail);
    return rest;
}
