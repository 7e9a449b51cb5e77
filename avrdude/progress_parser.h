#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Follows the progress bar avrdude writes to its error stream when that is not a terminal:
// "Reading | " or "Writing | ", then one "#" for every 2 %. Nothing else of its text is read.
class AvrdudeProgressParser {
public:
    // Takes the next chunk of the error stream; true when the percentage changed.
    bool feed(QByteArrayView chunk);
    // 0 to 100; -1 before any bar was seen.
    int percent() const { return percent_; }

private:
    void startBar();
    // Counts the hashes of a running bar from `from`; the first other byte ends the bar.
    void countHashes(const char *from, const char *to);

    QByteArray tail_; // the last bytes seen, to find a header split across chunks
    bool counting_ = false;
    int hashes_ = 0;
    int percent_ = -1;
};
