// Pins every offset of the configuration record against its documented
// layout: the record's bytes are the file format.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/software_data.h"

namespace t604 {
namespace {

struct Expected {
    std::size_t offset, size;
};

TEST(SoftwareDataLayout, OptionBlockOffsets) {
    const std::map<std::string, Expected> expected = {
        {"Voice", {8718, 1}}, {"SQL", {8727, 1}}, {"SquelchMode", {8728, 1}},
        {"SubaudioTail", {8736, 1}}, {"VoxCtrl", {8742, 1}}, {"VOX", {8743, 1}},
        {"VOX_DELAY", {8744, 2}}, {"TOT", {8746, 2}}, {"TOA", {8749, 1}}, {"SCAN", {8753, 1}},
        {"PriScan", {8754, 2}}, {"Beep", {8759, 1}}, {"Saving", {8761, 1}},
        {"Saving_Rate", {8762, 1}}, {"APO", {8763, 2}}, {"ChannelReport", {8766, 1}},
        {"Hz1750_Ctrl", {8771, 1}}, {"Hz1750", {8772, 1}}, {"D_ID", {8776, 2}},
        {"D_Group", {8778, 1}}, {"D_EncodeMode", {8779, 1}}, {"D_SideTone", {8780, 1}},
        {"D_Control", {8781, 1}}, {"D_DigitSpeed", {8782, 1}}, {"D_PauseDuration", {8783, 1}},
        {"D_FirstDelay", {8784, 2}}, {"D_Pretime", {8786, 2}}, {"D_Mi_Jing_Delay", {8788, 2}},
        {"GroupCode", {8790, 1}}, {"AutoReset", {8791, 1}}, {"SendANI", {8792, 1}},
        {"Dizzy", {8794, 11}}, {"Stun", {8805, 11}}, {"Activation", {8816, 11}},
        {"Limited", {8827, 1}}, {"DizzyState", {8828, 1}}, {"PTT_ID", {8829, 11}},
        {"ANI", {8840, 11}}, {"Whisper", {8856, 1}}, {"AlarmMode", {8865, 1}},
        {"RefuseAlarm", {8866, 1}}, {"AutoConnect", {8867, 1}}, {"AutoConnect_Pos", {8868, 1}},
        {"MasterTxPeriod", {8869, 1}}, {"SlaveTimeout", {8870, 1}},
        {"SlaveAlarmPeriod", {8871, 1}}, {"PowerOnBeep", {8872, 1}}, {"Key_1_Short", {8873, 1}},
        {"Key_1_Long", {8874, 1}}, {"Key_2_Short", {8875, 1}}, {"Key_2_Long", {8876, 1}},
        {"AlarmCode", {8877, 2}}, {"Alarm", {8879, 1}}, {"SoftwareVersion", {8880, 9}},
        {"WriteWithNewPD", {8889, 1}}, {"BandMax", {8890, 4}}, {"BandMin", {8894, 4}},
    };
    ASSERT_EQ(std::size(sd::kOptionFields), expected.size());
    for (const Field& f : sd::kOptionFields) {
        auto it = expected.find(std::string(f.name));
        ASSERT_NE(it, expected.end()) << f.name;
        EXPECT_EQ(f.offset, it->second.offset) << f.name;
        EXPECT_EQ(f.size, it->second.size) << f.name;
    }
}

TEST(SoftwareDataLayout, AreasChannelAndAddressBook) {
    EXPECT_EQ(sizeof(SoftwareData{}.bytes), 8930u);
    EXPECT_EQ(sd::Sn.offset, 74u);
    EXPECT_EQ(sd::Password.offset, 83u);
    EXPECT_EQ(sd::NewPassword.offset, 96u);
    EXPECT_EQ(sd::AddrBookUsed.offset, 122u);
    EXPECT_EQ(sd::AddrBook.offset, 821u);
    EXPECT_EQ(sd::Channels.offset, 1364u);
    EXPECT_EQ(sd::ChannelUsed.offset, 8898u);

    EXPECT_EQ(ch::FreqRx.offset, 0u);
    EXPECT_EQ(ch::FreqTx.offset, 14u);
    EXPECT_EQ(ch::SubDe.offset, 28u);
    EXPECT_EQ(ch::SubEn.offset, 41u);
    EXPECT_EQ(ch::FlagsA.offset, 57u);
    EXPECT_EQ(ch::FlagsB.offset, 58u);
    EXPECT_EQ(ch::Name.offset, 61u);
    EXPECT_EQ(ab::IdLength.offset, 11u);
    EXPECT_EQ(ab::Name.offset, 12u);

    // Channel 5's fields land where the layout puts them, little-endian.
    SoftwareData rec;
    ChannelRecord c = rec.channel(5);
    c.setFreqRx(0x11223344);
    c.setSubEn({0x2813, kToneDcsNormal});
    c.setPower(true);
    c.setBUS(2);
    const std::size_t slot = 1364 + 72 * 5;
    EXPECT_EQ(rec.bytes[slot + 0], 0x44);
    EXPECT_EQ(rec.bytes[slot + 3], 0x11);
    EXPECT_EQ(rec.bytes[slot + 41], 0x13);
    EXPECT_EQ(rec.bytes[slot + 42], 0x28);
    EXPECT_EQ(rec.bytes[slot + 43], 2);
    EXPECT_EQ(rec.bytes[slot + 58], 0x20);
    EXPECT_EQ(rec.bytes[slot + 57], 0x10);

    AddrBookEntry e;
    e.idLength = 3;
    e.D_AddrBook_name[0] = 'A';
    rec.setAddrBook(2, e);
    EXPECT_EQ(rec.bytes[821 + 19 * 2 + 11], 3);
    EXPECT_EQ(rec.bytes[821 + 19 * 2 + 12], 'A');
}

}  // namespace
}  // namespace t604
