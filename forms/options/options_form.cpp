#include "forms/options/options_form.h"

#include "forms/file_dialog.h"
#include "forms/window_button.h"
#include "handlers/handler_boundary.h"
#include "session/session.h"
#include "session/settings.h"
#include "skin/accessibility/field_labels.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_radio_button.h"
#include "skin/edit/tsui_edit.h"
#include "skin/form/tsui_form.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>

namespace {

constexpr int ClientWidth = 414;
constexpr int ClientHeight = 207;
constexpr int Left = 24;
constexpr int PathLabelTop = 48;
constexpr int PathEditTop = 64;
constexpr int PathEditWidth = 289;
constexpr int EditHeight = 21;
constexpr int ButtonLeft = 325;
constexpr int ButtonWidth = 80;
constexpr int SearchButtonTop = 60;
constexpr int SearchButtonHeight = 25;
constexpr int DriverLabelTop = 104;
constexpr int RadioTop = 128;
constexpr int RemoveRadioLeft = 176;
constexpr int SaveButtonTop = 177;
constexpr int SaveButtonHeight = 27;
// Both radio buttons sit on the frame with this index, so they form one group.
constexpr int DriverGroupIndex = 0;

QLabel *make_label(QWidget *parent, const QString &name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TsuiRadioButton *make_radio(QWidget *parent, const QString &name, const QString &caption, int x)
{
    auto *radio = new TsuiRadioButton(parent);
    radio->setObjectName(name);
    radio->setUIStyle(TsuiUIStyle::MacOS);
    radio->setGroupIndex(DriverGroupIndex);
    radio->setText(caption);
    radio->move(x, RadioTop);
    radio->adjustSize();
    return radio;
}

} // namespace

TForm4::TForm4(Session &session)
    : session_(session)
{
    setObjectName(QStringLiteral("Form4"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    // The window's title really is the word OK.
    suiForm1->setCaption(QStringLiteral("OK"));
    // A screen reader says what the window is, which the title does not.
    setAccessibleDescription(QStringLiteral("Optionen"));
    // Only the control box and the close button.
    suiForm1->setTitleButtonVisible(TsuiForm::suiMax, false);
    suiForm1->setTitleButtonVisible(TsuiForm::suiMin, false);
    setClientSize(ClientWidth, ClientHeight);

    Label1 = make_label(suiForm1, QStringLiteral("Label1"), QStringLiteral("Pfad zu avrdude.exe"), Left, PathLabelTop);
    suiEdit1 = new TsuiEdit(suiForm1);
    suiEdit1->setObjectName(QStringLiteral("suiEdit1"));
    suiEdit1->setUIStyle(TsuiUIStyle::MacOS);
    suiEdit1->setGeometry(Left, PathEditTop, PathEditWidth, EditHeight);
    label_field(Label1, suiEdit1);
    suiButton1 = make_window_button(suiForm1, QStringLiteral("suiButton1"), QStringLiteral("&Suchen"),
                             QRect(ButtonLeft, SearchButtonTop, ButtonWidth, SearchButtonHeight));
    connect_handler(suiButton1, &TsuiButton::OnClick, this, &TForm4::suiButton1Click);

    Label2 = make_label(suiForm1, QStringLiteral("Label2"),
                        QStringLiteral("Für Parallelport-Programmer wird der giveio-Treiber benötigt!"), Left,
                        DriverLabelTop);
    io1 = make_radio(suiForm1, QStringLiteral("io1"), QStringLiteral("giveio-Treiber installieren"), Left);
    io2 = make_radio(suiForm1, QStringLiteral("io2"), QStringLiteral("giveio-Treiber deinstallieren"), RemoveRadioLeft);

    suiButton2 = make_window_button(suiForm1, QStringLiteral("suiButton2"), QStringLiteral("S&peichern"),
                             QRect(ButtonLeft, SaveButtonTop, ButtonWidth, SaveButtonHeight));
    connect_handler(suiButton2, &TsuiButton::OnClick, this, &TForm4::suiButton2Click);

    centreOnDesktop();
}

void TForm4::FormShow()
{
    // A driver action happens only when chosen during this showing.
    io1->setChecked(false);
    io2->setChecked(false);
    suiEdit1->setText(read_settings_line1());
}

QFileDialog *TForm4::openDialog()
{
    // Any file may be chosen: the path is only stored.
    if (!OpenDialog1)
        OpenDialog1 = make_file_dialog(this, QStringLiteral("OpenDialog1"), QFileDialog::AcceptOpen, QString());
    return OpenDialog1;
}

void TForm4::suiButton1Click()
{
    QFileDialog *dialog = openDialog();
    if (!exec_file_dialog(dialog) || dialog->selectedFiles().isEmpty())
        return;
    suiEdit1->setText(QDir::toNativeSeparators(dialog->selectedFiles().first()));
}

void TForm4::suiButton2Click()
{
    // A failed save throws before anything below: no driver run, and the window stays open.
    session_.saveAvrdudePath(suiEdit1->text());
    if ((io1->isChecked() || io2->isChecked()) && driver_)
        driver_->ShowModal();
    Close();
}
