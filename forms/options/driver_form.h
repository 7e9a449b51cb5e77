#pragma once

#include "skin/form/tform.h"

class QLabel;
class TForm4;
class TsuiButton;
class TsuiForm;
class TsuiMemo;

// The driver window: runs the script that installs or removes the giveio driver, as chosen in
// the options window, and shows its output in its own log.
class TForm6 : public TForm {
    Q_OBJECT

public:
    explicit TForm6(const TForm4 &options);

    TsuiForm *suiForm1;
    QLabel *Label1;
    TsuiMemo *log;
    TsuiButton *suiButton1;

    // The script's full name: install when the options window's io1 is checked, remove otherwise.
    QString scriptPath() const;

protected:
    // Runs the script before the window appears.
    void FormShow() override;

private:
    const TForm4 &options_;
};
