#include "link/text_block.h"

#include <gtest/gtest.h>

#include "model/program_state.h"

namespace t604 {
namespace {

TEST(TextBlock, EncodingTwiceDiffersAndDecodesTheSame) {
    const std::string text = "\xB2\xE2\xCA\xD4-1234";  // GBK text, 9 bytes
    auto a = EncodeTextBlock(text);
    auto b = EncodeTextBlock(text);
    EXPECT_NE(a, b);
    EXPECT_EQ(a[0], text.size());
    EXPECT_EQ(DecodeTextBlock(a.data()), text);
    EXPECT_EQ(DecodeTextBlock(b.data()), text);
}

TEST(TextBlock, KeepsTheDocumentedLayout) {
    auto block = EncodeTextBlock("AB");
    const std::uint8_t k = block[1];
    // Byte 2 hides the second key B: ~(K + B) ^ K.
    const auto key = static_cast<std::uint8_t>((static_cast<std::uint8_t>(~block[2]) ^ k) - k);
    EXPECT_EQ(block[3], static_cast<std::uint8_t>(~static_cast<std::uint8_t>('A' + key) ^ key));
    unsigned sum = 0;
    for (int i = 0; i < 15; ++i) sum += block[i];
    EXPECT_EQ(block[15], static_cast<std::uint8_t>(sum));
}

TEST(TextBlock, DecodeEdgeCases) {
    std::uint8_t empty[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 99};
    EXPECT_EQ(DecodeTextBlock(empty), std::string());

    auto tooLong = EncodeTextBlock("123456789012");
    EXPECT_EQ(DecodeTextBlock(tooLong.data()), "123456789012");
    tooLong[0] = 13;
    EXPECT_EQ(DecodeTextBlock(tooLong.data()), std::nullopt);

    auto badSum = EncodeTextBlock("abc");
    badSum[15] ^= 1;
    EXPECT_EQ(DecodeTextBlock(badSum.data()), std::nullopt);

    EXPECT_EQ(EncodeTextBlock("12345678901234")[0], 12);  // cut to what fits
}

class RadioPassword : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultData(); }
    void TearDown() override { SetDefaultData(); }
};

TEST_F(RadioPassword, Cases) {
    struct Case {
        const char* name;
        std::string recordPassword;
        std::array<std::uint8_t, 16> block;
        bool passes;
    };
    std::array<std::uint8_t, 16> neverSet;
    neverSet.fill(0xFF);
    auto badChecksum = EncodeTextBlock("secret");
    badChecksum[15] ^= 0x55;
    const Case cases[] = {
        {"block never set", "whatever", neverSet, true},
        {"length byte 0", "whatever", EncodeTextBlock(""), true},
        {"same password", "secret", EncodeTextBlock("secret"), true},
        {"other password of same length", "secreT", EncodeTextBlock("secret"), false},
        {"radio has 6 bytes, record none", "", EncodeTextBlock("123456"), false},
        {"length differs", "secre", EncodeTextBlock("secret"), false},
        {"wrong checksum passes", "abcdef", badChecksum, true},
    };
    for (const Case& c : cases) {
        softwareData.setText(sd::Password, c.recordPassword);
        EXPECT_EQ(CheckRadioPassword(c.block.data()), c.passes) << c.name;
    }
}

}  // namespace
}  // namespace t604
