#include "app/error_box.h"
#include "handlers/handler_boundary.h"
#include "session/quillon_error.h"
#include "skin/button/tsui_button.h"
#include "skin/dialog/tfrm_msg.h"
#include "skin/themes/style_bitmaps.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(ErrorBox, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(error_box_text(QStringLiteral("Datei x kann nicht geöffnet werden")),
              QStringLiteral("Datei x kann nicht geöffnet werden."));
    EXPECT_EQ(error_box_text(QStringLiteral("Listenindex überschreitet das Maximum (0)")),
              QStringLiteral("Listenindex überschreitet das Maximum (0)"));
    EXPECT_EQ(error_box_text(QStringLiteral("'abc' ist kein gültiger Integerwert")),
              QStringLiteral("'abc' ist kein gültiger Integerwert."));
    EXPECT_EQ(error_box_text(QStringLiteral("done.")), QStringLiteral("done."));
    EXPECT_EQ(error_box_text(QStringLiteral("x-")), QStringLiteral("x-"));
    EXPECT_EQ(error_box_text(QStringLiteral("x/")), QStringLiteral("x/."));
    EXPECT_EQ(error_box_text(QString()), QString());
}

TEST(ErrorBox, CatchesWhatAHandlerLetsThroughAndTheProgramGoesOn)
{
    QPushButton button(QStringLiteral("fail"));
    int clicks = 0;
    connect_handler(&button, &QPushButton::clicked, &button, [&] {
        ++clicks;
        throw QuillonError::list_index_beyond(20);
    });
    // The failure stays inside its handler: the signal still reaches the ones connected after it.
    int later_slots = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++later_slots; });
    button.show();

    bool stop_icon = false;
    int buttons = 0;
    ModalAnswer answer([&](QWidget *modal) {
        auto *form = qobject_cast<TfrmMsg *>(modal);
        if (!form)
            return false;
        QImage stop;
        CutBitmapFrame(LoadStyleBitmap(QStringLiteral("MSGDLG")), &stop, 4, 2);
        stop_icon = !form->Image1->isHidden() && form->Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32) ==
                                                     stop.convertToFormat(QImage::Format_ARGB32);
        buttons = static_cast<int>(form->findChildren<TsuiButton *>().size());
        return ModalAnswer::closeMessageBox()(form);
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenTitle(), QStringLiteral("Quillon"));
    EXPECT_EQ(answer.seenText(), QStringLiteral("Listenindex überschreitet das Maximum (20)"));
    EXPECT_TRUE(stop_icon);
    EXPECT_EQ(buttons, 1);

    ModalAnswer second(ModalAnswer::closeMessageBox());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(second.answered());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(later_slots, 2);
}

// Bitmaps are loaded in paint handlers: a missing one is reported from the event loop, once.
TEST(ErrorBox, AMissingBitmapIsReportedOnceAndNotThrown)
{
    ModalAnswer answer(ModalAnswer::closeMessageBox());
    EXPECT_TRUE(LoadStyleBitmap(QStringLiteral("NO_SUCH_BITMAP")).isNull());
    EXPECT_TRUE(LoadStyleBitmap(QStringLiteral("NO_SUCH_BITMAP")).isNull());
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.answered(); }, 10000));
    EXPECT_EQ(answer.seenText(), QStringLiteral("Bitmap resource \"NO_SUCH_BITMAP\" not found."));
    ModalAnswer second(ModalAnswer::closeMessageBox(), 300);
    QTest::qWait(500);
    EXPECT_FALSE(second.answered());
}
