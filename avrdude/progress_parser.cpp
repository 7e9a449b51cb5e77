#include "avrdude/progress_parser.h"

#include <algorithm>

namespace {
constexpr int PercentPerHash = 2;
const QByteArray Reading = QByteArrayLiteral("Reading | ");
const QByteArray Writing = QByteArrayLiteral("Writing | ");
} // namespace

bool AvrdudeProgressParser::feed(const QByteArray &chunk)
{
    const int before = percent_;
    for (const char c : chunk) {
        tail_.append(c);
        if (tail_.size() > Reading.size())
            tail_.remove(0, tail_.size() - Reading.size());
        if (tail_ == Reading || tail_ == Writing) {
            counting_ = true;
            hashes_ = 0;
            percent_ = 0;
            continue;
        }
        if (!counting_)
            continue;
        if (c == '#') {
            ++hashes_;
            percent_ = std::min(100, hashes_ * PercentPerHash);
        } else {
            counting_ = false;
        }
    }
    return percent_ != before;
}
