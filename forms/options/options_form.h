#pragma once

#include "skin/form/tform.h"

class TsuiForm;

// The options window: the avrdude path and the giveio driver choice.
class TForm4 : public TForm {
    Q_OBJECT

public:
    TForm4();

    TsuiForm *suiForm1;
};
