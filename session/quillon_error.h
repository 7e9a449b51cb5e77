#pragma once

#include <QString>

#include <stdexcept>

// A failure that a handler does not catch. It travels up to the application's error box, which
// shows its message; the messages are the ones the runtime gives users in German.
class QuillonError : public std::runtime_error {
public:
    explicit QuillonError(const QString &message);
    QString message() const { return message_; }

    static QuillonError cannot_open(const QString &file_name);
    static QuillonError cannot_create(const QString &file_name);
    static QuillonError list_index_beyond(int index);
    static QuillonError not_an_integer(const QString &text);
    // A file longer than its reader takes; nothing of it is used.
    static QuillonError too_large(const QString &file_name, qsizetype bound);

private:
    QString message_;
};
