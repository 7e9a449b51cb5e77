#include "forms/main/main_form.h"

#include "avrdude/process_runner.h"
#include "forms/file_dialog.h"
#include "forms/live_run/progress_strip.h"
#include "forms/live_run/run_hint.h"
#include "forms/main/tool_glyphs.h"
#include "forms/window_button.h"
#include "handlers/handler_boundary.h"
#include "session/part_lists.h"
#include "session/session.h"
#include "skin/accessibility/field_labels.h"
#include "skin/button/tsui_button.h"
#include "skin/dialog/tsui_message_dialog.h"
#include "skin/edit/tsui_combo_box.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/form/tsui_form.h"
#include "skin/layout/align.h"
#include "skin/menu/tsui_main_menu.h"
#include "skin/panel/tsui_group_box.h"
#include "skin/panel/tsui_panel.h"

#include <QFileDialog>
#include <QLabel>

namespace {

constexpr int ToolPanelHeight = 63;
constexpr int BandHeight = 75;
constexpr int CommandGroupHeight = 57;
constexpr int LogPanelHeight = 419;
constexpr int TitleBarHeight = 20; // the MacOS title picture's 23 rows less the 3 the border band shows
constexpr int MenuBarHeight = 22;
constexpr int ClientWidth = 689;
// The rows' own heights decide the window's: they add up to 656, one pixel more than the 655 the
// window was designed with, so that the middle band keeps its designed 75 rather than losing a row.
constexpr int ClientHeight =
    TitleBarHeight + MenuBarHeight + ToolPanelHeight + BandHeight + CommandGroupHeight + LogPanelHeight;
constexpr int ToolButtonWidth = 33;
constexpr int ToolButtonHeight = 27;
constexpr int ToolButtonTop = 32;
constexpr int ToolButtonStep = 40;
constexpr int ToolButtonFirstLeft = 8;
constexpr int AvrOptionsWidth = 185;
constexpr int ProgrammerOptionsWidth = 497;
constexpr int ComboHeight = 21;
constexpr int LabelTop = 16;
constexpr int ComboTop = 32;

const QColor BorderGrey{0x7F, 0x7F, 0x7F};

QLabel *make_label(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TsuiComboBox *make_combo(QWidget *parent, const QString &name, const QStringList &items, const QString &text, int x,
                         int width)
{
    auto *combo = new TsuiComboBox(parent);
    combo->setObjectName(name);
    combo->setUIStyle(TsuiUIStyle::MacOS);
    combo->setGeometry(x, ComboTop, width, ComboHeight);
    combo->addItems(items);
    combo->setText(text);
    return combo;
}

} // namespace

TForm1::TForm1(Session &session)
    : session_(session)
{
    setObjectName(QStringLiteral("Form1"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setBorderColor(BorderGrey);
    suiForm1->setBorderWidth(1);
    suiForm1->setColor(QColor(0xE7, 0xE7, 0xE7));
    suiForm1->setMenuBarHeight(MenuBarHeight);
    suiForm1->setCaption(QStringLiteral("Tessaly Quillon for AVRDude"));
    suiForm1->setTitleButtonVisible(TsuiForm::suiMax, false);
    suiForm1->setTitleButtonVisible(TsuiForm::suiMin, true);
    setClientSize(ClientWidth, ClientHeight);
    setMinimumSize(130, 50);

    createToolBar();
    createChoiceBand();
    createLogPanel();
    createCommandGroup();
    createMenu();
    suiMessageDialog1 = new TsuiMessageDialog(this);
    suiMessageDialog1->setObjectName(QStringLiteral("suiMessageDialog1"));
    suiMessageDialog1->setUIStyle(TsuiUIStyle::MacOS);
    suiMessageDialog1->setCaptionFontColor(Qt::black);
    suiMessageDialog1->setIconType(TsuiIconType::suiNone);
    suiMessageDialog1->setButtonCount(1);
    suiMessageDialog1->setButton1Caption(QStringLiteral("OK"));
    suiMessageDialog1->setPosition(TPosition::poScreenCenter);
    suiForm1->realign();
    placeProgressStrip();
    centreOnDesktop();
    session_.setRunner([this](const CommandLine &line, const QStringList &failure_lines) {
        runIntoLog(line, failure_lines);
    });
}

TForm1::~TForm1() { session_.setRunner({}); }

void TForm1::createToolBar()
{
    toolPanel = new TsuiPanel(suiForm1);
    toolPanel->setObjectName(QStringLiteral("toolPanel"));
    toolPanel->setUIStyle(TsuiUIStyle::MacOS);
    toolPanel->setBorderColor(BorderGrey);
    toolPanel->setCaption(QStringLiteral("Werkzeugleiste"));
    toolPanel->setShowButton(false);
    toolPanel->setCaptionFontColor(Qt::black);
    toolPanel->setColor(Qt::white);
    toolPanel->resize(ClientWidth, ToolPanelHeight);
    set_align(toolPanel, TAlign::alTop);

    struct ToolButton {
        TsuiButton **field;
        const char *name;
        const char *hint;
        ToolGlyph glyph;
        void (TForm1::*handler)();
    };
    const ToolButton buttons[] = {
        {&suiButton4, "suiButton4", "Flash programmieren", ToolGlyph::ProgramFlash, &TForm1::suiButton4Click},
        {&suiButton5, "suiButton5", "EEPROM programmieren", ToolGlyph::ProgramEeprom, &TForm1::suiButton5Click},
        {&suiButton2, "suiButton2", "Flash auslesen", ToolGlyph::ReadFlash, &TForm1::suiButton2Click},
        {&suiButton3, "suiButton3", "EEPROM auslesen", ToolGlyph::ReadEeprom, &TForm1::suiButton3Click},
        {&suiButton6, "suiButton6", "Fuses", ToolGlyph::Fuses, &TForm1::suiButton6Click},
    };
    int left = ToolButtonFirstLeft;
    for (const ToolButton &b : buttons) {
        auto *button = new TsuiButton(toolPanel);
        button->setObjectName(QLatin1String(b.name));
        button->setUIStyle(TsuiUIStyle::BlueGlass);
        button->setGeometry(left, ToolButtonTop, ToolButtonWidth, ToolButtonHeight);
        button->setHint(QString::fromUtf8(b.hint));
        button->setGlyph(tool_glyph(b.glyph));
        connect_handler(button, &TsuiButton::OnClick, this, b.handler);
        *b.field = button;
        left += ToolButtonStep;
    }
}

void TForm1::createChoiceBand()
{
    avrOptions = new TsuiGroupBox(suiForm1);
    avrOptions->setObjectName(QStringLiteral("avrOptions"));
    avrOptions->setUIStyle(TsuiUIStyle::MacOS);
    avrOptions->setBorderColor(BorderGrey);
    avrOptions->setCaption(QStringLiteral("AVR-Options"));
    avrOptions->resize(AvrOptionsWidth, BandHeight);
    set_align(avrOptions, TAlign::alLeft);
    deviceLabel = make_label(avrOptions, QStringLiteral("Device:"), 8, LabelTop);
    avrselect = make_combo(avrOptions, QStringLiteral("avrselect"), DeviceIds, QStringLiteral("m8"), 8, 145);
    label_field(deviceLabel, avrselect);

    programmerOptions = new TsuiGroupBox(suiForm1);
    programmerOptions->setObjectName(QStringLiteral("programmerOptions"));
    programmerOptions->setUIStyle(TsuiUIStyle::DeepBlue);
    programmerOptions->setBorderColor(Qt::black);
    programmerOptions->setCaption(QStringLiteral("Programmer-Options"));
    programmerOptions->resize(ProgrammerOptionsWidth, BandHeight);
    set_align(programmerOptions, TAlign::alRight);
    programmerLabel = make_label(programmerOptions, QStringLiteral("Programmer:"), 8, LabelTop);
    portLabel = make_label(programmerOptions, QStringLiteral("Port:"), 240, LabelTop);
    progselect = make_combo(programmerOptions, QStringLiteral("progselect"), ProgrammerIds, QStringLiteral("usbasp"), 8, 193);
    portselect = make_combo(programmerOptions, QStringLiteral("portselect"), PortIds, QStringLiteral("USB"), 240, 241);
    label_field(programmerLabel, progselect);
    label_field(portLabel, portselect);
    connect_handler(portselect, &TsuiComboBox::OnDropDown, this, &TForm1::refreshPortList);
    bindChoice(avrselect, &Session::setDevice);
    bindChoice(progselect, &Session::setProgrammer);
    bindChoice(portselect, &Session::setPort);
}

void TForm1::bindChoice(TsuiComboBox *combo, void (Session::*set)(const QString &))
{
    (session_.*set)(combo->text());
    connect(combo, &QComboBox::currentTextChanged, this, [this, set](const QString &text) { (session_.*set)(text); });
}

void TForm1::createCommandGroup()
{
    commandGroup = new TsuiGroupBox(suiForm1);
    commandGroup->setObjectName(QStringLiteral("commandGroup"));
    commandGroup->setUIStyle(TsuiUIStyle::DeepBlue);
    commandGroup->setBorderColor(Qt::black);
    commandGroup->setCaption(QStringLiteral("AVRDUDE-Command"));
    commandGroup->resize(ClientWidth, CommandGroupHeight);
    set_align(commandGroup, TAlign::alBottom);

    command = new TsuiEdit(commandGroup);
    command->setObjectName(QStringLiteral("command"));
    command->setUIStyle(TsuiUIStyle::MacOS);
    command->setGeometry(8, 24, 585, ComboHeight);
    label_field_by_caption(commandGroup, commandGroup->caption(), command);
    // The field takes what the system can hand avrdude as one argument, and says so when a paste
    // is cut: ten megabytes in it would leave the window answering once a second.
    command->setMaxLength(static_cast<int>(LongestArgumentBytes));
    connect(command, &QLineEdit::inputRejected, this, [this] {
        if (command->text().size() == command->maxLength())
            QMetaObject::invokeMethod(this, [this] { run_handler([this] { commandCut(); }); }, Qt::QueuedConnection);
    });

    suiButton1 = make_window_button(commandGroup, QStringLiteral("suiButton1"), QStringLiteral("Senden"),
                                    QRect(600, 23, 80, 22));
    connect_handler(suiButton1, &TsuiButton::OnClick, this, &TForm1::suiButton1Click);
}

void TForm1::createLogPanel()
{
    logPanel = new TsuiPanel(suiForm1);
    logPanel->setObjectName(QStringLiteral("logPanel"));
    logPanel->setUIStyle(TsuiUIStyle::MacOS);
    logPanel->setBorderColor(BorderGrey);
    logPanel->setCaption(QStringLiteral("AVRDUDE - Log"));
    logPanel->setShowButton(false);
    logPanel->setCaptionFontColor(Qt::black);
    logPanel->setColor(Qt::white);
    logPanel->resize(ClientWidth, LogPanelHeight);
    set_align(logPanel, TAlign::alBottom);

    Log = new TsuiMemo(logPanel);
    Log->setObjectName(QStringLiteral("Log"));
    Log->setUIStyle(TsuiUIStyle::DeepBlue);
    Log->setReadOnly(true);
    set_align(Log, TAlign::alClient);
    label_field_by_caption(logPanel, logPanel->caption(), Log);

    // avrdude's progress, right-aligned in the log's caption bar while a run lasts, and left of
    // it how to stop the run.
    progressStrip = new ProgressStrip(logPanel, TsuiUIStyle::MacOS);
    runHint = new RunHint(logPanel, {}, Qt::AlignRight);
    placeProgressStrip();
}

void TForm1::placeProgressStrip()
{
    constexpr int RightMargin = 8;
    constexpr int CaptionBarHeight = 21;
    const int strip_left = logPanel->width() - ProgressStrip::StripWidth - RightMargin;
    progressStrip->move(strip_left, (CaptionBarHeight - ProgressStrip::StripHeight) / 2);
    const int hint_left = logPanel->width() / 2;
    runHint->setGeometry(hint_left, 0, strip_left - RightMargin - hint_left, CaptionBarHeight);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    TForm::resizeEvent(event);
    placeProgressStrip();
}

void TForm1::createMenu()
{
    MainMenu1 = new TsuiMainMenu(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setUIStyle(TsuiUIStyle::DeepBlue);

    TsuiMenuItem *datei = MainMenu1->add(QStringLiteral("&Datei"));
    menuBeenden = datei->add(QStringLiteral("&Beenden"), [this] { close(); });

    TsuiMenuItem *commands = MainMenu1->add(QStringLiteral("&Command"));
    menuFlashAuslesen = commands->add(QStringLiteral("Flash auslesen"), [this] { suiButton2Click(); });
    menuEepromAuslesen = commands->add(QStringLiteral("EEPROM auslesen"), [this] { suiButton3Click(); });
    commands->add(QStringLiteral("-"));
    menuFlashProgrammieren = commands->add(QStringLiteral("Flash programmieren"), [this] { suiButton4Click(); });
    menuEepromProgrammieren = commands->add(QStringLiteral("EEPROM programmieren"), [this] { suiButton5Click(); });
    commands->add(QStringLiteral("-"));
    menuChipLoeschen = commands->add(QStringLiteral("Chip löschen"), [this] { ChipLoeschenClick(); });
    commands->add(QStringLiteral("-"));
    menuFuses = commands->add(QStringLiteral("Fuses"), [this] { suiButton6Click(); });

    TsuiMenuItem *settings = MainMenu1->add(QStringLiteral("&Einstellungen"));
    menuOptionen = settings->add(QStringLiteral("Optionen"), [this] { OptionenClick(); });

    TsuiMenuItem *info = MainMenu1->add(QStringLiteral("&Info"));
    menuInfo = info->add(QStringLiteral("Info"), [this] { InfoClick(); });

    suiForm1->setMenu(MainMenu1);
}

QFileDialog *TForm1::openDialog()
{
    // Made on first use and kept, so that it offers the last chosen name again.
    if (!OpenDialog1)
        OpenDialog1 = make_file_dialog(this, QStringLiteral("OpenDialog1"), QFileDialog::AcceptOpen,
                                       QStringLiteral("Hex-Files (*.hex)"));
    return OpenDialog1;
}

QFileDialog *TForm1::saveDialog()
{
    if (!SaveDialog1)
        SaveDialog1 = make_file_dialog(this, QStringLiteral("SaveDialog1"), QFileDialog::AcceptSave,
                                       QStringLiteral("HEX-Files (*.hex)"));
    return SaveDialog1;
}
