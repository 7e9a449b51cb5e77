#pragma once

#include <QKeySequence>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// One entry of a menu tree: a caption with an "&" accelerator mark, or "-" for a separator.
// Items are measured and drawn by the handlers their menu attaches to them, so an item added
// later, anywhere in the tree, looks like its siblings as soon as its menu has seen it.
class TsuiMenuItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(bool Checked READ checked WRITE setChecked)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(int ImageIndex READ imageIndex WRITE setImageIndex)
    Q_PROPERTY(QKeySequence ShortCut READ shortCut WRITE setShortCut)

public:
    using MeasureHandler = std::function<void(TsuiMenuItem *item, QPainter &canvas, int &width, int &height)>;
    using DrawHandler = std::function<void(TsuiMenuItem *item, QPainter &canvas, const QRect &rect, bool selected)>;

    explicit TsuiMenuItem(const QString &caption, QObject *parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool isDefault() const { return default_; }
    void setDefault(bool on);
    int imageIndex() const { return image_index_; }
    void setImageIndex(int index);
    QKeySequence shortCut() const { return shortcut_; }
    void setShortCut(const QKeySequence &shortcut);
    // The shortcut as the menu shows it, for example "Ctrl+O"; empty without one.
    QString shortCutText() const;

    bool isSeparator() const { return caption_ == QLatin1String("-"); }
    // The character after a single "&" in the caption, lower-cased; a null character without one.
    QChar accelerator() const;

    // Appends a child item; the menu that owns the tree attaches its handlers to it.
    TsuiMenuItem *add(const QString &caption, std::function<void()> on_click = {});
    const std::vector<TsuiMenuItem *> &items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    TsuiMenuItem *parentItem() const { return qobject_cast<TsuiMenuItem *>(parent()); }

    // Runs the item's action, as a click on it does; disabled items and separators do nothing.
    void Click();

    MeasureHandler OnMeasureItem;
    DrawHandler OnDrawItem;

signals:
    void OnClick();
    // The item or anything below it changed its caption, state or children.
    void changed();
    // An item was added somewhere below this one.
    void inserted(TsuiMenuItem *item);

protected:
    void adopt(TsuiMenuItem *child);

private:
    QString caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool default_ = false;
    int image_index_ = -1;
    QKeySequence shortcut_;
    std::vector<TsuiMenuItem *> items_;
};

// The accelerator a caption marks with a single "&" ("&&" is a literal "&"), lower-cased.
QChar caption_accelerator(const QString &caption);
