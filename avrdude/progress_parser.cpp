#include "avrdude/progress_parser.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int PercentPerHash = 2;
// Both headers have the bar's "|" at the same place. The error stream can be megabytes: a fast
// search finds each "|", and only the bytes around it get a closer look.
constexpr QByteArrayView Reading("Reading | ");
constexpr QByteArrayView Writing("Writing | ");
constexpr qsizetype HeaderSize = 10;
constexpr qsizetype BarAt = 8;
constexpr qsizetype Kept = HeaderSize - 1;

bool is_header(QByteArrayView bytes) { return bytes == Reading || bytes == Writing; }

} // namespace

void AvrdudeProgressParser::startBar()
{
    counting_ = true;
    hashes_ = 0;
    percent_ = 0;
}

void AvrdudeProgressParser::countHashes(const char *from, const char *to)
{
    if (!counting_)
        return;
    const char *end = std::find_if(from, to, [](char c) { return c != '#'; });
    hashes_ += static_cast<int>(end - from);
    if (end != from)
        percent_ = std::min(100, hashes_ * PercentPerHash);
    if (end != to)
        counting_ = false;
}

bool AvrdudeProgressParser::feed(QByteArrayView chunk)
{
    const int before = percent_;
    const char *data = chunk.data();
    const char *end = data + chunk.size();
    const char *next = data; // where hashes are counted from

    // A header that began in the bytes kept from before ends in this chunk's first bytes.
    QByteArray joint = tail_;
    joint.append(chunk.first(std::min(chunk.size(), Kept)));
    for (qsizetype at = 0; at < tail_.size() && at + HeaderSize <= joint.size(); ++at) {
        if (is_header(QByteArrayView(joint).sliced(at, HeaderSize))) {
            next = data + (at + HeaderSize - tail_.size());
            startBar();
        }
    }
    // Headers that lie in this chunk whole; one cut off at its end is found by the joint next time.
    for (const char *bar = next; bar < end; ++bar) {
        bar = static_cast<const char *>(std::memchr(bar, '|', static_cast<std::size_t>(end - bar)));
        if (!bar)
            break;
        const char *header = bar - BarAt;
        if (header < next || end - header < HeaderSize || !is_header(QByteArrayView(header, HeaderSize)))
            continue;
        countHashes(next, header);
        next = header + HeaderSize;
        startBar();
    }
    countHashes(next, end);

    if (chunk.size() >= Kept) {
        tail_ = chunk.last(Kept).toByteArray();
    } else {
        tail_.append(chunk);
        tail_ = tail_.right(Kept);
    }
    return percent_ != before;
}
