#include "skin/themes/file_theme.h"
#include "skin/themes/style_resolution.h"
#include "skin/themes/theme_file_reader.h"
#include "tests/support/theme_file_builder.h"
#include "theme_probe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage ThreeFrameStrip()
{
    QImage strip(9, 4, QImage::Format_RGB32);
    strip.fill(Qt::red);
    for (int y = 0; y < 4; ++y)
        for (int x = 3; x < 6; ++x)
            strip.setPixel(x, y, qRgb(0, 0x80, 0));
    return strip;
}

ThemeFileBuilder SampleTheme()
{
    ThemeFileBuilder b;
    b.AddNumber("FormBorderColor", 8355711);
    b.AddNumber("FormBorderWidthInt", 3);
    b.AddNumber("TitleBarButtonRightOffsetInt", -2);
    b.AddNumber("ControlFontColor", 0x8000000F); // a system colour written unsigned
    b.AddNumber("MenuFontColor", -2147483633);   // the same colour written signed
    b.AddBool("ButtonTransparentBool", true);
    b.AddText("FormCaption", "not read by any lookup");
    b.AddBitmap("ButtonImage", ThreeFrameStrip());
    return b;
}

class FileThemeTest : public ::testing::Test {
protected:
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(FileThemeTest, AWrittenThemeFileReadsBack)
{
    const QString path = Write("sample.skn", SampleTheme().Build());
    TsuiFileTheme theme;
    theme.SetThemeFile(path);

    ASSERT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_EQ(theme.GetColor(ThemeElement::FormBorderColor), 8355711);
    EXPECT_EQ(theme.GetInt(ThemeElement::FormBorderWidthInt), 3);
    EXPECT_EQ(theme.GetInt(ThemeElement::TitleBarButtonRightOffsetInt), -2);
    EXPECT_EQ(theme.GetColor(ThemeElement::ControlFontColor), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(theme.GetColor(ThemeElement::MenuFontColor), static_cast<std::int32_t>(0x8000000F));
    EXPECT_TRUE(theme.GetBool(ThemeElement::ButtonTransparentBool));

    // Missing elements: -1, -1, false, picture untouched.
    EXPECT_EQ(theme.GetColor(ThemeElement::FormBackgroundColor), -1);
    EXPECT_EQ(theme.GetInt(ThemeElement::FormMinWidthInt), -1);
    EXPECT_FALSE(theme.GetBool(ThemeElement::TitleBarButtonTransparentBool));
    QImage untouched(2, 2, QImage::Format_RGB32);
    theme.GetBitmap(ThemeElement::CheckBoxImage, &untouched);
    EXPECT_EQ(untouched.size(), QSize(2, 2));
    // A bitmap element is not a number.
    EXPECT_EQ(theme.GetInt(ThemeElement::ButtonImage), -1);

    QImage whole;
    theme.GetBitmap(ThemeElement::ButtonImage, &whole);
    EXPECT_EQ(whole.size(), QSize(9, 4));
    QImage middle;
    theme.GetBitmapFrame(ThemeElement::ButtonImage, &middle, 2, 3);
    ASSERT_EQ(middle.size(), QSize(3, 4));
    EXPECT_EQ(middle.pixel(1, 1), qRgb(0, 0x80, 0));

    TsuiUIStyle effective;
    EXPECT_TRUE(UsingFileTheme(&theme, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_FALSE(UsingFileTheme(&theme, TsuiUIStyle::MacOS, effective));
}

TEST_F(FileThemeTest, MissingFilesAreIgnoredAndBadOnesRefusedWithoutLosingTheOldLook)
{
    TsuiFileTheme theme;
    theme.SetThemeFile(dir.filePath("absent.skn"));
    EXPECT_FALSE(theme.CanUse());
    EXPECT_TRUE(theme.ThemeFile().isEmpty());

    const QString good = Write("good.skn", SampleTheme().Build());
    theme.SetThemeFile(good);
    ASSERT_TRUE(theme.CanUse());

    const QString bad = Write("bad.skn", QByteArray("Skinkit_XX") + QByteArray(100, '\0'));
    try {
        theme.SetThemeFile(bad);
        FAIL() << "a file without the magic was accepted";
    } catch (const TsuiInvalidThemeFile &error) {
        EXPECT_STREQ(error.what(), "Invalid skin file for Skinkit!");
    }
    EXPECT_EQ(theme.ThemeFile(), good);
    EXPECT_EQ(theme.GetInt(ThemeElement::FormBorderWidthInt), 3);

    // Too short to hold the header, and far too large to be a theme: refused the same way.
    EXPECT_THROW(theme.SetThemeFile(Write("short.skn", "Skinkit_TB")), TsuiInvalidThemeFile);
    QFile huge(dir.filePath("huge.skn"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(SampleTheme().Build());
    ASSERT_TRUE(huge.resize(TsuiThemeFileReader::MaxFileSize + 1)); // sparse, cheap to make
    huge.close();
    EXPECT_THROW(theme.SetThemeFile(huge.fileName()), TsuiInvalidThemeFile);
    EXPECT_EQ(theme.GetInt(ThemeElement::FormBorderWidthInt), 3);
}

TEST_F(FileThemeTest, ABareFileNameIsFoundBesideTheProgram)
{
    const QString name = "beside_program_theme.skn";
    const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    ASSERT_TRUE(WriteFile(besideProgram, SampleTheme().Build()));
    TsuiFileTheme theme;
    theme.SetThemeFile(dir.filePath("elsewhere/" + name));
    QFile::remove(besideProgram);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.ThemeFile(), besideProgram);
}

TEST_F(FileThemeTest, LoadingLetsTheFormsControlsThatUseTheThemeReadTheirLookAgain)
{
    QStringList log;
    QWidget form;
    auto *theme = new TsuiFileTheme(&form);
    TsuiFileTheme otherTheme;
    auto *direct = new TsuiThemeProbe(&form, &log);
    direct->setObjectName("direct");
    auto *nested = new TsuiThemeProbe(new QWidget(&form), &log);
    nested->setObjectName("nested");
    auto *other = new TsuiThemeProbe(&form, &log);
    other->setObjectName("other");
    direct->setFileTheme(theme);
    nested->setFileTheme(theme);
    other->setFileTheme(&otherTheme);
    log.clear();

    theme->SetThemeFile(Write("form.skn", SampleTheme().Build()));
    EXPECT_EQ(log, QStringList({"direct:FileTheme", "nested:FileTheme"}));
}

TEST(ThemeFileReader, TruncatedFilesLoseElementsButNeverCrash)
{
    const QByteArray full = SampleTheme().Build();
    const int complete = TsuiThemeFileReader(full).EntryCount();
    ASSERT_EQ(complete, 8);
    for (qsizetype length = 0; length < full.size(); ++length) {
        const TsuiThemeFileReader reader(full.left(length));
        EXPECT_LE(reader.EntryCount(), complete) << length;
        reader.Number("FormBorderColor");
        reader.BitmapData("ButtonImage");
    }
    // Cut inside the last record's data: that element is gone, the earlier ones stay.
    const TsuiThemeFileReader cut(full.left(full.size() - 1));
    EXPECT_EQ(cut.EntryCount(), complete - 1);
    EXPECT_EQ(cut.Number("FormBorderWidthInt"), 3);
}

TEST(ThemeFileReader, HostileOffsetsLengthsAndChainsAreContained)
{
    const QByteArray good = SampleTheme().Build();
    constexpr int First = ThemeFileBuilder::HeaderSize;
    constexpr int Next = 73, DataOffset = 65, DataLength = 69;

    QByteArray cycle = good;
    PutU32(cycle, First + ThemeFileBuilder::RecordSize + Next, First); // record 2 leads back to record 1
    EXPECT_EQ(TsuiThemeFileReader(cycle).EntryCount(), 2);

    QByteArray selfLoop = good;
    PutU32(selfLoop, First + Next, First);
    EXPECT_EQ(TsuiThemeFileReader(selfLoop).EntryCount(), 1);

    QByteArray pastEnd = good;
    PutU32(pastEnd, First + Next, 0xFFFFFFF0u);
    EXPECT_EQ(TsuiThemeFileReader(pastEnd).EntryCount(), 1);

    QByteArray hugeLength = good;
    PutU32(hugeLength, First + DataLength, 0xFFFFFFFFu);
    const TsuiThemeFileReader withHugeLength(hugeLength);
    EXPECT_FALSE(withHugeLength.Contains("FormBorderColor"));
    EXPECT_EQ(withHugeLength.Number("FormBorderWidthInt"), 3);

    QByteArray wrapping = good;
    PutU32(wrapping, First + DataOffset, 0xFFFFFFF0u);
    PutU32(wrapping, First + DataLength, 0x20u); // offset + length wraps in 32 bits
    EXPECT_FALSE(TsuiThemeFileReader(wrapping).Contains("FormBorderColor"));

    // The record that closes the chain is never an element, even when it carries one.
    QByteArray namedClosing = good;
    const qsizetype closing = First + 8 * ThemeFileBuilder::RecordSize;
    namedClosing.replace(closing, 15, "FormMinWidthInt");
    namedClosing[closing + 64] = 1;
    PutU32(namedClosing, closing + DataOffset, static_cast<quint32>(namedClosing.indexOf("FormBorderWidthInt=3")));
    PutU32(namedClosing, closing + DataLength, 20);
    const TsuiThemeFileReader withNamedClosing(namedClosing);
    EXPECT_FALSE(withNamedClosing.Contains("FormMinWidthInt"));
    EXPECT_EQ(withNamedClosing.EntryCount(), 8);

    QByteArray firstPastEnd = good;
    PutU32(firstPastEnd, 20, static_cast<quint32>(good.size()));
    EXPECT_EQ(TsuiThemeFileReader(firstPastEnd).EntryCount(), 0);

    // A name that fills all 64 bytes without a terminator is cut at 64.
    QByteArray longName = good;
    longName.replace(First, 64, QByteArray(64, 'N'));
    EXPECT_TRUE(TsuiThemeFileReader(longName).Contains(QString(64, 'N')));

    // Unknown kinds and non-numbers are simply not there.
    QByteArray badKind = good;
    badKind[First + 64] = 9;
    EXPECT_FALSE(TsuiThemeFileReader(badKind).Contains("FormBorderColor"));
    ThemeFileBuilder words;
    words.AddNumber("FormBorderWidthInt", 0);
    QByteArray notNumber = words.Build();
    notNumber.replace(notNumber.indexOf("FormBorderWidthInt=0"), 20, "FormBorderWidthInt=x");
    EXPECT_EQ(TsuiThemeFileReader(notNumber).Number("FormBorderWidthInt"), std::nullopt);

    // A chain longer than any theme needs is cut at the record limit.
    ThemeFileBuilder many;
    for (int i = 0; i < TsuiThemeFileReader::MaxRecords + 100; ++i)
        many.AddNumber(QString("Element%1").arg(i), i);
    EXPECT_EQ(TsuiThemeFileReader(many.Build()).EntryCount(), TsuiThemeFileReader::MaxRecords);
}

TEST(ThemeFileReader, RandomGarbageBehindAValidHeaderIsHarmless)
{
    QRandomGenerator random(20240517);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(24 + static_cast<int>(random.bounded(2000)), '\0');
        for (char &c : bytes)
            c = static_cast<char>(random.bounded(256));
        bytes.replace(0, 11, QByteArray("Skinkit_TB", 11));
        PutU32(bytes, 20, random.bounded(static_cast<quint32>(bytes.size())));
        const TsuiThemeFileReader reader(bytes);
        EXPECT_LE(reader.EntryCount(), TsuiThemeFileReader::MaxRecords);
        reader.Number("FormBorderColor");
    }
}

} // namespace
