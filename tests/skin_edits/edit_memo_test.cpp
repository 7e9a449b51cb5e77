#include "skin/edit/memo_section.h"
#include "skin/edit/tsui_edit.h"
#include "skin/edit/tsui_memo.h"
#include "skin/edit/tsui_scroll_bar.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QColor MacBorder{0x7F, 0x7F, 0x7F};

// Every pixel of the outer ring is `outer`, every pixel of the ring inside it `inner`.
void expect_band(const QImage &image, const QColor &outer, const QColor &inner)
{
    const int w = image.width(), h = image.height();
    for (int x = 0; x < w; ++x) {
        ASSERT_EQ(image.pixelColor(x, 0), outer) << x;
        ASSERT_EQ(image.pixelColor(x, h - 1), outer) << x;
    }
    for (int y = 0; y < h; ++y) {
        ASSERT_EQ(image.pixelColor(0, y), outer) << y;
        ASSERT_EQ(image.pixelColor(w - 1, y), outer) << y;
    }
    for (int x = 1; x < w - 1; ++x) {
        ASSERT_EQ(image.pixelColor(x, 1), inner) << x;
        ASSERT_EQ(image.pixelColor(x, h - 2), inner) << x;
    }
    for (int y = 1; y < h - 1; ++y) {
        ASSERT_EQ(image.pixelColor(1, y), inner) << y;
        ASSERT_EQ(image.pixelColor(w - 2, y), inner) << y;
    }
}

} // namespace

TEST(Edit, FlatBorderInStyleAndBackgroundColour)
{
    QWidget surface;
    auto *edit = new TsuiEdit(&surface);
    edit->setUIStyle(TsuiUIStyle::MacOS);
    edit->setGeometry(8, 24, 585, 21);
    edit->setText(QStringLiteral("-p m8 -c usbasp -P usb"));
    surface.show();
    expect_band(edit->grab().toImage(), MacBorder, Qt::white);

    edit->setColor(Qt::yellow);
    expect_band(edit->grab().toImage(), MacBorder, Qt::yellow);
    edit->setBorderColor(Qt::red);
    expect_band(edit->grab().toImage(), Qt::red, Qt::yellow);
    edit->setUIStyle(TsuiUIStyle::WinXP);
    expect_band(edit->grab().toImage(), QColor(0x68, 0x68, 0x68), Qt::yellow);
    edit->grab().save(QStringLiteral("edit.png"));

    // Typing still works as the platform's edit does.
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("-v"));
    EXPECT_EQ(edit->text(), QStringLiteral("-v"));
}

// An edit left at its default colour, the system's window colour, shows that colour's current
// value in its inner border ring; a colour of its own stays when the system colour changes.
TEST(Edit, SystemColourIsReadWhenTheBorderIsDrawn)
{
    const QPalette before = QApplication::palette();
    QWidget surface;
    auto *system = new TsuiEdit(&surface);
    auto *own = new TsuiEdit(&surface);
    system->setUIStyle(TsuiUIStyle::MacOS);
    own->setUIStyle(TsuiUIStyle::MacOS);
    own->setColor(Qt::yellow);
    own->move(0, 30);
    surface.show();
    QPalette changed = before;
    changed.setColor(QPalette::Base, QColor(0x12, 0x34, 0x56));
    QApplication::setPalette(changed);
    QApplication::processEvents(); // the change reaches the widgets as an event
    expect_band(system->grab().toImage(), MacBorder, QColor(0x12, 0x34, 0x56));
    expect_band(own->grab().toImage(), MacBorder, Qt::yellow);
    QApplication::setPalette(before);
}

// The DeepBlue log memo: black outer pixel, background inner pixel, its own vertical scroll bar
// inside the band.
TEST(Memo, LogMemoBorderWithScrollBarInside)
{
    QWidget surface;
    auto *memo = new TsuiMemo(&surface);
    memo->setUIStyle(TsuiUIStyle::DeepBlue);
    memo->setReadOnly(true);
    memo->setGeometry(4, 25, 681, 390);
    surface.resize(689, 419);
    surface.show();
    memo->appendLines({QStringLiteral("avrdude: AVR device initialized and ready to accept instructions")});
    const QImage image = memo->grab().toImage();
    image.save(QStringLiteral("log_memo.png"));
    expect_band(image, Qt::black, Qt::white);

    const QScrollBar *own = memo->verticalScrollBar();
    ASSERT_TRUE(own->isVisible());
    const QRect bar(own->mapTo(memo, QPoint(0, 0)), own->size());
    EXPECT_EQ(bar.right(), 681 - 3);
    EXPECT_EQ(bar.top(), 2);
    EXPECT_EQ(bar.bottom(), 390 - 3);
    EXPECT_EQ(memo->viewport()->geometry().left(), 2);
}

// Long lines are shown cut, with a marker, and still read back and copy whole; a live stream is
// cut the same way as it arrives.
TEST(Memo, LongLinesAreShownCutButReadAndCopiedWhole)
{
    TsuiMemo memo(nullptr);
    memo.resize(681, 390);
    const QString long_line(ShownLineLimit * 3, u'x');
    const QStringList lines{QStringLiteral("kurz"), long_line, QStringLiteral("danach")};
    memo.appendLines(lines);
    const QString shown = memo.document()->toPlainText();
    EXPECT_LT(shown.size(), ShownLineLimit + 200);
    EXPECT_TRUE(shown.contains(QStringLiteral(" … (4.000 weitere Zeichen; Kopieren liefert die ganze Zeile)")));
    EXPECT_EQ(memo.lines(), lines);

    struct Selection {
        int from, to;
        QString copied;
    };
    const int after_cut = static_cast<int>(shown.indexOf(QStringLiteral("danach")));
    const Selection selections[] = {
        {0, static_cast<int>(shown.size()), lines.join(u'\n')},
        {1, 3, QStringLiteral("ur")},
        {2, 10, QStringLiteral("rz\n") + long_line},
        {after_cut + 1, after_cut + 3, QStringLiteral("an")},
    };
    for (const Selection &selection : selections) {
        QTextCursor cursor(memo.document());
        cursor.setPosition(selection.from);
        cursor.setPosition(selection.to, QTextCursor::KeepAnchor);
        memo.setTextCursor(cursor);
        memo.copy();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), selection.copied) << selection.from << ".." << selection.to;
    }

}

// A section grows where it is while others grow after it; the line still being written shows as
// it stands until it is complete; cut lines read back and copy whole there too, and a line put
// on top leaves them with their lines.
TEST(Memo, SectionsGrowInPlaceAndShowTheUnfinishedLine)
{
    TsuiMemo memo(nullptr);
    memo.resize(681, 390);
    const QString long_line(ShownLineLimit * 2, u'z');
    const QString unfinished(ShownLineLimit + 1, u'y');
    MemoSection errors(memo, MemoSection::Place::End, QStringLiteral("E"));
    errors.showUnfinished(QStringLiteral("Writing | #"), false);
    MemoSection output(memo, MemoSection::Place::Top, QStringLiteral("O"));
    output.appendLines({QStringLiteral("o1"), long_line});
    errors.appendLines({QStringLiteral("Writing | ##"), QStringLiteral("e2")});
    errors.showUnfinished(unfinished, true);
    output.appendLines({QStringLiteral("o3")});
    EXPECT_EQ(memo.lines(), (QStringList{"O", "o1", long_line, "o3", "E", "Writing | ##", "e2",
                                         unfinished.left(ShownLineLimit) + QStringLiteral(" …")}));

    errors.showUnfinished({}, false);
    MemoSection top(memo, MemoSection::Place::Top, QStringLiteral("R"));
    const QStringList report{"R", "O", "o1", long_line, "o3", "E", "Writing | ##", "e2"};
    EXPECT_EQ(memo.lines(), report);
    memo.selectAll();
    memo.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), report.join(u'\n'));

    memo.clearLines();
    memo.appendLines({long_line});
    MemoSection on_top(memo, MemoSection::Place::Top, QStringLiteral("R"));
    EXPECT_EQ(memo.lines(), (QStringList{"R", long_line}));
}

// A 100,000-line report goes in as one insertion and comes out as the same lines.
TEST(Memo, AppendsALongReportInOneInsertion)
{
    TsuiMemo memo(nullptr);
    memo.resize(681, 390);
    memo.appendLines({QStringLiteral("Return-Code: 0")});
    QStringList report;
    for (int i = 0; i < 100000; ++i)
        report << QStringLiteral("avrdude: line %1 of the report").arg(i);
    QElapsedTimer timer;
    timer.start();
    memo.appendLines(report);
    const qint64 elapsed = timer.elapsed();
    RecordProperty("append_100000_ms", static_cast<int>(elapsed));
    std::printf("appendLines of 100,000 lines: %lld ms\n", static_cast<long long>(elapsed));
    const QStringList lines = memo.lines();
    ASSERT_EQ(lines.size(), 100001);
    EXPECT_EQ(lines.first(), QStringLiteral("Return-Code: 0"));
    EXPECT_EQ(lines.last(), QStringLiteral("avrdude: line 99999 of the report"));
    // A line-by-line insertion takes seconds; one batch stays far below this even on a busy machine.
    EXPECT_LT(elapsed, 1500);
}

// A linked skinned bar stands over the memo's own bar and the two scroll together.
TEST(Memo, LinkedScrollBarFollowsAndDrivesTheMemo)
{
    QWidget surface;
    surface.resize(400, 300);
    auto *memo = new TsuiMemo(&surface);
    memo->setScrollBars(TScrollStyle::ssNone);
    memo->setGeometry(10, 20, 200, 100);
    auto *bar = new TsuiScrollBar(&surface);
    bar->resize(16, 50);
    surface.show();

    memo->setVScrollBar(bar);
    EXPECT_EQ(memo->scrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(bar->orientation(), Qt::Vertical);
    EXPECT_EQ(bar->geometry(), QRect(10 + 200 - 16 - 2, 21, 16, 98));
    EXPECT_FALSE(bar->isEnabled()); // nothing to scroll yet

    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString::number(i);
    memo->appendLines(many);
    QScrollBar *own = memo->verticalScrollBar();
    ASSERT_GT(own->maximum(), 0);
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_TRUE(bar->sliderVisible());
    EXPECT_GT(bar->lineButton(), 0);
    EXPECT_EQ(bar->maximum(), own->maximum());

    own->setValue(40);
    EXPECT_EQ(bar->value(), 40);
    bar->setValue(90);
    EXPECT_EQ(own->value(), 90);

    memo->move(30, 20);
    EXPECT_EQ(bar->x(), 30 + 200 - 16 - 2);

    auto *horizontal = new TsuiScrollBar(&surface);
    horizontal->resize(50, 16);
    memo->setHScrollBar(horizontal);
    EXPECT_EQ(memo->scrollBars(), TScrollStyle::ssBoth);
    EXPECT_EQ(bar->height(), 100 - 2 - 16);
    EXPECT_EQ(horizontal->geometry(), QRect(31, 20 + 100 - 16 - 2, 200 - 1 - 16, 16));

    delete bar;
    EXPECT_EQ(memo->vScrollBar(), nullptr);
    EXPECT_EQ(memo->scrollBars(), TScrollStyle::ssHorizontal);
    memo->setHScrollBar(nullptr);
    EXPECT_EQ(memo->scrollBars(), TScrollStyle::ssNone);
    EXPECT_EQ(horizontal->maximum(), 100); // released
}
