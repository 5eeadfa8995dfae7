// The configuration file: New then Save gives the documented bytes, Open
// reads any length over the record and takes the file's band.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/bytes.h"
#include "model/config_file.h"
#include "model/program_state.h"
#include "tests/core/file_test_support.h"

namespace t604 {
namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override { resetState(); }
    void TearDown() override { resetState(); }
    static void resetState() {
        softwareData = {};
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        LastWriteTime = {};
    }
    static void setBand(std::uint32_t min, std::uint32_t max) {
        CurrentBandMin = min;
        CurrentBandMax = max;
    }
    // A record with something in every area, so that a lost byte shows.
    static SoftwareData filledRecord() {
        SoftwareData r;
        for (std::size_t i = 0; i < r.bytes.size(); ++i) r.bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
        return r;
    }
    static std::vector<std::uint8_t> bytesOf(const SoftwareData& r) { return {r.bytes.begin(), r.bytes.end()}; }

    testing::TempDir dir_;
};

std::uint32_t u32le(const std::vector<std::uint8_t>& b, std::size_t at) {
    return get_u32le(b.data() + at);
}

TEST_F(ConfigFileTest, NewThenSaveGivesOnlyTheDefaultsAndTheBand) {
    // Offset -> value of every non-zero default (little-endian where wider).
    const std::map<std::size_t, std::uint8_t> defaults = {
        {8718, 1},              // Voice
        {8727, 5},              // SQL
        {8728, 3},              // SquelchMode
        {8736, 3},              // SubaudioTail
        {8744, 2000 & 0xFF},    {8745, 2000 >> 8},  // VOX_DELAY
        {8746, 180},            // TOT
        {8749, 5},              // TOA
        {8753, 1},              // SCAN
        {8759, 1},              // Beep
        {8761, 1},              // Saving
        {8762, 3},              // Saving_Rate
        {8766, 1},              // ChannelReport
        {8772, 3},              // Hz1750
        {8776, 1},              // D_ID
        {8778, 1},              // D_Group
        {8779, 1},              // D_EncodeMode
        {8782, 100},            // D_DigitSpeed
        {8783, 100},            // D_PauseDuration
        {8784, 100},            // D_FirstDelay
        {8786, 500 & 0xFF},     {8787, 500 >> 8},  // D_Pretime
        {8788, 50},             // D_Mi_Jing_Delay
        {8865, 1},              // AlarmMode
        {8869, 5},              // MasterTxPeriod
        {8870, 10},             // SlaveTimeout
        {8871, 2},              // SlaveAlarmPeriod
        {8872, 1},              // PowerOnBeep
        {8873, 3},              // Key_1_Short
        {8875, 3},              // Key_2_Short
        {8877, 6000 & 0xFF},    {8878, 6000 >> 8},  // AlarmCode
    };
    const std::uint32_t bands[][2] = {{400000000, 480000000}, {136000000, 174000000}, {1, 0xFFFFFFFF}};
    for (const auto& band : bands) {
        softwareData = filledRecord();
        LastWriteTime = {2024, 5, 6, 7, 8};
        setBand(band[0], band[1]);
        SetDefaultData();
        EXPECT_EQ(LastWriteTime, ProgrammingDate{});
        const std::string path = dir_.file("new.Cvf");
        ASSERT_TRUE(SaveConfigFile(path));

        const std::vector<std::uint8_t> file = testing::ReadAll(path);
        ASSERT_EQ(file.size(), 8930u);
        EXPECT_EQ(u32le(file, 8890), band[1]);  // BandMax
        EXPECT_EQ(u32le(file, 8894), band[0]);  // BandMin
        for (std::size_t i = 0; i < file.size(); ++i) {
            if (i >= 8890 && i < 8898) continue;
            auto it = defaults.find(i);
            EXPECT_EQ(file[i], it == defaults.end() ? 0 : it->second) << "offset " << i;
        }
        EXPECT_EQ(CurrentBandMin, band[0]);  // the defaults leave the band alone
        EXPECT_EQ(CurrentBandMax, band[1]);
    }
}

TEST_F(ConfigFileTest, SaveThenOpenRestoresRecordAndBand) {
    setBand(136000000, 174000000);
    softwareData = filledRecord();
    const std::string path = dir_.file("round.Cvf");
    ASSERT_TRUE(SaveConfigFile(path));
    const SoftwareData saved = softwareData;  // with the band fields of the save

    softwareData = {};
    setBand(400000000, 480000000);
    FileResult r = LoadConfigFile(path);
    ASSERT_TRUE(r);
    EXPECT_EQ(r.bytes, 8930u);
    EXPECT_EQ(softwareData, saved);
    EXPECT_EQ(CurrentBandMin, 136000000u);
    EXPECT_EQ(CurrentBandMax, 174000000u);
}

TEST_F(ConfigFileTest, ShortFileReplacesOnlyItsLeadingBytes) {
    softwareData = filledRecord();
    softwareData.set(sd::BandMax, 174000000);  // kept from before: becomes the band
    softwareData.set(sd::BandMin, 136000000);
    const SoftwareData before = softwareData;
    testing::WriteAll(dir_.file("short.Cvf"), std::vector<std::uint8_t>(100, 0xEE));

    FileResult r = LoadConfigFile(dir_.file("short.Cvf"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r.bytes, 100u);
    for (std::size_t i = 0; i < 8930; ++i)
        ASSERT_EQ(softwareData.bytes[i], i < 100 ? 0xEE : before.bytes[i]) << "offset " << i;
    EXPECT_EQ(CurrentBandMin, 136000000u);
    EXPECT_EQ(CurrentBandMax, 174000000u);
}

TEST_F(ConfigFileTest, LongFileContributesItsFirst8930Bytes) {
    std::vector<std::uint8_t> file(9000);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 13);
    testing::WriteAll(dir_.file("long.Cvf"), file);
    ASSERT_TRUE(LoadConfigFile(dir_.file("long.Cvf")));
    EXPECT_EQ(bytesOf(softwareData), std::vector<std::uint8_t>(file.begin(), file.begin() + 8930));
    EXPECT_EQ(CurrentBandMax, u32le(file, 8890));
    EXPECT_EQ(CurrentBandMin, u32le(file, 8894));
}

TEST_F(ConfigFileTest, BothBandFieldsZeroKeepTheCurrentBand) {
    SoftwareData rec = filledRecord();
    rec.set(sd::BandMax, 0);
    rec.set(sd::BandMin, 0);
    testing::WriteAll(dir_.file("zero.Cvf"), bytesOf(rec));
    setBand(136000000, 174000000);
    ASSERT_TRUE(LoadConfigFile(dir_.file("zero.Cvf")));
    EXPECT_EQ(softwareData, rec);
    EXPECT_EQ(CurrentBandMin, 136000000u);
    EXPECT_EQ(CurrentBandMax, 174000000u);

    // One zero field is a band like any other and is taken unchecked.
    rec.set(sd::BandMax, 470000000);
    testing::WriteAll(dir_.file("half.Cvf"), bytesOf(rec));
    ASSERT_TRUE(LoadConfigFile(dir_.file("half.Cvf")));
    EXPECT_EQ(CurrentBandMin, 0u);
    EXPECT_EQ(CurrentBandMax, 470000000u);
}

TEST_F(ConfigFileTest, MissingFileChangesNothingAndSaysWhy) {
    softwareData = filledRecord();
    const SoftwareData before = softwareData;
    FileResult r = LoadConfigFile(dir_.file("missing.Cvf"));
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error.path, dir_.file("missing.Cvf"));
    EXPECT_NE(r.error.message().find("No such file or directory"), std::string::npos) << r.error.message();
    EXPECT_EQ(softwareData, before);
    EXPECT_EQ(CurrentBandMin, kDefaultBandMin);
}

TEST_F(ConfigFileTest, FolderThatCannotBeWrittenKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const std::string path = dir_.file("keep.Cvf");
    softwareData = filledRecord();
    ASSERT_TRUE(SaveConfigFile(path));
    const std::vector<std::uint8_t> old = testing::ReadAll(path);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);

    SetDefaultData();
    FileResult r = SaveConfigFile(path);
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.message().find("Permission denied"), std::string::npos) << r.error.message();
    EXPECT_EQ(testing::ReadAll(path), old);
}

TEST_F(ConfigFileTest, WriteThatFailsHalfwayKeepsTheOldFile) {
    const std::string path = dir_.file("keep.Cvf");
    softwareData = filledRecord();
    ASSERT_TRUE(SaveConfigFile(path));
    const std::vector<std::uint8_t> old = testing::ReadAll(path);

    SetDefaultData();
    {
        testing::FileSizeLimit diskFull(4096);
        FileResult r = SaveConfigFile(path);
        EXPECT_FALSE(r);
        EXPECT_EQ(r.error.path, path);
    }
    EXPECT_EQ(testing::ReadAll(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);  // no temp file left
}

TEST_F(ConfigFileTest, OddFieldsReadWithinTheirBytes) {
    // A DTMF count above 10 and texts that fill their fields come from
    // files and radios; reading them stays inside the field.
    SoftwareData rec;
    for (std::size_t i = 0; i < 10; ++i) rec.bytes[sd::Dizzy.offset + i] = static_cast<std::uint8_t>(i + 6);
    rec.bytes[sd::Dizzy.offset + 10] = 200;
    for (std::size_t i = 0; i < 8; ++i) rec.bytes[sd::Sn.offset + i] = 'S';
    for (std::size_t i = 0; i < 9; ++i) rec.bytes[sd::SoftwareVersion.offset + i] = 'V';
    for (std::size_t i = 0; i < 6; ++i) rec.channel(1).bytes()[ch::Name.offset + i] = 'N';
    rec.bytes[sd::Sn.offset + 8] = 'X';  // the byte after Sn is not part of it
    testing::WriteAll(dir_.file("odd.Cvf"), bytesOf(rec));

    ASSERT_TRUE(LoadConfigFile(dir_.file("odd.Cvf")));
    EXPECT_EQ(DtmfCodeToText(softwareData.dtmf(sd::Dizzy)), "6789ABCD*#");
    EXPECT_EQ(softwareData.text(sd::Sn), "SSSSSSSS");
    EXPECT_EQ(softwareData.text(sd::SoftwareVersion), "VVVVVVVVV");
    EXPECT_EQ(softwareData.channel(1).Name(), "NNNNNN");
}

}  // namespace
}  // namespace t604
