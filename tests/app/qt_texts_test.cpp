// Qt's own texts that a user meets: the open and save dialogs and the context menus of the edits
// and the log. They are German like everything else.
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"

#include <QPushButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A caption as it reads, without its hot-key mark.
std::string plain(QString text) { return text.remove(u'&').toStdString(); }

QStringList action_texts(QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().remove(u'&').section(u'\t', 0, 0);
    return texts;
}

} // namespace

TEST(QtTexts, FileDialogsAndContextMenusAreGerman)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    EXPECT_EQ(plain(dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"))->text()), "Suchen in:");
    EXPECT_EQ(plain(dialog.findChild<QLabel *>(QStringLiteral("fileNameLabel"))->text()), "Dateiname:");
    const auto *buttons = dialog.findChild<QDialogButtonBox *>();
    EXPECT_EQ(plain(buttons->button(QDialogButtonBox::Open)->text()), "Öffnen");
    EXPECT_EQ(plain(buttons->button(QDialogButtonBox::Cancel)->text()), "Abbrechen");
    // For a look at it: build/tests/app_test/file_dialog.png.
    dialog.grab().save(QStringLiteral("file_dialog.png"));

    QWidget window;
    TsuiEdit edit(&window);
    TsuiMemo log(&window);
    const std::unique_ptr<QMenu> edit_menu(edit.createStandardContextMenu());
    const std::unique_ptr<QMenu> log_menu(log.createStandardContextMenu());
    for (QMenu *menu : {edit_menu.get(), log_menu.get()}) {
        const QStringList texts = action_texts(menu);
        EXPECT_TRUE(texts.contains(QStringLiteral("Kopieren"))) << texts.join(u'|').toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Alles auswählen"))) << texts.join(u'|').toStdString();
    }
}
