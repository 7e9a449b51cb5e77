#include "forms/options/driver_form.h"

#include "session/program_dir.h"
#include "forms/avrdude_run.h"
#include "forms/options/options_form.h"
#include "forms/window_button.h"
#include "skin/accessibility/field_labels.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_radio_button.h"
#include "skin/edit/tsui_memo.h"
#include "skin/form/tsui_form.h"

#include <QLabel>

namespace {

constexpr int ClientWidth = 501;
constexpr int ClientHeight = 360;
// Opens where it was designed, not centred.
constexpr QPoint DesignedPosition{192, 128};
constexpr int Left = 8;
constexpr int StatusLabelTop = 40;
constexpr QRect LogGeometry{Left, 56, 489, 257};
constexpr QRect OkButtonGeometry{416, 320, 80, 27};

} // namespace

TForm6::TForm6(const TForm4 &options)
    : options_(options)
{
    setObjectName(QStringLiteral("Form6"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("giveio-Driver Installation"));
    // Only the control box and the close button.
    suiForm1->setTitleButtonVisible(TsuiForm::suiMax, false);
    suiForm1->setTitleButtonVisible(TsuiForm::suiMin, false);
    setClientSize(ClientWidth, ClientHeight);

    Label1 = new QLabel(QStringLiteral("Status:"), suiForm1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(Left, StatusLabelTop);
    Label1->adjustSize();

    log = new TsuiMemo(suiForm1);
    log->setObjectName(QStringLiteral("log"));
    log->setUIStyle(TsuiUIStyle::MacOS);
    log->setGeometry(LogGeometry);
    label_field(Label1, log);

    suiButton1 = make_window_button(suiForm1, QStringLiteral("suiButton1"), QStringLiteral("&OK"), OkButtonGeometry);
    suiButton1->setModalResult(mrOk);

    move(DesignedPosition);
}

QString TForm6::scriptPath() const
{
    return program_dir() + (options_.io1->isChecked() ? QStringLiteral("install_giveio.bat")
                                                      : QStringLiteral("remove_giveio.bat"));
}

void TForm6::FormShow()
{
    log->clearLines();
    // The script is the whole command line: the program, with no arguments.
    run_into_log({scriptPath(), QString()}, {log}, {QStringLiteral("Es ist ein Fehler aufgetreten!")});
}
