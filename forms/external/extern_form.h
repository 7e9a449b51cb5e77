#pragma once

#include "skin/form/tform.h"

class TsuiForm;

// The external programming window: programs a HEX file given on the command line.
class TForm5 : public TForm {
    Q_OBJECT

public:
    TForm5();

    TsuiForm *suiForm1;
};
