#include "forms/info/info_form.h"

#include "forms/window_button.h"
#include "skin/button/tsui_button.h"
#include "skin/form/tsui_form.h"

#include <QLabel>

namespace {
constexpr int ClientWidth = 340;
constexpr int ClientHeight = 230;
constexpr int TextMargin = 16;
constexpr int TextTop = 32;
// The OK button's row under the text.
constexpr int ButtonRowHeight = 45;
}

TForm2::TForm2()
{
    setObjectName(QStringLiteral("Form2"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("Info"));
    // Only the control box and the close button.
    suiForm1->setTitleButtonVisible(TsuiForm::suiMax, false);
    suiForm1->setTitleButtonVisible(TsuiForm::suiMin, false);
    setClientSize(ClientWidth, ClientHeight);

    Label1 = new QLabel(suiForm1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("<b>Quillon %1</b><br><br>"
                                   "Eine grafische Oberfläche für avrdude: Flash und EEPROM programmieren "
                                   "und auslesen, den Chip löschen und die Fuses bitweise bearbeiten.<br><br>"
                                   "avrdude ist ein eigenständiges Programm; Quillon ruft es nur auf.<br><br>"
                                   "Lizenz: GNU GPL, Version 3 oder neuer")
                        .arg(QStringLiteral(QUILLON_VERSION)));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(TextMargin, TextTop, ClientWidth - 2 * TextMargin, ClientHeight - TextTop - ButtonRowHeight);

    suiButton1 = make_window_button(suiForm1, QStringLiteral("suiButton1"), QStringLiteral("&OK"),
                                    QRect((ClientWidth - 80) / 2, ClientHeight - 35, 80, 27));
    suiButton1->setModalResult(mrOk);
    centreOnDesktop();
}
