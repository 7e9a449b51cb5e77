#include "forms/main/main_form.h"
#include "session/session.h"
#include "skin/edit/tsui_memo.h"
#include "skin/layout/align.h"
#include "skin/panel/tsui_panel.h"
#include "skin/themes/style_bitmaps.h"

#include <QEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor MacBorder{0x7F, 0x7F, 0x7F};

// A window area that lays out its aligned children, as a frame does.
class Host : public QWidget, public AlignedContainer {
public:
    Host() { resize(689, 600); }
    QRect childAlignArea() const override { return rect(); }

protected:
    void resizeEvent(QResizeEvent *) override { align_children(this, childAlignArea()); }
};

// Heights the panel actually took, in order.
class HeightLog : public QObject {
public:
    explicit HeightLog(QWidget *watched) { watched->installEventFilter(this); }
    std::vector<int> heights;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            heights.push_back(static_cast<QWidget *>(watched)->height());
        return false;
    }
};

TsuiPanel *log_panel(QWidget *parent)
{
    auto *panel = new TsuiPanel(parent);
    panel->setUIStyle(TsuiUIStyle::MacOS);
    panel->setBorderColor(MacBorder);
    panel->setCaption(QStringLiteral("AVRDUDE - Log"));
    panel->setCaptionFontColor(Qt::black);
    panel->setColor(Qt::white);
    panel->resize(689, 419);
    set_align(panel, TAlign::alBottom);
    return panel;
}

} // namespace

// The main window's log panel: 21-pixel MacOS bar from x 1 to 687 with the black caption from
// x 10, centred in the bar, grey border, white body, no button, and the memo at (4, 25)-(685, 415).
TEST(Panel, MainWindowLogPanel)
{
    Session session;
    TForm1 form{session};
    TsuiPanel *panel = form.logPanel;
    ASSERT_EQ(panel->size(), QSize(689, 419));
    EXPECT_EQ(form.Log->geometry(), QRect(QPoint(4, 25), QPoint(684, 414)));
    EXPECT_EQ(form.Log->parentWidget(), panel);

    const QImage image = panel->grab().toImage();
    image.save(QStringLiteral("log_panel.png"));
    const QImage bar = LoadStyleBitmap(QStringLiteral("MACOS_SIDECHENNEL_BAR"));
    ASSERT_EQ(bar.height(), 21);
    for (int row = 0; row < 21; ++row) {
        const QColor expected = bar.pixelColor(0, row);
        for (int x : {1, 5, 400, 672, 687})
            EXPECT_EQ(image.pixelColor(x, row), expected) << x << "," << row;
    }
    for (int row = 1; row < 419; ++row) {
        EXPECT_EQ(image.pixelColor(0, row), MacBorder) << row;
        EXPECT_EQ(image.pixelColor(688, row), MacBorder) << row;
    }
    for (int x = 0; x < 689; ++x)
        EXPECT_EQ(image.pixelColor(x, 418), MacBorder) << x;
    for (const QPoint p : {QPoint(1, 21), QPoint(3, 24), QPoint(687, 417), QPoint(685, 415), QPoint(300, 416)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();

    // Caption ink: dark pixels that differ from the bar, starting at x 10, centred on the bar.
    int left = 689, top = 21, bottom = -1;
    for (int x = 0; x < 200; ++x)
        for (int row = 0; row < 21; ++row) {
            if (image.pixelColor(x, row) != bar.pixelColor(0, row) && image.pixelColor(x, row).lightness() < 100) {
                left = std::min(left, x);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        }
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 11);
    EXPECT_NEAR((top + bottom) / 2.0, 10.0, 1.5);
}

// Collapsing from 419 to the 21-pixel bar goes in 15-pixel steps; expanding comes back to the
// full height. Each ends with one notification.
TEST(Panel, CollapsesAndExpandsInStepsByItsButton)
{
    Host host;
    TsuiPanel *panel = log_panel(&host);
    auto *memo = new TsuiMemo(panel);
    set_align(memo, TAlign::alClient);
    host.show();
    realign_container(&host);
    ASSERT_EQ(panel->geometry(), QRect(0, 600 - 419, 689, 419));

    QSignalSpy pushed(panel, &TsuiPanel::OnPush);
    QSignalSpy popped(panel, &TsuiPanel::OnPop);
    HeightLog log(panel);
    const QPoint button(689 - 12, 10);
    QTest::mouseMove(panel, button);
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, button);

    std::vector<int> expected;
    for (int h = 404; h >= 29; h -= 15)
        expected.push_back(h);
    expected.push_back(21);
    EXPECT_EQ(log.heights, expected);
    EXPECT_EQ(pushed.count(), 1);
    EXPECT_EQ(popped.count(), 0);
    EXPECT_FALSE(panel->isExpanded());
    EXPECT_EQ(panel->fullHeight(), 419);
    // The panel stays at the bottom of its host.
    EXPECT_EQ(panel->geometry(), QRect(0, 600 - 21, 689, 21));

    log.heights.clear();
    QTest::mouseMove(panel, button);
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, button);
    expected.clear();
    for (int h = 36; h < 419; h += 15)
        expected.push_back(h);
    expected.push_back(419);
    EXPECT_EQ(log.heights, expected);
    EXPECT_EQ(popped.count(), 1);
    EXPECT_EQ(pushed.count(), 1);
    EXPECT_TRUE(panel->isExpanded());
    EXPECT_EQ(memo->geometry(), QRect(QPoint(4, 25), QPoint(684, 414)));

    // Clicking the bar beside the button does nothing.
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_EQ(pushed.count(), 1);
    EXPECT_EQ(panel->height(), 419);
}

TEST(Panel, HeightOfACollapsedPanelIsTheHeightItExpandsTo)
{
    Host host;
    TsuiPanel *panel = log_panel(&host);
    host.show();
    panel->push();
    ASSERT_EQ(panel->height(), 21);
    panel->setHeight(300);
    EXPECT_EQ(panel->height(), 21);
    EXPECT_EQ(panel->fullHeight(), 300);
    panel->pop();
    EXPECT_EQ(panel->height(), 300);
    EXPECT_EQ(panel->geometry().bottom(), 599);
}

TEST(Panel, RefusesToCollapseWhenAlignedToASide)
{
    Host host;
    TsuiPanel *panel = log_panel(&host);
    set_align(panel, TAlign::alClient);
    host.show();
    realign_container(&host);
    QSignalSpy pushed(panel, &TsuiPanel::OnPush);
    try {
        panel->push();
        FAIL() << "collapsed a client-aligned panel";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "Can't push when Align is alClient, alLeft or alRight.");
    }
    EXPECT_EQ(panel->height(), 600);
    EXPECT_TRUE(panel->isExpanded());
    EXPECT_EQ(pushed.count(), 0);
}

// A new style resets the body to white and the caption to the style's colour, keeps the height,
// and moves the children to the new bar's height (DeepBlue's bar is 20 high).
TEST(Panel, StyleResetsColoursAndKeepsHeight)
{
    Host host;
    TsuiPanel *panel = log_panel(&host);
    auto *memo = new TsuiMemo(panel);
    set_align(memo, TAlign::alClient);
    host.show();
    panel->setColor(Qt::red);
    panel->setCaptionFontColor(Qt::green);

    panel->setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(panel->color(), QColor(Qt::white));
    EXPECT_EQ(panel->captionFontColor(), QColor(Qt::white));
    EXPECT_EQ(panel->borderColor(), QColor(Qt::black));
    EXPECT_EQ(panel->height(), 419);
    EXPECT_EQ(memo->geometry().top(), 24);
    panel->setUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(panel->captionFontColor(), QColor(Qt::black));
    EXPECT_EQ(memo->geometry().top(), 25);
}

// The bar's button: shown frame 1 normally, frame 2 under the pointer, frames 3 and 4 collapsed.
TEST(Panel, ButtonFrameFollowsPointerAndState)
{
    Host host;
    TsuiPanel *panel = log_panel(&host);
    host.show();
    const QImage strip = LoadStyleBitmap(QStringLiteral("PANEL_BUTTON"));
    auto frame = [&strip](int index) {
        QImage cut;
        CutBitmapFrame(strip, &cut, 4, index);
        return cut.convertToFormat(QImage::Format_RGB32);
    };
    auto shown = [panel] {
        // Drawn at x = width - 17, y = (bar - 12) / 2 / 2 + 2 = 4.
        return panel->grab().toImage().copy(689 - 17, 4, 13, 12).convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(shown(), frame(1));
    QTest::mouseMove(panel, QPoint(689 - 12, 10));
    EXPECT_EQ(shown(), frame(2));
    QTest::mouseMove(panel, QPoint(300, 10));
    EXPECT_EQ(shown(), frame(1));
    panel->push();
    EXPECT_EQ(shown(), frame(3));
    QTest::mouseMove(panel, QPoint(689 - 12, 10));
    EXPECT_EQ(shown(), frame(4));
}
