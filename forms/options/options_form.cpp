#include "forms/options/options_form.h"

#include "skin/form/tsui_form.h"

TForm4::TForm4()
{
    setObjectName(QStringLiteral("Form4"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("OK"));
    setClientSize(414, 207);
    centreOnDesktop();
}
