#include "skin/button/tsui_button.h"
#include "skin/dialog/tfrm_msg.h"
#include "skin/dialog/tsui_message_dialog.h"
#include "skin/form/tform.h"
#include "skin/form/tsui_form.h"
#include "skin/themes/style_bitmaps.h"
#include "skin/titlebar/tsui_title_bar.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace {

using Window = std::unique_ptr<TfrmMsg>;

QList<TsuiButton *> buttons_of(const TfrmMsg &form)
{
    return form.suiForm1->findChildren<TsuiButton *>(Qt::FindDirectChildrenOnly);
}

TsuiButton *button_numbered(const TfrmMsg &form, int number)
{
    return form.suiForm1->findChild<TsuiButton *>(QStringLiteral("Button%1").arg(number));
}

void save_for_viewing(TfrmMsg &form, const QString &name)
{
    form.show();
    form.grab().save(QDir::current().absoluteFilePath(name));
}

// Shows the dialog modally; while it is open, `inside` runs once on its window, then `key` is
// pressed on the focused control. Returns the modal result.
int answer_with_key(TsuiMessageDialog &dialog, int key, const std::function<void(TfrmMsg *)> &inside = {})
{
    ModalAnswer answer([&](QWidget *modal) {
        auto *form = qobject_cast<TfrmMsg *>(modal);
        if (!form)
            return false;
        if (inside)
            inside(form);
        return ModalAnswer::pressKeyInMessageWindow(key)(form);
    });
    const int result = dialog.ShowModal();
    EXPECT_TRUE(answer.answered());
    return result;
}

} // namespace

TEST(MessageDialog, DefaultsFollowTheOwnerFormAndTheStyleColoursTheCaption)
{
    TForm owner;
    auto *frame = new TsuiForm(&owner);
    frame->setUIStyle(TsuiUIStyle::MacOS);
    TsuiMessageDialog dialog(&owner);
    EXPECT_EQ(dialog.caption(), QStringLiteral("suiDialog"));
    EXPECT_EQ(dialog.text(), QStringLiteral("Hello world!"));
    EXPECT_EQ(dialog.position(), TPosition::poScreenCenter);
    EXPECT_EQ(dialog.buttonCursor(), crHandPoint);
    EXPECT_EQ(dialog.buttonCount(), 1);
    EXPECT_EQ(dialog.button3Caption(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.button3ModalResult(), mrCancel);
    EXPECT_EQ(dialog.uiStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(dialog.captionFont().family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(dialog.captionFont().bold());
    EXPECT_EQ(dialog.captionFontColor(), QColor(Qt::black));

    for (TsuiUIStyle style : {TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass,
                              TsuiUIStyle::FromThemeFile}) {
        dialog.setUIStyle(style);
        EXPECT_EQ(dialog.captionFontColor(), QColor(Qt::white)) << static_cast<int>(style);
    }
    // A colour stored after the style wins until the style is set again.
    dialog.setCaptionFontColor(Qt::red);
    std::unique_ptr<TfrmMsg> form(dialog.CreateMessageWindow());
    EXPECT_EQ(form->suiForm1->titleBar()->fontColor(), QColor(Qt::red));
    dialog.setUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(dialog.captionFontColor(), QColor(Qt::black));

    dialog.setButtonCount(7);
    EXPECT_EQ(dialog.buttonCount(), 3);
    dialog.setButtonCount(0);
    EXPECT_EQ(dialog.buttonCount(), 1);
}

TEST(MessageDialog, OneLineOneButtonWithoutIconGivesTheNarrowWindow)
{
    TsuiMessageDialog dialog(nullptr);
    dialog.setUIStyle(TsuiUIStyle::MacOS);
    dialog.setCaption(QStringLiteral("Fehler!"));
    dialog.setText(QStringLiteral("Sie haben kein Komando eigegeben!"));
    const Window form(dialog.CreateMessageWindow());

    EXPECT_EQ(form->clientSize(), QSize(272, 169));
    EXPECT_EQ(form->lbl->pos(), QPoint(24, 64));
    EXPECT_EQ(form->lbl->width(), 225);
    EXPECT_TRUE(form->Image1->isHidden());
    const QList<TsuiButton *> buttons = buttons_of(*form);
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->geometry(), QRect(175, 124, 73, 25));
    EXPECT_EQ(buttons[0]->caption(), QStringLiteral("OK"));
    EXPECT_TRUE(buttons[0]->isDefault());
    EXPECT_FALSE(buttons[0]->cancel());
    EXPECT_EQ(buttons[0]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(buttons[0]->uiStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(form->suiForm1->caption(), QStringLiteral("Fehler!"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Fehler!"));
    save_for_viewing(*form, QStringLiteral("message_one_line.png"));
}

TEST(MessageDialog, LongTextPushesTheButtonsDown)
{
    TsuiMessageDialog dialog(nullptr);
    dialog.setText(QStringLiteral("eins\nzwei\ndrei\nvier\nfünf"));
    dialog.setButtonCount(2);
    const Window form(dialog.CreateMessageWindow());

    const int line = QFontMetrics(form->lbl->font()).lineSpacing();
    const int label_height = form->lbl->height();
    EXPECT_GE(label_height, 5 * line - 1);
    EXPECT_LT(label_height, 6 * line);
    const int bottom = 64 + label_height; // 129 with a 13-pixel line
    EXPECT_EQ(form->clientSize(), QSize(272, bottom + 65));
    EXPECT_EQ(button_numbered(*form, 1)->geometry(), QRect(82, bottom + 20, 73, 25));
    EXPECT_EQ(button_numbered(*form, 2)->geometry(), QRect(175, bottom + 20, 73, 25));

    // A word longer than the label still wraps inside it.
    dialog.setText(QString(120, u'W'));
    const Window wide(dialog.CreateMessageWindow());
    EXPECT_EQ(wide->lbl->width(), 225);
    EXPECT_EQ(wide->clientSize().width(), 272);
    save_for_viewing(*form, QStringLiteral("message_five_lines.png"));
}

TEST(MessageDialog, StopIconShowsTheSecondFrameAndKeepsTheWidth)
{
    TsuiMessageDialog dialog(nullptr);
    dialog.setUIStyle(TsuiUIStyle::MacOS);
    dialog.setIconType(TsuiIconType::suiStop);
    dialog.setCaption(QStringLiteral("Quillon"));
    dialog.setText(QStringLiteral("Datei x.hex kann nicht geöffnet werden."));
    const Window form(dialog.CreateMessageWindow());

    EXPECT_EQ(form->clientSize(), QSize(336, 169));
    EXPECT_EQ(form->lbl->pos(), QPoint(88, 64));
    EXPECT_EQ(form->Image1->geometry(), QRect(24, 64, 42, 42));
    QImage stop;
    CutBitmapFrame(LoadStyleBitmap(QStringLiteral("MSGDLG")), &stop, 4, 2);
    EXPECT_EQ(form->Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
              stop.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(buttons_of(*form)[0]->geometry(), QRect(239, 124, 73, 25));
    save_for_viewing(*form, QStringLiteral("message_stop.png"));
}

TEST(MessageDialog, ThreeButtonsRunRightToLeftAndAnswerEnterAndEscape)
{
    TsuiMessageDialog dialog(nullptr);
    dialog.setUIStyle(TsuiUIStyle::MacOS);
    dialog.setButtonCount(3);
    {
        const Window form(dialog.CreateMessageWindow());
        EXPECT_EQ(form->clientSize().width(), 336);
        const QList<TsuiButton *> made = buttons_of(*form);
        ASSERT_EQ(made.size(), 3);
        // Made right to left.
        EXPECT_EQ(made[0]->x(), 239);
        EXPECT_EQ(made[2]->x(), 53);
        EXPECT_EQ(button_numbered(*form, 1)->caption(), QStringLiteral("OK"));
        EXPECT_EQ(button_numbered(*form, 2)->x(), 146);
        EXPECT_TRUE(button_numbered(*form, 1)->isDefault());
        EXPECT_TRUE(button_numbered(*form, 2)->cancel());
        EXPECT_TRUE(button_numbered(*form, 3)->cancel());
        EXPECT_FALSE(button_numbered(*form, 3)->isDefault());
        save_for_viewing(*form, QStringLiteral("message_three_buttons.png"));
    }

    QWidget *focused = nullptr;
    QString focused_caption;
    EXPECT_EQ(answer_with_key(dialog, Qt::Key_Return, [&](TfrmMsg *form) {
                  focused = form->focusWidget();
                  focused_caption = focused ? focused->property("Caption").toString() : QString();
              }),
              mrOk);
    EXPECT_EQ(focused_caption, QStringLiteral("OK"));
    EXPECT_EQ(answer_with_key(dialog, Qt::Key_Escape), mrCancel);

    // Tab runs left to right; a result other than OK or Cancel is returned as it is.
    dialog.setButton3ModalResult(7);
    EXPECT_EQ(answer_with_key(dialog, Qt::Key_Space,
                              [](TfrmMsg *form) {
                                  QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
                                  QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
                              }),
              7);
}

TEST(MessageDialog, ClosingByTheTitleBarGivesCancelAndLeavesNoWindow)
{
    TsuiMessageDialog dialog(nullptr);
    dialog.setUIStyle(TsuiUIStyle::MacOS);
    int close_buttons = 0;
    ModalAnswer answer([&](QWidget *modal) {
        auto *form = qobject_cast<TfrmMsg *>(modal);
        if (!form)
            return false;
        TsuiTitleBar *bar = form->suiForm1->titleBar();
        for (int i = 0; i < bar->Buttons()->Count(); ++i)
            close_buttons += bar->Buttons()->Items(i)->buttonType() == TsuiTitleBarBtnType::suiClose ? 1 : 0;
        // The close picture covers columns TW-20..TW-4 and rows 1..17; the hot button is found
        // when the bar paints.
        const QPoint close_centre(bar->width() - 12, 9);
        QTest::mouseMove(bar, close_centre);
        bar->grab();
        QTest::mousePress(bar, Qt::LeftButton, {}, close_centre);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, close_centre);
        return true;
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(close_buttons, 1);
    for (QWidget *top : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TfrmMsg *>(top)) << "a message window outlived its showing";
}

TEST(MessageDialog, CtrlCCopiesCaptionTextAndButtonsInTheOrderTheyWereMade)
{
    TsuiMessageDialog dialog(nullptr);
    dialog.setCaption(QStringLiteral("Frage"));
    dialog.setText(QStringLiteral("Überschreiben?"));
    dialog.setButtonCount(3);
    dialog.setButton1Caption(QStringLiteral("Ja"));
    dialog.setButton2Caption(QStringLiteral("Nein"));
    dialog.setButton3Caption(QStringLiteral("Abbrechen"));
    const QString rule(27, u'-');
    const QString expected = rule + "\r\nFrage\r\n" + rule + "\r\nÜberschreiben?\r\n" + rule +
                             "\r\nAbbrechen   Nein   Ja\r\n" + rule;

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    int result = mrNone;
    ModalAnswer answer([&](QWidget *modal) {
        auto *form = qobject_cast<TfrmMsg *>(modal);
        if (!form)
            return false;
        // Plain C copies nothing; Ctrl+Shift+C copies as Ctrl+C does, and the key is not eaten.
        QTest::keyClick(form->focusWidget(), Qt::Key_C);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QTest::keyClick(form->focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(form->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
        QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        return true;
    });
    result = dialog.ShowModal();
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(result, mrCancel);
}
