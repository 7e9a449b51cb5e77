#pragma once

#include "skin/form/tform.h"

class QLabel;
class TsuiButton;
class TsuiForm;

// The Info window: what Quillon is, its version and licence.
class TForm2 : public TForm {
    Q_OBJECT

public:
    TForm2();

    TsuiForm *suiForm1;
    QLabel *Label1;
    TsuiButton *suiButton1;
};
