#pragma once

#include <QObject>

class TsuiForm;

// Listens to every key the application delivers, for one frame: Alt+Space opens the frame's
// window menu, Alt plus a letter drops down the matching menu bar item, and a key that is the
// shortcut of an item of the frame's menu runs that item; each only while the frame's window is
// the active one.
class FormKeyRouter : public QObject {
    Q_OBJECT

public:
    explicit FormKeyRouter(TsuiForm *frame);
    ~FormKeyRouter() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool hostHasFocus() const;

    TsuiForm *frame_;
};
