#pragma once

#include "tests/support/modal_answer.h"

#include <QObject>

#include <functional>

class QWidget;

// Counts how often a window is shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget &window);
    int shows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Acts on a window once its modal loop runs. The action is posted, so that it runs in that loop
// and not inside the poll of ModalAnswer.
ModalAnswer::Answer when_shown(QWidget &window, std::function<void()> action);
