#pragma once

#include "skin/form/tform.h"

class TsuiForm;

// The fuse window: the low, high and extended fuse bytes of the chosen device, bit by bit.
class TForm3 : public TForm {
    Q_OBJECT

public:
    TForm3();

    TsuiForm *suiForm1;
};
