#pragma once

#include <QLabel>

// Tells the user, while a run lasts, how to stop it. Every window that can be in front during a
// run holds one where it has room; all of them show for the length of each run, since Escape and
// the close button of any of our windows stop it.
class RunHint : public QLabel {
    Q_OBJECT

public:
    RunHint(QWidget *parent, const QRect &area, Qt::Alignment alignment);
};

// Shows every window's hint while it exists.
class RunHintsShown {
public:
    RunHintsShown();
    ~RunHintsShown();
    RunHintsShown(const RunHintsShown &) = delete;
    RunHintsShown &operator=(const RunHintsShown &) = delete;

private:
    static void showAll(bool shown);
};
