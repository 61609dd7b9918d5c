#include "files/WindowPlace.h"

#include "support/FilesTempHome.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

TEST(WindowPlace, WrittenPlaceReadsBack)
{
    test::TempHome home;
    const std::string path = home / "quorvan_16-window.ini";
    const WindowPlace written{-1200, 40, 1435, 999, true, true};
    std::string error;
    ASSERT_TRUE(WriteWindowPlaceFile(path, written, error)) << error;
    WindowPlace read;
    ASSERT_TRUE(ReadWindowPlaceFile(path, read));
    EXPECT_EQ(read.left, -1200);  // a screen left of the primary one
    EXPECT_EQ(read.top, 40);
    EXPECT_EQ(read.width, 1435);
    EXPECT_EQ(read.height, 999);
    EXPECT_TRUE(read.maximised);
    EXPECT_TRUE(read.skipAnimations);
    EXPECT_EQ(WindowPlaceText(written), "-1200\r\n40\r\n1435\r\n999\r\nTRUE\r\nTRUE\r\n");
}

// A file kept before the fade switch was kept beside the place reads with the fade on.
TEST(WindowPlace, FileOfFiveLinesKeepsTheFadeOn)
{
    WindowPlace place;
    place.skipAnimations = true;
    ASSERT_TRUE(ReadWindowPlace("10\r\n20\r\n800\r\n600\r\nFALSE\r\n", place));
    EXPECT_FALSE(place.skipAnimations);
}

TEST(WindowPlace, AnythingElseIsNoPlace)
{
    struct Row {
        const char* name;
        const char* text;
    };
    // name | file text
    const Row rows[] = {
        {"empty", ""},
        {"four lines", "10\r\n20\r\n800\r\n600\r\n"},
        {"seven lines", "10\r\n20\r\n800\r\n600\r\nFALSE\r\nFALSE\r\nFALSE\r\n"},
        {"fade flag no flag", "10\r\n20\r\n800\r\n600\r\nFALSE\r\nyes\r\n"},
        {"not a number", "10\r\ntop\r\n800\r\n600\r\nFALSE\r\n"},
        {"number and text", "10\r\n20px\r\n800\r\n600\r\nFALSE\r\n"},
        {"no width", "10\r\n20\r\n0\r\n600\r\nFALSE\r\n"},
        {"too tall", "10\r\n20\r\n800\r\n100001\r\nFALSE\r\n"},
        {"far away", "9999999\r\n20\r\n800\r\n600\r\nFALSE\r\n"},
        {"flag in lower case", "10\r\n20\r\n800\r\n600\r\ntrue\r\n"},
    };
    for (const Row& row : rows) {
        WindowPlace place{1, 2, 3, 4, false};
        EXPECT_FALSE(ReadWindowPlace(row.text, place)) << row.name;
        EXPECT_EQ(place.width, 3) << row.name;  // untouched
    }
    WindowPlace place;
    EXPECT_TRUE(ReadWindowPlace("10\n20\n800\n600\nFALSE\n", place));  // line ends of another system
    test::TempHome home;
    EXPECT_FALSE(ReadWindowPlaceFile(home / "missing.ini", place));
}

}  // namespace
}  // namespace quorvan
