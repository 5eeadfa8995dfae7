// The record conversion of old-format radios: 16 packed-decimal slots, the
// mapped side keys, the scan mask and the options.

#include "link/old_format_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "memory_map_fixture.h"

namespace t604 {
namespace {

using OldFormatMap = MemoryMapTest;

std::vector<std::uint8_t> ImageBytes(std::size_t from, std::size_t count) {
    return {RadioImage.begin() + static_cast<std::ptrdiff_t>(from),
            RadioImage.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

TEST_F(OldFormatMap, SlotLayout) {
    ChannelRecord c = AddChannel(1, 136'025'000, 146'520'000);
    c.setSubDe({885, kToneCtcss});
    c.setSubEn({0x2813, kToneDcsInverted});
    c.setFlagsA(0x1A);
    c.setFlagsB(0xB8);
    c.bytes()[59] = 0x12;
    c.bytes()[60] = 0x34;
    ChannelRecord two = AddChannel(2, 440'000'000, 440'000'000);
    two.setSubDe({0x28A5, kToneDcsNormal});
    two.setSubEn({0, kToneOff});
    ChannelRecord three = AddChannel(3, 440'000'000, 440'000'000);
    three.setSubDe({0xFFFF, kToneOff});

    GetDataForWrite_old();
    EXPECT_EQ(ImageBytes(16, 16), (std::vector<std::uint8_t>{0x00, 0x25, 0x60, 0x13,  // rx
                                                             0x00, 0x20, 0x65, 0x14,  // tx
                                                             0x75, 0x03,              // 88.5
                                                             0x13, 0xA8,              // D023I
                                                             0x1A, 0xB8, 0x12, 0x34}));
    EXPECT_EQ(ImageBytes(32 + 8, 4), (std::vector<std::uint8_t>{0xA5, 0x28, 0xFF, 0xFF}));
    EXPECT_EQ(ImageBytes(48 + 8, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
}

TEST_F(OldFormatMap, OnlyChannelsOneToSixteenAreSent) {
    AddChannel(16, 440'000'000, 440'000'000);
    AddChannel(17, 450'000'000, 450'000'000);
    AddChannel(99, 460'000'000, 460'000'000);
    RadioImage.fill(0);

    GetDataForWrite_old();
    EXPECT_EQ(RadioImageOldSlot(16)[3], 0x44);
    for (int n = 1; n <= 15; ++n) EXPECT_EQ(std::ranges::count(RadioImageOldSlot(n), 0xFF), 16) << n;
    // Radio addresses 0x110 onwards are options, not channel 17.
    EXPECT_EQ(ImageBytes(0x110, 13), std::vector<std::uint8_t>(13, 0xFF));
    EXPECT_EQ(RadioImage[0x1FF], 0xFF);
    EXPECT_EQ(RadioImage[8191], 0xFF);
}

TEST_F(OldFormatMap, SideKeyMappingBothWays) {
    struct Case {
        std::uint8_t record, key1Radio, key2Radio;
    };
    const Case cases[] = {{2, 4, 4}, {3, 5, 5}, {24, 2, 0}, {25, 8, 8}, {0, 0, 0}, {7, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(OldKey1ToRadio(c.record), c.key1Radio) << int(c.record);
        EXPECT_EQ(OldKey2ToRadio(c.record), c.key2Radio) << int(c.record);
    }
    struct Back {
        std::uint8_t radio, key1Record, key2Record;
    };
    const Back backs[] = {{4, 2, 2}, {5, 3, 3}, {2, 24, 0}, {8, 25, 25}, {0, 0, 0}, {0xFF, 0, 0}};
    for (const Back& b : backs) {
        EXPECT_EQ(OldKey1FromRadio(b.radio), b.key1Record) << int(b.radio);
        EXPECT_EQ(OldKey2FromRadio(b.radio), b.key2Record) << int(b.radio);
    }
}

TEST_F(OldFormatMap, OptionsAndScanMask) {
    for (int n : {1, 2, 3, 16}) AddChannel(n, 440'000'000, 440'000'000).setSCN(n != 2);
    softwareData.set(sd::TOT, 180);
    softwareData.set(sd::TOA, 4);
    softwareData.set(sd::SQL, 6);
    softwareData.set(sd::Saving, 1);
    softwareData.set(sd::Beep, 1);
    softwareData.set(sd::Voice, 2);
    softwareData.set(sd::Key_1_Short, 24);
    softwareData.set(sd::Key_2_Short, 3);

    GetDataForWrite_old();
    EXPECT_EQ(ImageBytes(0x11D, 2), (std::vector<std::uint8_t>{2, 5}));
    EXPECT_EQ(RadioImage[0x12F], 2);
    EXPECT_EQ(ImageBytes(0x130, 2), (std::vector<std::uint8_t>{12, 4}));  // TOT / 15, TOA
    EXPECT_EQ(ImageBytes(0x132, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(ImageBytes(0x134, 3), (std::vector<std::uint8_t>{6, 1, 1}));
    EXPECT_EQ(ImageBytes(0x17E, 2), (std::vector<std::uint8_t>{0x05, 0x80}));
}

TEST_F(OldFormatMap, ReadingAnOldRadio) {
    RadioImage.fill(0xFF);
    // Channel 1 and channel 16 hold data; 2 and 3 look empty by byte 3.
    const std::uint8_t one[16] = {0x00, 0x25, 0x60, 0x13, 0x00, 0x20, 0x65, 0x14,
                                  0x13, 0xA8, 0x75, 0x03, 0x08, 0x30, 0x00, 0x00};
    std::ranges::copy(one, RadioImageOldSlot(1).begin());
    std::ranges::fill(RadioImageOldSlot(2), 0x11);
    RadioImageOldSlot(2)[3] = 0x00;
    std::ranges::fill(RadioImageOldSlot(3), 0x11);
    RadioImageOldSlot(3)[3] = 0xFF;
    std::ranges::copy(one, RadioImageOldSlot(16).begin());
    RadioImage[0x17E] = 0x00;
    RadioImage[0x17F] = 0x80;  // scan: channel 16 only
    RadioImage[0x11D] = 2;
    RadioImage[0x11E] = 8;
    RadioImage[0x130] = 12;
    RadioImage[0x134] = 3;

    AddChannel(40, 450'000'000, 450'000'000);
    softwareData.setText(sd::Sn, "ABCD1234");
    softwareData.set(sd::Saving_Rate, 7);
    LastWriteTime = {2024, 5, 6, 7, 8};

    SetDataToSoftware_old();
    EXPECT_FALSE(softwareData.IsChannelUsed(40));
    EXPECT_EQ(softwareData.channel(40).FreqRx(), 450'000'000u);  // contents kept
    EXPECT_FALSE(softwareData.IsChannelUsed(2));
    EXPECT_FALSE(softwareData.IsChannelUsed(3));
    for (int n : {1, 16}) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(softwareData.IsChannelUsed(n));
        ConstChannelRecord c = std::as_const(softwareData).channel(n);
        EXPECT_EQ(c.FreqRx(), 136'025'000u);
        EXPECT_EQ(c.FreqTx(), 146'520'000u);
        EXPECT_EQ(c.SubDe(), (ToneSetting{0x2813, kToneDcsInverted}));
        EXPECT_EQ(c.SubEn(), (ToneSetting{885, kToneCtcss}));
        EXPECT_EQ(c.BUS(), 1);
        EXPECT_TRUE(c.Bandwidth());
        EXPECT_TRUE(c.Power());
        EXPECT_EQ(c.SCN(), n == 16);
    }
    EXPECT_EQ(softwareData.get(sd::TOT), 180u);
    EXPECT_EQ(softwareData.get(sd::SQL), 3u);
    EXPECT_EQ(softwareData.get(sd::Key_1_Short), 24u);
    EXPECT_EQ(softwareData.get(sd::Key_2_Short), 25u);
    EXPECT_EQ(softwareData.get(sd::Saving_Rate), 3u);
    EXPECT_EQ(softwareData.text(sd::Sn), "");
    EXPECT_EQ(softwareData.bytes[sd::Sn.offset + 7], 0);
    EXPECT_EQ(LastWriteTime, ProgrammingDate{});
}

TEST_F(OldFormatMap, WriteThenReadGivesTheRecordBack) {
    softwareData.setDefaults();
    ChannelRecord a = AddChannel(1, 145'012'500, 145'612'500);
    a.setSubDe({0x29EC, kToneDcsNormal});
    a.setSubEn({2541, kToneCtcss});
    a.setSCN(true);
    a.setPower(true);
    ChannelRecord b = AddChannel(9, 438'500'000, 430'900'000);
    b.setBUS(2);
    b.setBandwidth(true);
    softwareData.set(sd::TOT, 600);
    softwareData.set(sd::Key_1_Short, 25);
    softwareData.set(sd::Key_2_Short, 2);
    GetDataForWrite_old();
    const SoftwareData written = softwareData;

    softwareData.setDefaults();
    SetDataToSoftware_old();
    EXPECT_EQ(softwareData, written);
}

}  // namespace
}  // namespace t604
