#pragma once

#include "skin/themes/file_theme.h"
#include "skin/themes/ui_style.h"

#include <QStringList>
#include <QWidget>

// A stand-in skinned control: publishes FileTheme and UIStyle like every skinned control and
// records the order in which they are assigned.
class TsuiThemeProbe : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE SetFileTheme)
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE SetUIStyle)

public:
    explicit TsuiThemeProbe(QWidget *parent, QStringList *log = nullptr)
        : QWidget(parent), m_log(log)
    {
    }

    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    void SetFileTheme(TsuiFileTheme *theme)
    {
        m_fileTheme = theme;
        Record("FileTheme");
    }

    TsuiUIStyle UIStyle() const { return m_style; }
    void SetUIStyle(TsuiUIStyle style)
    {
        m_style = style;
        Record("UIStyle");
    }

private:
    void Record(const char *what)
    {
        if (m_log)
            m_log->append(objectName() + ':' + what);
    }

    QStringList *m_log;
    TsuiFileTheme *m_fileTheme = nullptr;
    TsuiUIStyle m_style = TsuiUIStyle::DeepBlue;
};
