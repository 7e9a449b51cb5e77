#pragma once

#include "skin/form/tform.h"

class TsuiForm;

// The driver window: runs the giveio driver script and shows its output.
class TForm6 : public TForm {
    Q_OBJECT

public:
    TForm6();

    TsuiForm *suiForm1;
};
