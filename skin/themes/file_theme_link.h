#pragma once

#include <QMetaObject>
#include <QPointer>

#include <functional>

class QObject;
class TsuiFileTheme;

// The file theme a control draws with. A theme object may be destroyed while controls still use
// it: the link then forgets it and calls the control back, which falls back to a built-in style.
// Reads like the theme pointer it holds.
class FileThemeLink {
public:
    FileThemeLink() = default;
    FileThemeLink(const FileThemeLink &) = delete;
    FileThemeLink &operator=(const FileThemeLink &) = delete;
    ~FileThemeLink();

    // From now on follows theme (nullptr: none) instead of the one before. forgotten runs in the
    // control's context once theme is destroyed, and never after the control is gone.
    void follow(TsuiFileTheme *theme, QObject *control, std::function<void()> forgotten);

    TsuiFileTheme *get() const { return theme_.data(); }
    operator TsuiFileTheme *() const { return get(); }
    TsuiFileTheme *operator->() const { return get(); }

private:
    QPointer<TsuiFileTheme> theme_;
    QMetaObject::Connection watch_;
};
