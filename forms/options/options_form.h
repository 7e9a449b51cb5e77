#pragma once

#include "skin/form/tform.h"

class QFileDialog;
class QLabel;
class Session;
class TsuiButton;
class TsuiEdit;
class TsuiForm;
class TsuiRadioButton;

// The options window: the avrdude path, and the choice to install or remove the giveio
// port-access driver that parallel-port programmers need.
class TForm4 : public TForm {
    Q_OBJECT

public:
    explicit TForm4(Session &session);

    // The window that runs the driver script; set once after all windows exist.
    void setDriverWindow(TForm *driver) { driver_ = driver; }

    TsuiForm *suiForm1;
    QLabel *Label1;
    TsuiEdit *suiEdit1;
    TsuiButton *suiButton1;
    QLabel *Label2;
    TsuiRadioButton *io1;
    TsuiRadioButton *io2;
    TsuiButton *suiButton2;
    // Made on first use: building a file dialog costs more than the rest of the start.
    QFileDialog *OpenDialog1 = nullptr;

    // Handlers.
    void suiButton1Click(); // "&Suchen"
    void suiButton2Click(); // "S&peichern"

protected:
    void FormShow() override;

private:
    QFileDialog *openDialog();
    Session &session_;
    TForm *driver_ = nullptr;
};
