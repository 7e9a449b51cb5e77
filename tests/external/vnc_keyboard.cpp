#include "tests/external/vnc_keyboard.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtEndian>

namespace {
constexpr int VersionLength = 12;
constexpr int ServerInitFixedLength = 24; // size, pixel format, name length
constexpr int RetryMs = 100;
constexpr int IoTimeoutMs = 5000;
constexpr char KeyEventType = 4;
} // namespace

bool VncKeyboard::readExactly(QByteArray &into, qint64 size, int timeout_ms)
{
    QDeadlineTimer deadline(timeout_ms);
    into.clear();
    while (into.size() < size) {
        if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            error_ = QStringLiteral("no answer from the server: ") + socket_.errorString();
            return false;
        }
        into += socket_.read(size - into.size());
    }
    return true;
}

bool VncKeyboard::connectTo(quint16 port, int timeout_ms)
{
    QDeadlineTimer deadline(timeout_ms);
    for (;;) {
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (socket_.waitForConnected(IoTimeoutMs))
            break;
        socket_.abort();
        if (deadline.hasExpired()) {
            error_ = QStringLiteral("cannot connect: ") + socket_.errorString();
            return false;
        }
        QThread::msleep(RetryMs);
    }

    // Version, the security type (none), shared session, then the server's description.
    QByteArray version;
    if (!readExactly(version, VersionLength, IoTimeoutMs))
        return false;
    if (!version.startsWith("RFB ")) {
        error_ = QStringLiteral("not a framebuffer server");
        return false;
    }
    socket_.write(version);
    QByteArray security;
    if (!readExactly(security, 4, IoTimeoutMs))
        return false;
    if (qFromBigEndian<quint32>(security.constData()) != 1) {
        error_ = QStringLiteral("the server asks for authentication");
        return false;
    }
    socket_.write(QByteArray(1, '\1'));
    QByteArray init;
    if (!readExactly(init, ServerInitFixedLength, IoTimeoutMs))
        return false;
    QByteArray name;
    return readExactly(name, qFromBigEndian<quint32>(init.constData() + 20), IoTimeoutMs);
}

bool VncKeyboard::sendKey(std::uint32_t keysym, bool down)
{
    char message[8] = {KeyEventType, down ? '\1' : '\0', 0, 0};
    qToBigEndian<quint32>(keysym, message + 4);
    socket_.write(message, sizeof message);
    if (!socket_.waitForBytesWritten(IoTimeoutMs) && socket_.bytesToWrite() > 0) {
        error_ = QStringLiteral("cannot send a key: ") + socket_.errorString();
        return false;
    }
    return true;
}

bool VncKeyboard::chord(std::uint32_t modifier_keysym, std::uint32_t keysym)
{
    return sendKey(modifier_keysym, true) && sendKey(keysym, true) && sendKey(keysym, false)
           && sendKey(modifier_keysym, false);
}
