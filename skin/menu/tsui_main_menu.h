#pragma once

#include "skin/themes/ui_style.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

// One entry of a menu: a caption with an "&" accelerator mark, or "-" for a separator.
class TsuiMenuItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)

public:
    explicit TsuiMenuItem(const QString &caption, QObject *parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isSeparator() const { return caption_ == QLatin1String("-"); }

    TsuiMenuItem *add(const QString &caption, std::function<void()> on_click = {});
    const std::vector<TsuiMenuItem *> &items() const { return items_; }

    // Runs the item's action, as a click on it does.
    void Click();

signals:
    void OnClick();
    void changed();

private:
    QString caption_;
    bool enabled_ = true;
    std::vector<TsuiMenuItem *> items_;
};

// A window's main menu: its top-level items become the buttons of the frame's menu bar.
class TsuiMainMenu : public QObject {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)

public:
    explicit TsuiMainMenu(QObject *parent = nullptr);

    TsuiMenuItem *add(const QString &caption);
    const std::vector<TsuiMenuItem *> &items() const { return items_; }

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);

signals:
    void changed();

private:
    std::vector<TsuiMenuItem *> items_;
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};
