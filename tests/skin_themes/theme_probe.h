#pragma once

#include "skin/themes/control_look.h"
#include "skin/themes/file_theme.h"

#include <QStringList>
#include <QWidget>

// A stand-in skinned control: carries a look like every skinned control and records the order in
// which its file theme and style reach it.
class TsuiThemeProbe : public QWidget, public ControlLook {
    Q_OBJECT

public:
    explicit TsuiThemeProbe(QWidget *parent, QStringList *log = nullptr)
        : QWidget(parent), ControlLook(this), m_log(log)
    {
    }

protected:
    void ApplyLook() override { Record("UIStyle"); }
    void FileThemeChanged() override { Record("FileTheme"); }

private:
    void Record(const char *what)
    {
        if (m_log)
            m_log->append(objectName() + ':' + what);
    }

    QStringList *m_log;
};
