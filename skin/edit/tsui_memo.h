#pragma once

#include "skin/themes/ui_style.h"

#include <QPlainTextEdit>
#include <QStringList>

// A multi-line text pane kept as a list of lines; the log panes of Quillon are memos.
class TsuiMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ uiStyle WRITE setUIStyle)

public:
    explicit TsuiMemo(QWidget *parent);

    TsuiUIStyle uiStyle() const { return style_; }
    void setUIStyle(TsuiUIStyle style);

    QStringList lines() const;
    void clearLines() { clear(); }
    void appendLines(const QStringList &lines);

private:
    TsuiUIStyle style_ = TsuiUIStyle::DeepBlue;
};
