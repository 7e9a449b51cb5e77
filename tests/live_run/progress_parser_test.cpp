#include "avrdude/progress_parser.h"

#include <gtest/gtest.h>

TEST(ProgressParser, CountsTwoPercentPerHashAfterTheHeader)
{
    AvrdudeProgressParser parser;
    EXPECT_FALSE(parser.feed("avrdude: writing flash (200 bytes):\n\n"));
    EXPECT_EQ(parser.percent(), -1);
    EXPECT_FALSE(parser.feed("Writ"));
    EXPECT_EQ(parser.percent(), -1) << "header split across chunks";
    EXPECT_TRUE(parser.feed("ing | "));
    EXPECT_EQ(parser.percent(), 0);
    EXPECT_TRUE(parser.feed(QByteArray(25, '#')));
    EXPECT_EQ(parser.percent(), 50);
    parser.feed(QByteArray(25, '#') + " | 100% 0.20s\n\n# not counted ###");
    EXPECT_EQ(parser.percent(), 100);

    EXPECT_TRUE(parser.feed("Reading | ##"));
    EXPECT_EQ(parser.percent(), 4) << "a new bar starts again";
    parser.feed(QByteArray(80, '#'));
    EXPECT_EQ(parser.percent(), 100) << "never above 100";
}

TEST(ProgressParser, IgnoresEverythingElse)
{
    AvrdudeProgressParser parser;
    parser.feed("Verifying | ###### Reading |#### Writing|### ### reading | ##");
    EXPECT_EQ(parser.percent(), -1);
}
