#pragma once

class QEvent;
class QKeyEvent;
class QObject;

// A screen reader sees every key before the program does and may keep one for itself (its own
// commands). Qt's accessibility bridge asks it without waiting, takes the key away and posts a
// copy once the answer comes, or as soon as one answer is late or fails, all copies it holds.
// Late answers so hand one key's verdict to another (a key lost, or kept by the reader), and a
// copy goes to the window the key was typed in even when another window has taken the keyboard
// meanwhile: lost behind a dialog, or typed as text where it was a menu's letter.
// Here the reader is asked while the key waits in its place, for as long as the bridge would
// wait, and the key then goes on at once, in order, to where it was going; the bridge, which only
// takes keys that come straight from the window system, never holds it (see copy_key_event).
// A key from the window system on its way to a window, with a reader's bus in use.
bool is_key_for_reader(const QObject *receiver, const QEvent *event);
// Whether the reader's key listeners keep the key. No answer in time, or an error, keeps none.
bool kept_by_reader(const QKeyEvent &key);
