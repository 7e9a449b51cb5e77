#include "forms/options/driver_form.h"

#include "skin/form/tsui_form.h"

TForm6::TForm6()
{
    setObjectName(QStringLiteral("Form6"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("giveio-Driver Installation"));
    setClientSize(501, 360);
    centreOnDesktop();
}
