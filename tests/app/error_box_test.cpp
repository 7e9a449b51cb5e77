#include "app/error_box.h"
#include "app/quillon_error.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QMessageBox>
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
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        throw QuillonError::list_index_beyond(20);
    });
    button.show();

    QString icon_seen;
    ModalAnswer answer([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return false;
        icon_seen = box->icon() == QMessageBox::Critical ? QStringLiteral("stop") : QStringLiteral("other");
        EXPECT_EQ(box->buttons().size(), 1);
        box->buttons().first()->click();
        return true;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(answer.answered());
    EXPECT_EQ(answer.seenTitle(), QStringLiteral("Quillon"));
    EXPECT_EQ(answer.seenText(), QStringLiteral("Listenindex überschreitet das Maximum (20)"));
    EXPECT_EQ(icon_seen, QStringLiteral("stop"));

    ModalAnswer second(ModalAnswer::closeMessageBox());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(second.answered());
    EXPECT_EQ(clicks, 2);
}
