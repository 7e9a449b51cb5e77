#include "forms/main/main_form.h"

#include "avrdude/access_help.h"
#include "avrdude/native_text.h"
#include "forms/avrdude_run.h"
#include "forms/file_dialog.h"
#include "forms/question_dialog.h"
#include "session/part_lists.h"
#include "session/session.h"
#include "skin/dialog/tsui_message_dialog.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>

void TForm1::FormShow()
{
    // A missing settings file ends the handler here: no command-line start then.
    session_.loadAvrdudePath();
    command_line_check();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    TForm::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

void TForm1::command_line_check()
{
    if (session_.parameter(1).isEmpty())
        return;
    avrselect->setText(readable_text(session_.parameter(1)));
    progselect->setText(readable_text(session_.parameter(2)));
    portselect->setText(readable_text(session_.parameter(3)));
    if (companions_.external)
        companions_.external->ShowModal();
}

void TForm1::runIntoLog(const CommandLine &line, const QStringList &failure_lines)
{
    Log->clearLines();
    const RunResult result = run_into_log(line, {Log, progressStrip}, failure_lines);
    Log->appendLines(access_help_for(result));
}

void TForm1::refreshPortList()
{
    const QString typed = portselect->text();
    while (portselect->count() > PortIds.size())
        portselect->removeItem(portselect->count() - 1);
    portselect->addItems(serial_port_entries(present_serial_ports(serial_port_folders_)));
    portselect->setText(typed);
}

void TForm1::suiButton1Click()
{
    const QString text = command->text();
    if (text.isEmpty()) {
        suiMessageDialog1->setCaption(QStringLiteral("Fehler!"));
        suiMessageDialog1->setText(QStringLiteral("Sie haben kein Komando eigegeben!"));
        suiMessageDialog1->ShowModal();
        return;
    }
    session_.runFreeCommand(text);
}

void TForm1::commandCut()
{
    suiMessageDialog1->setCaption(QStringLiteral("AVRDUDE-Command"));
    suiMessageDialog1->setText(QStringLiteral("Der Befehl wurde nach %1 Zeichen abgeschnitten: mehr gibt das System "
                                              "einem Programm nicht als ein Argument mit.")
                                   .arg(command->maxLength()));
    suiMessageDialog1->ShowModal();
}

QString TForm1::runFileDialog(QFileDialog *dialog)
{
    if (!exec_file_dialog(dialog))
        return {};
    const QString file = chosen_file(dialog);
    dialog->selectFile(readable_text(file));
    return file;
}

void TForm1::suiButton4Click()
{
    const QString file = runFileDialog(openDialog());
    if (!file.isEmpty())
        session_.programFlash(file);
}

void TForm1::suiButton5Click()
{
    const QString file = runFileDialog(openDialog());
    // Its command line erases the whole chip first, the flash with it.
    if (!file.isEmpty()
        && ask(eepromQuestion, QStringLiteral("eepromQuestion"), QStringLiteral("EEPROM programmieren"),
               QStringLiteral("Schreiben"), session_.eepromProgramQuestion()))
        session_.programEeprom(file);
}

void TForm1::suiButton2Click()
{
    const QString file = runFileDialog(saveDialog());
    if (!file.isEmpty())
        session_.readFlash(file);
}

void TForm1::suiButton3Click()
{
    const QString file = runFileDialog(saveDialog());
    if (!file.isEmpty())
        session_.readEeprom(file);
}

void TForm1::ChipLoeschenClick()
{
    if (ask(eraseQuestion, QStringLiteral("eraseQuestion"), QStringLiteral("Chip löschen"), QStringLiteral("Löschen"),
            session_.chipEraseQuestion()))
        session_.eraseChip();
}

bool TForm1::ask(TsuiMessageDialog *&dialog, const QString &name, const QString &caption, const QString &go_on,
                 const QString &text)
{
    if (!dialog)
        dialog = make_question_dialog(this, name, caption, go_on);
    return ask_question(dialog, text);
}

void TForm1::suiButton6Click()
{
    if (!companions_.fuses)
        return;
    // Already open behind another window, it comes to the front.
    companions_.fuses->show();
    companions_.fuses->raise();
    companions_.fuses->activateWindow();
}

void TForm1::OptionenClick()
{
    if (companions_.options)
        companions_.options->ShowModal();
}

void TForm1::InfoClick()
{
    if (companions_.info)
        companions_.info->ShowModal();
}
