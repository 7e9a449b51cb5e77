#include "forms/external/extern_form.h"

#include "skin/form/tsui_form.h"

TForm5::TForm5()
{
    setObjectName(QStringLiteral("Form5"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("Extern-Prog"));
    setClientSize(372, 208);
    centreOnDesktop();
}
