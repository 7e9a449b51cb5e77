#include "forms/external/extern_form.h"

#include "avrdude/native_text.h"
#include "forms/live_run/run_hint.h"
#include "forms/main/tool_glyphs.h"
#include "forms/window_button.h"
#include "handlers/handler_boundary.h"
#include "session/session.h"
#include "skin/accessibility/field_labels.h"
#include "skin/button/tsui_button.h"
#include "skin/edit/tsui_edit.h"
#include "skin/form/tsui_form.h"
#include "skin/panel/tsui_group_box.h"

#include <QLabel>

namespace {

constexpr int ClientWidth = 372;
constexpr int ClientHeight = 208;
constexpr QRect GroupGeometry{8, 32, 353, 137};
constexpr int RowLabelLeft = 8;
// Labels sit a little lower than their edits, so that the texts line up.
constexpr int RowLabelDrop = 4;
constexpr int EditLeft = 72;
constexpr int EditWidth = 121;
constexpr int EditHeight = 21;
constexpr int DeviceEditTop = 27;
constexpr int ProgrammerEditTop = 51;
constexpr int PortEditTop = 80;
constexpr int FileEditTop = 107;
constexpr int FuseButtonGap = 8;
constexpr int FuseButtonWidth = 33;
constexpr int FuseButtonHeight = 27;
constexpr QRect ProgramButtonGeometry{168, 176, 104, 25};
constexpr QRect CancelButtonGeometry{272, 176, 88, 25};
constexpr int RunHintLeft = 8;
constexpr int RunHintGap = 8;

} // namespace

TForm5::TForm5(Session &session, TForm &fuses)
    : session_(session)
    , fuses_(fuses)
{
    setObjectName(QStringLiteral("Form5"));
    suiForm1 = new TsuiForm(this);
    suiForm1->setUIStyle(TsuiUIStyle::MacOS);
    suiForm1->setCaption(QStringLiteral("Extern-Prog"));
    // Only the control box and the close button.
    suiForm1->setTitleButtonVisible(TsuiForm::suiMax, false);
    suiForm1->setTitleButtonVisible(TsuiForm::suiMin, false);
    setClientSize(ClientWidth, ClientHeight);

    suiGroupBox1 = new TsuiGroupBox(suiForm1);
    suiGroupBox1->setObjectName(QStringLiteral("suiGroupBox1"));
    suiGroupBox1->setUIStyle(TsuiUIStyle::MacOS);
    suiGroupBox1->setCaption(QStringLiteral("Externer Aufruf:"));
    suiGroupBox1->setGeometry(GroupGeometry);

    // The blanks pad the captions to one column, as the window has always shown them.
    suiEdit1 = addRow(Label1, QStringLiteral("Label1"), QStringLiteral("suiEdit1"), QStringLiteral("AVR           :"), DeviceEditTop);
    suiEdit2 = addRow(Label2, QStringLiteral("Label2"), QStringLiteral("suiEdit2"), QStringLiteral("Programmer:"), ProgrammerEditTop);
    suiEdit4 = addRow(Label3, QStringLiteral("Label3"), QStringLiteral("suiEdit4"), QStringLiteral("Port            :"), PortEditTop);
    suiEdit3 = addRow(Label4, QStringLiteral("Label4"), QStringLiteral("suiEdit3"), QStringLiteral("Datei          : "), FileEditTop);

    suiButton3 = new TsuiButton(suiGroupBox1);
    suiButton3->setObjectName(QStringLiteral("suiButton3"));
    suiButton3->setUIStyle(TsuiUIStyle::BlueGlass);
    suiButton3->setGeometry(EditLeft + EditWidth + FuseButtonGap,
                            FileEditTop + (EditHeight - FuseButtonHeight) / 2, FuseButtonWidth, FuseButtonHeight);
    suiButton3->setGlyph(tool_glyph(ToolGlyph::Fuses));
    suiButton3->setHint(QStringLiteral("Fuses"));
    connect_handler(suiButton3, &TsuiButton::OnClick, this, &TForm5::suiButton3Click);

    suiButton1 = make_window_button(suiForm1, QStringLiteral("suiButton1"), QStringLiteral("&Programmieren"),
                             ProgramButtonGeometry);
    connect_handler(suiButton1, &TsuiButton::OnClick, this, &TForm5::suiButton1Click);
    suiButton2 = make_window_button(suiForm1, QStringLiteral("suiButton2"), QStringLiteral("&Abbrechen"),
                             CancelButtonGeometry);
    connect_handler(suiButton2, &TsuiButton::OnClick, this, &TForm5::suiButton2Click);
    // Left of "Programmieren", which starts the run it tells how to stop.
    new RunHint(suiForm1,
                QRect(RunHintLeft, ProgramButtonGeometry.top(), ProgramButtonGeometry.left() - RunHintGap - RunHintLeft,
                      ProgramButtonGeometry.height()),
                Qt::AlignRight);

    centreOnDesktop();
}

TsuiEdit *TForm5::addRow(QLabel *&label, const QString &label_name, const QString &edit_name, const QString &caption,
                         int edit_top)
{
    label = new QLabel(caption, suiGroupBox1);
    label->setObjectName(label_name);
    label->move(RowLabelLeft, edit_top + RowLabelDrop);
    label->adjustSize();
    auto *edit = new TsuiEdit(suiGroupBox1);
    edit->setObjectName(edit_name);
    edit->setUIStyle(TsuiUIStyle::MacOS);
    edit->setGeometry(EditLeft, edit_top, EditWidth, EditHeight);
    label_field(label, edit);
    return edit;
}

void TForm5::FormShow()
{
    suiEdit1->setText(readable_text(session_.parameter(1)));
    suiEdit2->setText(readable_text(session_.parameter(2)));
    suiEdit4->setText(readable_text(session_.parameter(3)));
    suiEdit3->setText(readable_text(session_.parameter(4)));
    update();
}

QString TForm5::editedParameter(const TsuiEdit *edit, int number) const
{
    return exact_unless_edited(edit->text(), session_.parameter(number));
}

void TForm5::suiButton1Click()
{
    // The edits, not the main window's choices: corrections made here count. A parameter left as
    // it was shown goes out as the bytes it came as.
    session_.programExternal(editedParameter(suiEdit1, 1), editedParameter(suiEdit2, 2), editedParameter(suiEdit4, 3),
                             editedParameter(suiEdit3, 4));
    Close();
}

void TForm5::suiButton2Click() { Close(); }

void TForm5::suiButton3Click() { fuses_.ShowModal(); }
