#pragma once

#include "skin/form/tform.h"

class QLabel;
class Session;
class TsuiButton;
class TsuiEdit;
class TsuiForm;
class TsuiGroupBox;

// The external programming window: shows the device, programmer, port and HEX file another tool
// passed on the command line, lets the user correct them, and programs the file into flash.
class TForm5 : public TForm {
    Q_OBJECT

public:
    // The edits show the session's parameters; the fuse button opens the fuse window, which works
    // from the session's chip target.
    TForm5(Session &session, TForm &fuses);

    TsuiForm *suiForm1;
    TsuiGroupBox *suiGroupBox1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    TsuiEdit *suiEdit1; // device
    TsuiEdit *suiEdit2; // programmer
    TsuiEdit *suiEdit4; // port
    TsuiEdit *suiEdit3; // HEX file
    TsuiButton *suiButton3; // fuses
    TsuiButton *suiButton1; // "&Programmieren"
    TsuiButton *suiButton2; // "&Abbrechen"

    // Handlers.
    void suiButton1Click();
    void suiButton2Click();
    void suiButton3Click();

protected:
    void FormShow() override;

private:
    TsuiEdit *addRow(QLabel *&label, const QString &label_name, const QString &edit_name, const QString &caption,
                     int edit_top);
    // The text of the edit showing parameter `number`, exactly as it came unless the user changed it.
    QString editedParameter(const TsuiEdit *edit, int number) const;

    Session &session_;
    TForm &fuses_;
};
