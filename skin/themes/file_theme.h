#pragma once

#include "skin/themes/file_theme_mgr.h"
#include "skin/themes/theme_element.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>
#include <stdexcept>

// A look loaded from a theme file, assigned to controls through their FileTheme property
// (type TsuiFileTheme*). Controls read it only while their UIStyle is FromThemeFile.
class TsuiFileTheme : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ThemeFile READ ThemeFile WRITE SetThemeFile)

public:
    explicit TsuiFileTheme(QObject *owner = nullptr);

    QString ThemeFile() const { return m_themeFile; }

    // Loads the file (the path itself, else the file name beside the executable) and lets the
    // owning form's skinned controls that use this theme read their look again. A file that
    // does not exist is ignored; a file that is not a theme file throws TsuiInvalidThemeFile.
    void SetThemeFile(const QString &path);

    // True once a theme file has been loaded.
    bool CanUse() const { return m_usable; }

    // Missing elements leave *target unchanged; a null target is ignored.
    void GetBitmap(ThemeElement element, QImage *target) const;
    // Frame index (from 1) of count equal-width frames.
    void GetBitmapFrame(ThemeElement element, QImage *target, int index, int count) const;
    bool GetBool(ThemeElement element) const;          // false when missing or not a number
    std::int32_t GetColor(ThemeElement element) const; // -1 when missing or not a number
    std::int32_t GetInt(ThemeElement element) const;   // -1 when missing or not a number

private:
    QString ResolvePath(const QString &path) const;
    void ReapplyToOwnerForm(bool hadFileBefore);

    QString m_themeFile;
    TsuiFileThemeMgr m_mgr;
    bool m_usable = false;
};

class TsuiInvalidThemeFile : public std::runtime_error {
public:
    TsuiInvalidThemeFile();
};
