#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"
#include "theme_probe.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// The window frame is another part of the widget set; the style model finds it by class name
// only, so a look-alike of that name is all these tests need.
class TsuiForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
public:
    using QWidget::QWidget;
    TsuiUIStyle UIStyle() const { return m_style; }
    void SetUIStyle(TsuiUIStyle style) { m_style = style; }

private:
    TsuiUIStyle m_style = TsuiUIStyle::DeepBlue;
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
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormStyle(&window), TsuiUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormStyle(panel), TsuiUIStyle::MacOS); // owned by the same window

    // A frame nested deeper is not the window's frame.
    QWidget other;
    auto *holder = new QWidget(&other);
    (new TsuiForm(holder))->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(GetOwnerFormStyle(&other), TsuiUIStyle::DeepBlue);
}

TEST(StyleResolution, ApplyStyleReachesOnlyDirectChildrenThatPublishBoth)
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
    EXPECT_EQ(first->UIStyle(), TsuiUIStyle::BlueGlass);
    EXPECT_EQ(first->FileTheme(), &theme);
    EXPECT_EQ(inner->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(inner->FileTheme(), nullptr);
    EXPECT_EQ(label->text(), "plain");

    // Clearing the theme goes through the same path.
    ApplyStyleToChildren(&container, TsuiUIStyle::DeepBlue, nullptr);
    EXPECT_EQ(lastChild->FileTheme(), nullptr);
    EXPECT_EQ(lastChild->UIStyle(), TsuiUIStyle::DeepBlue);
}

} // namespace

#include "style_resolution_test.moc"
