#pragma once

#include <QImage>
#include <QMetaType>
#include <QObject>

#include <vector>

class TsuiTitleBar;
class TsuiTitleBarSections;

enum class TsuiTitleBarAlign { suiLeft = 0, suiRight = 1, suiClient = 2 };
Q_DECLARE_METATYPE(TsuiTitleBarAlign)

// One picture of a title bar's background. The title bar draws its sections by position (the
// first at the left, the second at the right, the third stretched between them); alignment,
// width and stretching are kept for the stored description.
class TsuiTitleBarSection : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(TsuiTitleBarAlign Align READ align WRITE setAlign)
    Q_PROPERTY(QImage Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)

public:
    static constexpr int DefaultWidth = 10;

    explicit TsuiTitleBarSection(TsuiTitleBarSections *collection);

    bool autoSize() const { return auto_size_; }
    void setAutoSize(bool on);
    int width() const { return width_; }
    void setWidth(int width);
    TsuiTitleBarAlign align() const { return align_; }
    // Only one section may fill the middle; a second one is refused with an error box.
    void setAlign(TsuiTitleBarAlign align);
    QImage picture() const { return picture_; }
    void setPicture(const QImage &picture);
    bool stretch() const { return stretch_ || align_ == TsuiTitleBarAlign::suiClient; }
    void setStretch(bool on);

    void copyFrom(const TsuiTitleBarSection &other);

private:
    void changed();

    TsuiTitleBarSections *collection_;
    bool auto_size_ = false;
    int width_ = DefaultWidth;
    TsuiTitleBarAlign align_ = TsuiTitleBarAlign::suiLeft;
    QImage picture_;
    bool stretch_ = false;
};

class TsuiTitleBarSections : public QObject {
    Q_OBJECT

public:
    explicit TsuiTitleBarSections(TsuiTitleBar *owner);

    TsuiTitleBarSection *Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TsuiTitleBarSection *Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    void Clear();
    void Assign(const TsuiTitleBarSections &other);
    TsuiTitleBar *owner() const { return owner_; }

signals:
    void changed();

private:
    TsuiTitleBar *owner_;
    std::vector<TsuiTitleBarSection *> items_;
};
