// The bitmaps and texts of the configuration record.

#include <gtest/gtest.h>

#include "model/software_data.h"

namespace t604 {
namespace {

TEST(SoftwareDataBitmaps, ChannelUsedOnlyForChannels1To99) {
    SoftwareData rec;
    rec.SetChannelUsed(0, true);
    rec.SetChannelUsed(100, true);
    rec.SetChannelUsed(255, true);
    rec.SetChannelUsed(-1, true);
    EXPECT_EQ(rec, SoftwareData{});  // nothing changed

    rec.SetChannelUsed(1, true);
    rec.SetChannelUsed(99, true);
    EXPECT_EQ(rec.bytes[sd::ChannelUsed.offset], 0x02);
    EXPECT_EQ(rec.bytes[sd::ChannelUsed.offset + 12], 0x08);  // bit 99 = byte 12, bit 3
    EXPECT_TRUE(rec.IsChannelUsed(1));
    EXPECT_TRUE(rec.IsChannelUsed(99));
    EXPECT_FALSE(rec.IsChannelUsed(2));
    rec.SetChannelUsed(99, false);
    EXPECT_FALSE(rec.IsChannelUsed(99));

    // Bits a file sets beyond channel 99 are no channels.
    rec.bytes[sd::ChannelUsed.offset + 12] = 0xFF;
    rec.bytes[sd::ChannelUsed.offset + 31] = 0xFF;
    EXPECT_FALSE(rec.IsChannelUsed(100));
    EXPECT_FALSE(rec.IsChannelUsed(255));
    EXPECT_TRUE(rec.IsChannelUsed(99));
}

TEST(SoftwareDataBitmaps, AddrBookUsedEntries0To16) {
    SoftwareData rec;
    rec.bytes[sd::AddrBookUsed.offset] = 0x01;
    EXPECT_TRUE(rec.IsAddrBookUsed(0));  // entry 0 reads bit 0
    rec.bytes[sd::AddrBookUsed.offset + 2] = 0xFF;
    EXPECT_TRUE(rec.IsAddrBookUsed(16));
    EXPECT_FALSE(rec.IsAddrBookUsed(17));
    EXPECT_FALSE(rec.IsAddrBookUsed(23));

    SoftwareData other;
    other.SetAddrBookUsed(17, true);
    EXPECT_EQ(other, SoftwareData{});
    other.SetAddrBookUsed(16, true);
    EXPECT_EQ(other.bytes[sd::AddrBookUsed.offset + 2], 0x01);
}

TEST(SoftwareDataTexts, StayInsideTheirFields) {
    SoftwareData rec;
    rec.setText(sd::Sn, "123456789");  // 8 bytes, no terminator
    EXPECT_EQ(rec.text(sd::Sn), "12345678");
    EXPECT_EQ(rec.bytes[sd::Sn.end()], 0);
    rec.setText(sd::Password, "abcdefghijklmnop");  // keeps its terminator
    EXPECT_EQ(rec.text(sd::Password), "abcdefghijkl");
    EXPECT_EQ(rec.bytes[sd::Password.end() - 1], 0);

    DtmfCode code;
    code.digits = {1, 2, 10, 11, 12, 13, 14, 15, 0, 9};
    code.count = 3;
    EXPECT_EQ(DtmfCodeToText(code), "12A");
    code.count = 255;
    EXPECT_EQ(DtmfCodeToText(code), "12ABCD*#09");
    code.digits[0] = 16;  // not a key
    EXPECT_EQ(DtmfCodeToText(code).front(), '?');
}

}  // namespace
}  // namespace t604
