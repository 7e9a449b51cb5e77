#pragma once

#include <QKeyEvent>

#include <memory>

// A key event delivered anew by the program itself: all the window system told of it, its time
// and device included, as a repeat or not. Not marked as coming from the window system.
std::unique_ptr<QKeyEvent> copy_key_event(const QKeyEvent &event, bool auto_repeat);
