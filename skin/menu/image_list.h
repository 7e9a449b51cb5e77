#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>

class QPainter;

// A list of equally sized pictures that menus draw beside their items. A picture added with a
// mask colour is drawn with that colour left out.
class TImageList : public QObject {
    Q_OBJECT

public:
    explicit TImageList(QObject *parent = nullptr);

    int Count() const { return static_cast<int>(images_.size()); }
    // Adds the picture with maskColor as its transparent colour; returns its index.
    int AddMasked(const QImage &image, const QColor &maskColor);
    const QImage &image(int index) const { return images_.at(index); }
    // A disabled picture is drawn greyed.
    void Draw(QPainter &painter, int x, int y, int index, bool enabled) const;

private:
    QList<QImage> images_;
    QList<QColor> masks_;
};

// The check-mark list every skinned menu draws checked items from: the look's check mark with
// white as its transparent colour. Shared by all popup menus of the process.
TImageList *shared_check_mark_images();
// A fresh list holding only the check mark, for a menu that owns its own.
TImageList *make_check_mark_images(QObject *owner);
