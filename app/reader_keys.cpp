#include "app/reader_keys.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QWindow>

#include <array>

namespace {

// The name Qt's bridge gives its connection to the accessibility bus.
const QString BusName = QStringLiteral("a11y");
// The bridge's own wait for the reader: a reader that never answers costs each key this much.
constexpr int AnswerTimeoutMs = 100;

// The reader's modifier bits, and its event types.
constexpr int ShiftBit = 1 << 0;
constexpr int ShiftLockBit = 1 << 1;
constexpr int ControlBit = 1 << 2;
constexpr int AltBit = 1 << 3;
constexpr int MetaBit = 1 << 4;
constexpr quint32 XLockMask = 1 << 1;
constexpr uint PressType = 0;
constexpr uint ReleaseType = 1;

struct KeyName {
    Qt::Key key;
    const char *name;
    // The name on the keypad, where the key has one there.
    const char *keypad;
};

// Readers bind their commands to the window system's key names; printable keys go by their text.
constexpr std::array<KeyName, 22> KeyNames{{
    {Qt::Key_Tab, "Tab", nullptr},
    {Qt::Key_Backtab, "ISO_Left_Tab", nullptr},
    {Qt::Key_Return, "Return", nullptr},
    {Qt::Key_Enter, "KP_Enter", "KP_Enter"},
    {Qt::Key_Escape, "Escape", nullptr},
    {Qt::Key_Backspace, "BackSpace", nullptr},
    {Qt::Key_Delete, "Delete", "KP_Delete"},
    {Qt::Key_Insert, "Insert", "KP_Insert"},
    {Qt::Key_Space, "space", nullptr},
    {Qt::Key_Left, "Left", "KP_Left"},
    {Qt::Key_Right, "Right", "KP_Right"},
    {Qt::Key_Up, "Up", "KP_Up"},
    {Qt::Key_Down, "Down", "KP_Down"},
    {Qt::Key_Home, "Home", "KP_Home"},
    {Qt::Key_End, "End", "KP_End"},
    {Qt::Key_PageUp, "Page_Up", "KP_Page_Up"},
    {Qt::Key_PageDown, "Page_Down", "KP_Page_Down"},
    {Qt::Key_Clear, "Clear", "KP_Begin"},
    {Qt::Key_Control, "Control_L", nullptr},
    {Qt::Key_Alt, "Alt_L", nullptr},
    {Qt::Key_Shift, "Shift_L", nullptr},
    {Qt::Key_CapsLock, "Caps_Lock", nullptr},
}};

QString key_name(const QKeyEvent &key)
{
    const bool keypad = key.modifiers() & Qt::KeypadModifier;
    for (const KeyName &named : KeyNames) {
        if (named.key == key.key())
            return QString::fromLatin1(keypad && named.keypad ? named.keypad : named.name);
    }
    if (key.key() >= Qt::Key_F1 && key.key() <= Qt::Key_F12)
        return QStringLiteral("F%1").arg(key.key() - Qt::Key_F1 + 1);
    return key.text();
}

int reader_modifiers(const QKeyEvent &key)
{
    // A modifier key's own press does not count itself held.
    const auto held = [&key](Qt::KeyboardModifier modifier, Qt::Key own) {
        return (key.modifiers() & modifier) && key.key() != own;
    };
    int bits = 0;
    bits |= held(Qt::ShiftModifier, Qt::Key_Shift) ? ShiftBit : 0;
    bits |= (key.nativeModifiers() & XLockMask) ? ShiftLockBit : 0;
    bits |= held(Qt::ControlModifier, Qt::Key_Control) ? ControlBit : 0;
    bits |= held(Qt::AltModifier, Qt::Key_Alt) ? AltBit : 0;
    bits |= held(Qt::MetaModifier, Qt::Key_Meta) ? MetaBit : 0;
    return bits;
}

QDBusMessage listeners_call(const QKeyEvent &key)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry/deviceeventcontroller"),
        QStringLiteral("org.a11y.atspi.DeviceEventController"), QStringLiteral("NotifyListenersSync"));
    const QString name = key_name(key);
    QDBusArgument event;
    event.beginStructure();
    event << (key.type() == QEvent::KeyPress ? PressType : ReleaseType) << static_cast<int>(key.nativeVirtualKey())
          << static_cast<int>(key.nativeScanCode()) << reader_modifiers(key) << static_cast<int>(key.timestamp())
          << name << !name.isEmpty();
    event.endStructure();
    call << QVariant::fromValue(event);
    return call;
}

} // namespace

bool is_key_for_reader(const QObject *receiver, const QEvent *event)
{
    const QEvent::Type type = event->type();
    return (type == QEvent::KeyPress || type == QEvent::KeyRelease) && event->spontaneous() &&
           receiver->isWindowType() && QAccessible::isActive() && QDBusConnection(BusName).isConnected();
}

bool kept_by_reader(const QKeyEvent &key)
{
    // The wait goes on answering the reader, which may ask about the focused control before it
    // decides; keys and clicks that come meanwhile wait in their order.
    const QDBusMessage answer = QDBusConnection(BusName).call(listeners_call(key), QDBus::BlockWithGui, AnswerTimeoutMs);
    return answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
           answer.arguments().constFirst().toBool();
}
