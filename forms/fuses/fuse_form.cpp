#include "forms/fuses/fuse_form.h"

#include "skin/form/tsui_form.h"

TForm3::TForm3()
{
    setObjectName(QStringLiteral("Form3"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("Fuses"));
    setClientSize(385, 378);
    centreOnDesktop();
}
