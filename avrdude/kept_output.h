#pragma once

#include <QByteArray>
#include <QByteArrayView>

// What a run keeps of one output stream, however much the child writes: the stream's head as it
// comes, then only its last part, which is shown after the run behind a note of what was left
// out. avrdude says what it is doing at the start and why it stopped at the end; a child that
// writes without end (or a verbose run gone wild) must not take the machine's memory with it.
class KeptOutput {
public:
    // A part's size, in bytes and in line breaks (CR and LF each count), whichever is reached first.
    struct Bound {
        qsizetype bytes;
        qsizetype line_breaks;
    };
    static constexpr Bound Head{2 << 20, 20000};
    static constexpr Bound Tail{2 << 20, 20000};

    KeptOutput() : KeptOutput(Head, Tail) {}
    KeptOutput(Bound head, Bound tail);

    // Takes the next chunk and returns the part of it that belongs to the head, to be shown as it
    // comes; the rest is held for the end. The same parts whatever the chunks.
    QByteArrayView take(QByteArrayView chunk);

    // After the stream's end: what was left out between head and tail, and the tail, which begins
    // with a whole line where something was left out before it. All empty when the head took it all.
    struct Rest {
        qsizetype left_out_bytes = 0;
        qsizetype left_out_line_breaks = 0;
        QByteArray tail;
    };
    Rest rest() const;

private:
    void hold(QByteArrayView part);

    Bound head_bound_;
    Bound tail_bound_;
    qsizetype head_bytes_ = 0;
    qsizetype head_breaks_ = 0;
    bool head_full_ = false;
    // The last bytes after the head, in a ring that the next byte overwrites at ring_end_.
    QByteArray ring_;
    qsizetype ring_end_ = 0;
    qsizetype after_head_bytes_ = 0;
    qsizetype after_head_breaks_ = 0;
};
