#pragma once

#include <QString>
#include <QWidget>

// Says something to a screen reader without taking the focus from where the user is: a
// notification that is shown when there is news, and read out by the reader then. It has no
// size and draws nothing, so no window looks different for it.
//
// (Qt 6.4 has no announcement event. Orca speaks a notification the moment it becomes showing,
// from any window of any program, and leaves the focus alone; it reads an alert only when its
// window takes the focus, and a live region only in web content.)
class AccessibleNotice : public QWidget {
    Q_OBJECT

public:
    explicit AccessibleNotice(QWidget *parent);

    // Hides the last news and shows this one: one showing, so one reading.
    void announce(const QString &text);
    QString text() const { return accessibleName(); }

    // The notice of the window the widget is in, made on first use.
    static AccessibleNotice *of(QWidget *widget);
};
