#pragma once

#include <QString>
#include <QTcpSocket>

#include <cstdint>

// A minimal keyboard-only client of the remote-framebuffer protocol, for driving a Quillon
// started on Qt's vnc platform: the key presses reach it through its platform's own input path,
// exactly as a user's would. Every wait is bounded.
class VncKeyboard {
public:
    // Connects and completes the handshake; retries until the server listens or the time is up.
    bool connectTo(quint16 port, int timeout_ms);
    QString error() const { return error_; }

    // Presses and releases a key while holding a modifier, e.g. Alt+P.
    bool chord(std::uint32_t modifier_keysym, std::uint32_t keysym);

    static constexpr std::uint32_t AltL = 0xFFE9;

private:
    bool readExactly(QByteArray &into, qint64 size, int timeout_ms);
    bool sendKey(std::uint32_t keysym, bool down);

    QTcpSocket socket_;
    QString error_;
};
