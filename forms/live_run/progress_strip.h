#pragma once

#include "skin/themes/ui_style.h"

#include <QImage>
#include <QWidget>

// A thin progress bar drawn from the style's progress picture, for avrdude's own progress while a
// run lasts. Hidden when no run shows progress.
class ProgressStrip : public QWidget {
    Q_OBJECT

public:
    static constexpr int StripWidth = 120;
    static constexpr int StripHeight = 12;

    explicit ProgressStrip(QWidget *parent, TsuiUIStyle style = TsuiUIStyle::MacOS);

    int percent() const { return percent_; }
    void setPercent(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TsuiUIStyle style_;
    QImage picture_;
    int percent_ = 0;
};
