#pragma once

#include <QString>

// A test program's own view of the file system: it may mount a small tmpfs over its ProgramDir
// to fill it up, or make it read-only, and nobody else sees the mount. Entered once, before any
// thread exists, since unshare() refuses a process with threads.
bool enter_private_mount_namespace();
bool private_mounts_available();
// Why not, when not.
QString private_mounts_unavailable_reason();

// Mounts a tmpfs of the given size over the directory; false (with errno) on failure.
bool mount_small_tmpfs(const QString &directory, qint64 size_bytes);
bool remount_read_only(const QString &directory);
// Mounts the directory over itself, read-only: what is in it stays, nothing can be added, also
// for root.
bool bind_read_only(const QString &directory);
bool unmount(const QString &directory);
