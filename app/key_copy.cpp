#include "app/key_copy.h"

std::unique_ptr<QKeyEvent> copy_key_event(const QKeyEvent &event, bool auto_repeat)
{
    auto copy = std::make_unique<QKeyEvent>(event.type(), event.key(), event.modifiers(), event.nativeScanCode(),
                                            event.nativeVirtualKey(), event.nativeModifiers(), event.text(),
                                            auto_repeat, event.count(), event.device());
    copy->setTimestamp(event.timestamp());
    return copy;
}
