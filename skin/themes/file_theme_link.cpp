#include "skin/themes/file_theme_link.h"

#include "skin/themes/file_theme.h"

#include <utility>

FileThemeLink::~FileThemeLink() { QObject::disconnect(watch_); }

void FileThemeLink::follow(TsuiFileTheme *theme, QObject *control, std::function<void()> forgotten)
{
    QObject::disconnect(watch_);
    theme_ = theme;
    if (theme) {
        watch_ = QObject::connect(theme, &QObject::destroyed, control, [this, forgotten = std::move(forgotten)] {
            theme_ = nullptr;
            forgotten();
        });
    }
}
