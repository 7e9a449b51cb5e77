// Quillon's six windows built from stock Qt widgets as a Qt program builds them, the fair yardstick
// for its start: the main window (a QMainWindow with the same menus, a tool bar of the five
// commands with icons, the choice group boxes with their labels and editable combo boxes holding
// the same lists, the read-only log, the command line with its button) shown, and the info, fuse,
// options, external and driver windows with the same controls, created hidden, as Quillon creates
// its own. Qt's layouts place the controls, where Quillon's own alignment places its.
#include "session/part_lists.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace {

constexpr int Width = 689; // the size of Quillon's main window
constexpr int Height = 655;

// A label and the field it names, side by side in a grid's row.
void add_row(QGridLayout *grid, int row, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
}

QComboBox *choice(const QStringList &items, const QString &text)
{
    auto *box = new QComboBox;
    box->setEditable(true);
    box->addItems(items);
    box->setEditText(text);
    return box;
}

// A group box holding a label above each field, the fields side by side.
QGroupBox *choice_group(const QString &caption, const QList<QPair<QString, QComboBox *>> &fields)
{
    auto *group = new QGroupBox(caption);
    auto *grid = new QGridLayout(group);
    for (int column = 0; column < fields.size(); ++column) {
        auto *label = new QLabel(fields[column].first);
        label->setBuddy(fields[column].second);
        grid->addWidget(label, 0, column);
        grid->addWidget(fields[column].second, 1, column);
    }
    return group;
}

void build_menus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();
    bar->addMenu(QStringLiteral("&Datei"))->addAction(QStringLiteral("&Beenden"), &window, &QWidget::close);
    QMenu *commands = bar->addMenu(QStringLiteral("&Command"));
    commands->addAction(QStringLiteral("Flash auslesen"));
    commands->addAction(QStringLiteral("EEPROM auslesen"));
    commands->addSeparator();
    commands->addAction(QStringLiteral("Flash programmieren"));
    commands->addAction(QStringLiteral("EEPROM programmieren"));
    commands->addSeparator();
    commands->addAction(QStringLiteral("Chip löschen"));
    commands->addSeparator();
    commands->addAction(QStringLiteral("Fuses"));
    bar->addMenu(QStringLiteral("&Einstellungen"))->addAction(QStringLiteral("Optionen"));
    bar->addMenu(QStringLiteral("&Info"))->addAction(QStringLiteral("Info"));
}

void build_main(QMainWindow &window)
{
    window.setWindowTitle(QStringLiteral("Quillon"));
    window.resize(Width, Height);
    build_menus(window);
    QToolBar *tools = window.addToolBar(QStringLiteral("Werkzeugleiste"));
    const QPair<QStyle::StandardPixmap, const char *> buttons[] = {
        {QStyle::SP_ArrowUp, "Flash programmieren"}, {QStyle::SP_FileIcon, "EEPROM programmieren"},
        {QStyle::SP_ArrowDown, "Flash auslesen"},    {QStyle::SP_DriveHDIcon, "EEPROM auslesen"},
        {QStyle::SP_ComputerIcon, "Fuses"}};
    for (const auto &[icon, hint] : buttons)
        tools->addAction(window.style()->standardIcon(icon), QString::fromUtf8(hint));

    auto *client = new QWidget;
    auto *rows = new QVBoxLayout(client);
    auto *choices = new QHBoxLayout;
    choices->addWidget(choice_group(QStringLiteral("AVR-Options"), {{QStringLiteral("Device:"), choice(DeviceIds, QStringLiteral("m8"))}}));
    choices->addWidget(choice_group(QStringLiteral("Programmer-Options"),
                                    {{QStringLiteral("Programmer:"), choice(ProgrammerIds, QStringLiteral("usbasp"))},
                                     {QStringLiteral("Port:"), choice(PortIds, QStringLiteral("USB"))}}),
                       1);
    rows->addLayout(choices);
    auto *log_group = new QGroupBox(QStringLiteral("AVRDUDE - Log"));
    auto *log = new QPlainTextEdit;
    log->setReadOnly(true);
    (new QVBoxLayout(log_group))->addWidget(log);
    rows->addWidget(log_group, 1);
    auto *command_group = new QGroupBox(QStringLiteral("AVRDUDE-Command"));
    auto *command_row = new QHBoxLayout(command_group);
    command_row->addWidget(new QLineEdit);
    command_row->addWidget(new QPushButton(QStringLiteral("Senden")));
    rows->addWidget(command_group);
    window.setCentralWidget(client);
    new QMessageBox(&window);
}

QDialogButtonBox *buttons(QDialog &dialog, const QStringList &captions)
{
    auto *box = new QDialogButtonBox;
    for (const QString &caption : captions)
        box->addButton(caption, QDialogButtonBox::ActionRole);
    QObject::connect(box, &QDialogButtonBox::clicked, &dialog, &QDialog::accept);
    return box;
}

void build_info(QDialog &dialog)
{
    dialog.setWindowTitle(QStringLiteral("Info"));
    auto *rows = new QVBoxLayout(&dialog);
    rows->addWidget(new QLabel(QStringLiteral("<b>Quillon</b><br><br>Eine Oberfläche für avrdude")));
    rows->addWidget(buttons(dialog, {QStringLiteral("&OK")}));
}

void build_fuses(QDialog &dialog)
{
    dialog.setWindowTitle(QStringLiteral("Fuses"));
    auto *rows = new QVBoxLayout(&dialog);
    auto *legend = new QHBoxLayout;
    legend->addWidget(new QCheckBox(QStringLiteral("= 0")));
    legend->addWidget(new QCheckBox(QStringLiteral("= 1")));
    legend->addStretch();
    rows->addLayout(legend);
    auto *groups = new QHBoxLayout;
    for (const QString &caption : {QStringLiteral("LowFuse"), QStringLiteral("HighFuse"), QStringLiteral("EFuse")}) {
        auto *column = new QVBoxLayout;
        auto *group = new QGroupBox(caption);
        auto *bits = new QVBoxLayout(group);
        for (int bit = 0; bit < 8; ++bit)
            bits->addWidget(new QCheckBox(QStringLiteral("Bit %1").arg(bit)));
        column->addWidget(group);
        column->addWidget(new QLabel(QStringLiteral("0")));
        groups->addLayout(column);
    }
    rows->addLayout(groups);
    rows->addWidget(buttons(dialog, {QStringLiteral("&Lesen"), QStringLiteral("&Schreiben"), QStringLiteral("&Abbrechen")}));
    new QMessageBox(&dialog);
}

void build_options(QDialog &dialog)
{
    dialog.setWindowTitle(QStringLiteral("OK"));
    auto *grid = new QGridLayout(&dialog);
    grid->addWidget(new QLabel(QStringLiteral("Pfad zu avrdude.exe")), 0, 0, 1, 2);
    grid->addWidget(new QLineEdit, 1, 0);
    grid->addWidget(new QPushButton(QStringLiteral("&Suchen")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Für Parallelport-Programmer wird der giveio-Treiber benötigt!")), 2, 0, 1, 2);
    grid->addWidget(new QRadioButton(QStringLiteral("giveio-Treiber installieren")), 3, 0);
    grid->addWidget(new QRadioButton(QStringLiteral("giveio-Treiber deinstallieren")), 3, 1);
    grid->addWidget(buttons(dialog, {QStringLiteral("S&peichern")}), 4, 0, 1, 2);
}

void build_external(QDialog &dialog)
{
    dialog.setWindowTitle(QStringLiteral("Extern-Prog"));
    auto *rows = new QVBoxLayout(&dialog);
    auto *group = new QGroupBox(QStringLiteral("Externer Aufruf:"));
    auto *grid = new QGridLayout(group);
    const QString captions[] = {QStringLiteral("AVR           :"), QStringLiteral("Programmer:"),
                                QStringLiteral("Port            :"), QStringLiteral("Datei          : ")};
    for (int row = 0; row < 4; ++row)
        add_row(grid, row, captions[row], new QLineEdit);
    auto *fuses = new QToolButton;
    fuses->setIcon(dialog.style()->standardIcon(QStyle::SP_ComputerIcon));
    fuses->setToolTip(QStringLiteral("Fuses"));
    grid->addWidget(fuses, 0, 2);
    rows->addWidget(group);
    rows->addWidget(buttons(dialog, {QStringLiteral("&Programmieren"), QStringLiteral("&Abbrechen")}));
}

void build_driver(QDialog &dialog)
{
    dialog.setWindowTitle(QStringLiteral("giveio-Driver Installation"));
    auto *rows = new QVBoxLayout(&dialog);
    rows->addWidget(new QLabel(QStringLiteral("Status:")));
    auto *log = new QPlainTextEdit;
    log->setReadOnly(true);
    rows->addWidget(log);
    rows->addWidget(buttons(dialog, {QStringLiteral("&OK")}));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    build_main(window);
    std::vector<std::unique_ptr<QDialog>> dialogs;
    for (void (*build)(QDialog &) : {build_info, build_fuses, build_options, build_external, build_driver}) {
        dialogs.push_back(std::make_unique<QDialog>(&window));
        build(*dialogs.back());
    }
    window.show();
    return QApplication::exec();
}
