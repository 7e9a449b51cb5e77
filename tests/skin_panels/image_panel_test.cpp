#include "skin/layout/align.h"
#include "skin/panel/tsui_image_panel.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// 2 x 2 picture with four distinct colours; the bottom-left one is blue.
QImage four_colours()
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, Qt::red);
    picture.setPixelColor(1, 0, Qt::green);
    picture.setPixelColor(0, 1, Qt::blue);
    picture.setPixelColor(1, 1, Qt::yellow);
    return picture;
}

} // namespace

TEST(ImagePanel, DrawsItsPicturePlacedStretchedOrTiled)
{
    QWidget surface;
    surface.setProperty("Color", QColor(Qt::white));
    TsuiImagePanel panel(&surface);
    panel.resize(5, 4);
    panel.setColor(Qt::gray);
    panel.setPicture(four_colours());

    QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(2, 0), QColor(Qt::gray)); // outside the picture: the colour

    panel.setDrawStyle(TsuiDrawStyle::suiTile);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(4, 2), QColor(Qt::red));

    panel.resize(4, 4);
    panel.setDrawStyle(TsuiDrawStyle::suiStretch);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(3, 0), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(0, 3), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::yellow));

    // Transparent: the bottom-left colour is left out and the parent shows through.
    panel.setDrawStyle(TsuiDrawStyle::suiNormal);
    panel.setTransparent(true);
    surface.resize(20, 20);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(0, 1), QColor(Qt::blue));
    EXPECT_NE(image.pixelColor(3, 3), QColor(Qt::gray));
}

TEST(ImagePanel, AutoSizeFollowsThePictureExceptAlongItsAlignment)
{
    QWidget surface;
    TsuiImagePanel panel(&surface);
    panel.resize(50, 60);
    panel.setAutoSize(true);
    panel.setPicture(QImage(30, 20, QImage::Format_RGB32));
    EXPECT_EQ(panel.size(), QSize(30, 20));

    panel.resize(50, 60);
    set_align(&panel, TAlign::alTop);
    panel.setPicture(QImage(30, 20, QImage::Format_RGB32));
    EXPECT_EQ(panel.size(), QSize(50, 20));

    set_align(&panel, TAlign::alLeft);
    panel.setPicture(QImage(30, 10, QImage::Format_RGB32));
    EXPECT_EQ(panel.size(), QSize(30, 20));
}
