#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"
#include "theme_probe.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// The window frame is another part of the widget set; the style model knows it only as a look
// that frames its window, so a look-alike is all these tests need.
class TsuiForm : public QWidget, public ControlLook {
    Q_OBJECT
public:
    explicit TsuiForm(QWidget *parent) : QWidget(parent), ControlLook(this) {}
    bool framesWindow() const override { return true; }

protected:
    void ApplyLook() override {}
};

TEST(StyleResolution, FileThemeIsUsedOnlyWhenAskedForAndUsable)
{
    TsuiUIStyle effective = TsuiUIStyle::MacOS;
    EXPECT_FALSE(UsingFileTheme(nullptr, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);

    TsuiFileTheme unloaded;
    EXPECT_FALSE(UsingFileTheme(&unloaded, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);

    EXPECT_FALSE(UsingFileTheme(&unloaded, TsuiUIStyle::WinXP, effective));
    EXPECT_EQ(effective, TsuiUIStyle::WinXP);
}

TEST(StyleResolution, NewControlsStartWithTheFrameStyleOfTheirWindow)
{
    EXPECT_EQ(GetOwnerFormStyle(nullptr), TsuiUIStyle::DeepBlue);
    QObject notAWidget;
    EXPECT_EQ(GetOwnerFormStyle(&notAWidget), TsuiUIStyle::DeepBlue);

    QWidget bareWindow;
    EXPECT_EQ(GetOwnerFormStyle(&bareWindow), TsuiUIStyle::DeepBlue);

    QWidget window;
    auto *panel = new QWidget(&window);
    auto *frame = new TsuiForm(&window);
    frame->setUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormStyle(&window), TsuiUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormStyle(panel), TsuiUIStyle::MacOS); // owned by the same window

    // A frame nested deeper is not the window's frame.
    QWidget other;
    auto *holder = new QWidget(&other);
    (new TsuiForm(holder))->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(GetOwnerFormStyle(&other), TsuiUIStyle::DeepBlue);
}

TEST(StyleResolution, ApplyStyleReachesOnlyDirectChildrenThatAreSkinned)
{
    QStringList log;
    QWidget container;
    auto *first = new TsuiThemeProbe(&container, &log);
    first->setObjectName("first");
    auto *label = new QLabel("plain", &container);
    auto *panel = new TsuiThemeProbe(&container, &log);
    panel->setObjectName("panel");
    auto *inner = new TsuiThemeProbe(panel, &log);
    inner->setObjectName("inner");
    auto *lastChild = new TsuiThemeProbe(&container, &log);
    lastChild->setObjectName("last");
    TsuiFileTheme theme;

    ApplyStyleToChildren(&container, TsuiUIStyle::BlueGlass, &theme);

    EXPECT_EQ(log, QStringList({"first:FileTheme", "first:UIStyle", "panel:FileTheme", "panel:UIStyle",
                                "last:FileTheme", "last:UIStyle"}));
    EXPECT_EQ(first->uiStyle(), TsuiUIStyle::BlueGlass);
    EXPECT_EQ(first->fileTheme(), &theme);
    EXPECT_EQ(inner->uiStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(inner->fileTheme(), nullptr);
    EXPECT_EQ(label->text(), "plain");

    // Clearing the theme goes through the same path.
    ApplyStyleToChildren(&container, TsuiUIStyle::DeepBlue, nullptr);
    EXPECT_EQ(lastChild->fileTheme(), nullptr);
    EXPECT_EQ(lastChild->uiStyle(), TsuiUIStyle::DeepBlue);
}

} // namespace

#include "style_resolution_test.moc"
