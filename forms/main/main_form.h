#pragma once

#include "avrdude/command_line.h"
#include "avrdude/serial_ports.h"
#include "skin/form/tform.h"

#include <QStringList>

class QFileDialog;
class Session;
class QLabel;
class TsuiButton;
class TsuiComboBox;
class TsuiEdit;
class TsuiForm;
class TsuiGroupBox;
class TsuiMainMenu;
class TsuiMemo;
class TsuiMenuItem;
class TsuiMessageDialog;
class TsuiPanel;
class ProgressStrip;
class RunHint;
class TForm;

// The main window: device, programmer and port, the tool bar and menu that start the chip
// commands, the free command line, and the log of every run. It is the session's view of the
// chip target and supplies the runner that reports every verb's run into its log.
class TForm1 : public TForm {
    Q_OBJECT

public:
    explicit TForm1(Session &session);
    ~TForm1() override;

    // The windows this one opens; set once after all windows exist.
    struct Companions {
        TForm *info = nullptr;
        TForm *fuses = nullptr;
        TForm *options = nullptr;
        TForm *external = nullptr;
    };
    void setCompanions(const Companions &companions) { companions_ = companions; }

    // Where the port list looks for the serial ports present; the kernel's folders unless a test
    // lays out its own.
    void setSerialPortFolders(const SerialPortFolders &folders) { serial_port_folders_ = folders; }
    // The port list's fixed entries followed by the serial ports present now; typed text stays.
    void refreshPortList();

    TsuiForm *suiForm1;
    TsuiMainMenu *MainMenu1;
    TsuiPanel *toolPanel;
    TsuiButton *suiButton4;
    TsuiButton *suiButton5;
    TsuiButton *suiButton2;
    TsuiButton *suiButton3;
    TsuiButton *suiButton6;
    TsuiGroupBox *avrOptions;
    QLabel *deviceLabel;
    TsuiComboBox *avrselect;
    TsuiGroupBox *programmerOptions;
    QLabel *programmerLabel;
    QLabel *portLabel;
    TsuiComboBox *progselect;
    TsuiComboBox *portselect;
    TsuiGroupBox *commandGroup;
    TsuiEdit *command;
    TsuiButton *suiButton1;
    TsuiPanel *logPanel;
    TsuiMemo *Log;
    ProgressStrip *progressStrip;
    RunHint *runHint;
    TsuiMessageDialog *suiMessageDialog1;
    // Made on first use and kept from then on: a file dialog takes longer to build than the rest
    // of the window, and most sessions never open one.
    QFileDialog *OpenDialog1 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;
    // The questions before "Chip löschen" and "EEPROM programmieren", both of which erase the
    // chip; made on first use too.
    TsuiMessageDialog *eraseQuestion = nullptr;
    TsuiMessageDialog *eepromQuestion = nullptr;

    TsuiMenuItem *menuBeenden;
    TsuiMenuItem *menuFlashAuslesen;
    TsuiMenuItem *menuEepromAuslesen;
    TsuiMenuItem *menuFlashProgrammieren;
    TsuiMenuItem *menuEepromProgrammieren;
    TsuiMenuItem *menuChipLoeschen;
    TsuiMenuItem *menuFuses;
    TsuiMenuItem *menuOptionen;
    TsuiMenuItem *menuInfo;

    // Handlers.
    void suiButton1Click(); // free command
    void commandCut();
    void suiButton4Click(); // program flash
    void suiButton5Click(); // program EEPROM
    void suiButton2Click(); // read flash
    void suiButton3Click(); // read EEPROM
    void suiButton6Click(); // fuses
    void ChipLoeschenClick();
    void OptionenClick();
    void InfoClick();

    // Clears the log, runs the command line and reports into the log.
    void runIntoLog(const CommandLine &line, const QStringList &failure_lines);

protected:
    void FormShow() override;
    // Closing the main window ends the program, even while another window is open.
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createToolBar();
    void createChoiceBand();
    void bindChoice(TsuiComboBox *combo, void (Session::*set)(const QString &));
    void createCommandGroup();
    void createLogPanel();
    void placeProgressStrip();
    void createMenu();
    QFileDialog *openDialog();
    QFileDialog *saveDialog();
    // Runs the dialog; returns the chosen full file name, or an empty text when cancelled.
    QString runFileDialog(QFileDialog *dialog);
    // Asks the question, making its window on first use; true when the user chose to go on.
    bool ask(TsuiMessageDialog *&dialog, const QString &name, const QString &caption, const QString &go_on,
             const QString &text);
    void command_line_check();

    Session &session_;
    Companions companions_;
    SerialPortFolders serial_port_folders_;
};
