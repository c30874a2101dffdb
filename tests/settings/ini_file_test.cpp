#include "base/Random.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace splot {
namespace {

TEST(IniInteger, FollowsTheFormatRules) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"12", 12},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {" 5", 5},
        {"0x1F", 31},
        {"0X1f", 31},
        {"0x1", 1},
        {"0x", {}},
        {"0x-1", {}},
        {"0xG", {}},
        {"$1F", 31},
        {"-$10", -16},
        {"$", {}},
        {"-", {}},
        {"", {}},
        {"abc", {}},
        {"12a", {}},
        {"1 2", {}},
        {"true", {}},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"99999999999999999999", {}},
        {"0xFFFFFFFF", -1},
        {"0x100000000", {}},
        {"0x0000000000001", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseIniInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniFile, MatchesNamesWithoutCaseAndIgnoresBlanks) {
    const IniFile ini = IniFile::fromText("[Main]\n  Red =  12  \nGREEN\t=\t0x10\nblue=\nfuzzy = yes\n");
    EXPECT_EQ(ini.readInteger("main", "red", 0), 12);
    EXPECT_EQ(ini.readInteger("MAIN", "green", 0), 16);
    EXPECT_EQ(ini.readInteger("main", "blue", 34), 34); // empty value
    EXPECT_EQ(ini.value("main", "blue"), "");
    EXPECT_TRUE(ini.readFlag("main", "fuzzy", true)); // a word gives the default
    EXPECT_FALSE(ini.readFlag("main", "fuzzy", false));
    EXPECT_FALSE(ini.value("main", "width"));
    EXPECT_FALSE(ini.value("other", "red"));
}

TEST(IniFile, FirstDuplicateWinsAndKeysBeforeAnySectionBelongToNone) {
    const IniFile ini = IniFile::fromText("red=1\n[main]\nred=2\nred=3\n[MAIN]\nred=4\ngreen=5\n");
    EXPECT_EQ(ini.readInteger("main", "red", 0), 2);
    EXPECT_EQ(ini.readInteger("main", "green", 0), 0); // only in the second [main]
}

TEST(IniFile, ToleratesBomCrLfNoFinalLineEndLongLinesAndJunk) {
    std::string text = "\xEF\xBB\xBF[main]\r\nred=7\r\n";
    text += std::string(3 << 20, 'x') + "\r\n"; // a 3 MB line
    const char junk[] = "junk\0\x01\xFF=[\r\n";
    text += std::string(junk, sizeof junk - 1); // binary junk
    text += "[image]\r\nwidth = 800";           // no final line end
    const IniFile ini = IniFile::fromText(text);
    EXPECT_EQ(ini.readInteger("main", "red", 0), 7);
    EXPECT_EQ(ini.readInteger("image", "width", 0), 800);
    EXPECT_EQ(ini.text(), text);
}

TEST(IniFile, WritingReplacesInPlaceAndAppendsWhereMissing) {
    IniFile ini = IniFile::fromText("; my notes\n[Main]\nRed = 1\nextra=keep me\n\n[other]\nx=1\n");
    ini.writeInteger("main", "red", 200);
    ini.writeInteger("main", "green", 5);
    ini.writeFlag("image", "fuzzy", true);
    EXPECT_EQ(ini.text(),
              "; my notes\n[Main]\nRed=200\nextra=keep me\ngreen=5\n\n[other]\nx=1\n[image]\nfuzzy=1\n");
}

TEST(IniFile, NewLinesFollowTheFileAndTheLastLineGetsItsEnd) {
    IniFile ini = IniFile::fromText("\xEF\xBB\xBF[main]\r\nred=1");
    ini.writeInteger("main", "green", 2);
    ini.writeInteger("3D", "depth", -4);
    EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[main]\r\nred=1\r\ngreen=2\r\n[3D]\r\ndepth=-4\r\n");
}

TEST(IniFile, RandomBytesNeverBreakReadingOrWriting) {
    Random random(3);
    const char alphabet[] = "[]=\r\n \tmainred0x$-9\xEF\xBB\xBF";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int n = static_cast<int>(random.random(200));
        for (int i = 0; i < n; ++i)
            text += random.random(4) == 0 ? static_cast<char>(random.random(256))
                                          : alphabet[random.random(sizeof alphabet - 1)];
        IniFile ini = IniFile::fromText(text);
        (void)ini.readInteger("main", "red", 1);
        ini.writeInteger("main", "red", 42);
        ini.writeInteger("main", "green", 43);
        const IniFile again = IniFile::fromText(ini.text());
        ASSERT_EQ(again.readInteger("main", "red", 0), 42) << text;
        ASSERT_EQ(again.readInteger("main", "green", 0), 43) << text;
    }
}

} // namespace
} // namespace splot
