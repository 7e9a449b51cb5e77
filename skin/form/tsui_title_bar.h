#pragma once

#include "skin/form/tsui_form.h"

#include <QWidget>

class QToolButton;

// The caption strip at the top of a skinned window: caption, window buttons, caption drag.
class TsuiTitleBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int DefaultHeight = 20;

    explicit TsuiTitleBar(TsuiForm *frame);

    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    void setButtonVisible(TsuiForm::TitleButton button, bool visible);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButtons();

    QString caption_;
    QToolButton *close_button_;
    QToolButton *minimize_button_;
    QToolButton *maximize_button_;
    QToolButton *control_box_;
};
