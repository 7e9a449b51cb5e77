// Where the controls of the options, driver and external windows sit, how large they are and
// what they say, each window from one table.
#include "forms/application_windows.h"
#include "forms/external/extern_form.h"
#include "forms/options/driver_form.h"
#include "forms/options/options_form.h"
#include "skin/button/tsui_button.h"
#include "skin/button/tsui_radio_button.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/form/tsui_form.h"
#include "skin/panel/tsui_group_box.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// A control's place in its parent's client coordinates; -1 where the window leaves a value open.
struct Placed {
    const QWidget *control;
    int x, y, width, height;
    const char *text; // caption or label text; null where the control shows the user's text
};

QString shown_text(const QWidget *control)
{
    const QVariant caption = control->property("Caption");
    return caption.isValid() ? caption.toString() : control->property("text").toString();
}

void expect_layout(const TForm &window, QSize client, const char *caption, std::initializer_list<Placed> table)
{
    SCOPED_TRACE(caption);
    EXPECT_EQ(window.clientSize(), client);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(caption));
    for (const Placed &p : table) {
        SCOPED_TRACE(p.control->objectName().toStdString());
        if (p.x >= 0) {
            EXPECT_EQ(p.control->pos(), QPoint(p.x, p.y));
        }
        if (p.width >= 0) {
            EXPECT_EQ(p.control->width(), p.width);
        }
        if (p.height >= 0) {
            EXPECT_EQ(p.control->height(), p.height);
        }
        if (p.text) {
            EXPECT_EQ(shown_text(p.control), QString::fromUtf8(p.text));
        }
    }
}

} // namespace

TEST(WindowLayout, OptionsDriverAndExternalWindowsPlaceEveryControl)
{
    ApplicationWindows windows({});
    const TForm4 &o = windows.options();
    expect_layout(o, {414, 207}, "OK",
                  {
                      {o.Label1, 24, 48, -1, -1, "Pfad zu avrdude.exe"},
                      {o.suiEdit1, 24, 64, 289, -1, nullptr},
                      {o.suiButton1, 325, 60, 80, 25, "&Suchen"},
                      {o.Label2, 24, 104, -1, -1, "Für Parallelport-Programmer wird der giveio-Treiber benötigt!"},
                      {o.io1, 24, 128, -1, -1, "giveio-Treiber installieren"},
                      {o.io2, 176, 128, -1, -1, "giveio-Treiber deinstallieren"},
                      {o.suiButton2, 325, 177, 80, 27, "S&peichern"},
                  });
    const TForm6 &d = windows.driver();
    expect_layout(d, {501, 360}, "giveio-Driver Installation",
                  {
                      {d.Label1, 8, 40, -1, -1, "Status:"},
                      {d.log, 8, 56, 489, 257, nullptr},
                      {d.suiButton1, 416, 320, 80, 27, "&OK"},
                  });
    EXPECT_FALSE(d.log->isReadOnly());
    const TForm5 &e = windows.external();
    expect_layout(e, {372, 208}, "Extern-Prog",
                  {
                      {e.suiGroupBox1, 8, 32, 353, 137, "Externer Aufruf:"},
                      {e.Label1, -1, -1, -1, -1, "AVR           :"},
                      {e.suiEdit1, 72, 27, 121, -1, nullptr},
                      {e.Label2, -1, -1, -1, -1, "Programmer:"},
                      {e.suiEdit2, 72, 51, 121, -1, nullptr},
                      {e.Label3, -1, -1, -1, -1, "Port            :"},
                      {e.suiEdit4, 72, 80, 121, -1, nullptr},
                      {e.Label4, -1, -1, -1, -1, "Datei          : "},
                      {e.suiEdit3, 72, 107, 121, -1, nullptr},
                      {e.suiButton3, -1, -1, 33, 27, ""},
                      {e.suiButton1, 168, 176, 104, 25, "&Programmieren"},
                      {e.suiButton2, 272, 176, 88, 25, "&Abbrechen"},
                  });
    // Each label stands in its edit's row, the fuse button at the end of the file row.
    for (const auto &[label, edit] : {std::pair{e.Label1, e.suiEdit1}, {e.Label2, e.suiEdit2}, {e.Label3, e.suiEdit4},
                                      {e.Label4, e.suiEdit3}})
        EXPECT_LT(qAbs(label->geometry().center().y() - edit->geometry().center().y()), 5) << shown_text(label).toStdString();
    EXPECT_GT(e.suiButton3->x(), e.suiEdit3->geometry().right());
    EXPECT_LT(qAbs(e.suiButton3->geometry().center().y() - e.suiEdit3->geometry().center().y()), 2);
}
