// UTF-8 <-> GBK through iconv: the byte form of the radio's password and
// customer text.

#include <gtest/gtest.h>

#include <string>

#include "strings/gbk.h"

namespace t604 {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(Gbk, ChineseCharactersTakeTwoBytes) {
    EXPECT_EQ(Utf8ToGbk("中文"), std::string("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(GbkToUtf8("\xD6\xD0\xCE\xC4"), "中文");
}

TEST(Gbk, RoundTrips) {
    for (const std::string text : {"", "abc 123", "T-604 对讲机", "對講機編程", "密码12"}) {
        const auto gbk = Utf8ToGbk(text);
        ASSERT_TRUE(gbk.has_value()) << text;
        EXPECT_EQ(GbkToUtf8(*gbk), text);
    }
    // Six Chinese characters fill the radio's 12 bytes.
    EXPECT_EQ(Utf8ToGbk("客户信息测试")->size(), 12u);
    EXPECT_EQ(Utf8ToGbk("ab中")->size(), 4u);
}

TEST(Gbk, CharacterWithoutGbkFormGivesNothing) {
    EXPECT_EQ(Utf8ToGbk("ok \xF0\x9F\x98\x80"), std::nullopt);  // an emoji
    EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80 ok"), std::nullopt);
}

TEST(Gbk, InvalidUtf8GivesNothing) {
    EXPECT_EQ(Utf8ToGbk("a\xFF"), std::nullopt);
    EXPECT_EQ(Utf8ToGbk("\xE4\xB8"), std::nullopt);  // cut-off character
}

TEST(Gbk, InvalidGbkBytesBecomeReplacementCharacters) {
    EXPECT_EQ(GbkToUtf8("\xFF"), kReplacement);
    EXPECT_EQ(GbkToUtf8("A\xFF\xFF" "B"), "A" + kReplacement + kReplacement + "B");
    // A lead byte with a trail byte outside GBK: the lead byte is replaced,
    // the ASCII byte after it survives.
    EXPECT_EQ(GbkToUtf8("\x81\x20" "B"), kReplacement + " B");
    // A lead byte cut off at the end, after valid text.
    EXPECT_EQ(GbkToUtf8("\xD6\xD0\xCE"), "中" + kReplacement);
}

TEST(Gbk, LongTextCrossesTheConversionBuffer) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "中文";
    const auto gbk = Utf8ToGbk(text);
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(gbk->size(), 2000u);
    EXPECT_EQ(GbkToUtf8(*gbk), text);
    EXPECT_EQ(GbkToUtf8(*gbk + "\xFF"), text + kReplacement);
}

}  // namespace
}  // namespace t604
