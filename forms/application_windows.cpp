#include "forms/application_windows.h"

#include "forms/external/extern_form.h"
#include "forms/fuses/fuse_form.h"
#include "forms/info/info_form.h"
#include "forms/main/main_form.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"

#include <initializer_list>

ApplicationWindows::ApplicationWindows(const QStringList &parameters)
    : form1_(std::make_unique<TForm1>(session_))
    , form2_(std::make_unique<TForm2>())
    , form3_(std::make_unique<TForm3>(session_))
    , form4_(std::make_unique<TForm4>(session_))
    , form5_(std::make_unique<TForm5>(session_, *form3_))
    , form6_(std::make_unique<TForm6>(*form4_))
{
    session_.setParameters(parameters);
    for (TForm *companion : std::initializer_list<TForm *>{form2_.get(), form3_.get(), form4_.get(), form5_.get(),
                                                            form6_.get()})
        companion->setOwnerWindow(*form1_);
    form4_->setDriverWindow(form6_.get());
    form1_->setCompanions({form2_.get(), form3_.get(), form4_.get(), form5_.get()});
}

void ApplicationWindows::showMain() { form1_->show(); }

// Destroyed in reverse order of creation, the main window last.
ApplicationWindows::~ApplicationWindows() = default;
