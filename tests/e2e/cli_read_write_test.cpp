// t604-cli read and write against the virtual radio on a real
// pseudo-terminal: what lands in the radio's memory, what comes back into the
// file, and the ends that are not a success.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "emulator_process.h"
#include "model/bytes.h"
#include "model/channel_settings.h"
#include "model/software_data.h"
#include "tests/core/file_test_support.h"

namespace t604 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

using test::CliResult;

using CliReadWrite = test::CliTest;

// Channels 1, 2 and 16 (all variants) and 99 (current radios only), with
// tones of each kind and the channel flags, in the 400-480 MHz band.
SoftwareData SampleRecord() {
    SoftwareData rec;
    rec.setDefaults();
    rec.set(sd::BandMin, 400'000'000);
    rec.set(sd::BandMax, 480'000'000);
    const std::pair<int, ChannelSettings> channels[] = {
        {1, {446'006'250, 446'006'250, {670, kToneCtcss}, {670, kToneCtcss}, true, true, true}},
        {2, {430'000'000, 438'000'000, {0x2813, kToneDcsNormal}, {0x2813, kToneDcsInverted}, true, false, false}},
        {16, {462'562'500, 467'562'500, {}, {1000, kToneCtcss}, false, true, true}},
        {99, {479'995'000, 400'000'000, {0x2800 + 0754, kToneDcsInverted}, {}, false, false, false}},
    };
    for (const auto& [n, settings] : channels) PutChannel(rec, n, settings);
    rec.set(sd::SQL, 7);
    rec.set(sd::Beep, 1);
    return rec;
}

SoftwareData LoadRecord(const std::string& path) {
    SoftwareData rec;
    const Bytes bytes = testing::ReadAll(path);
    EXPECT_EQ(bytes.size(), rec.bytes.size()) << path;
    std::copy_n(bytes.begin(), std::min(bytes.size(), rec.bytes.size()), rec.bytes.begin());
    return rec;
}

void ExpectSameChannels(const SoftwareData& want, const SoftwareData& got, int upTo) {
    for (int n = 1; n <= upTo; ++n) {
        ASSERT_EQ(got.IsChannelUsed(n), want.IsChannelUsed(n)) << "channel " << n;
        if (!want.IsChannelUsed(n)) continue;
        EXPECT_EQ(ChannelSettingsOf(got, n), ChannelSettingsOf(want, n)) << "channel " << n;
    }
}

TEST_F(CliReadWrite, WriteThenReadBackOnEveryVariant) {
    struct Case {
        const char* variant;
        std::uint32_t channel1Count;  // radio's form of 446.00625 MHz
        int channels;
    };
    const Case cases[] = {{"a", 7'136'100, 99}, {"b", 3'568'050, 99}, {"old", 0, 16}};
    const SoftwareData record = SampleRecord();
    testing::WriteAll(file("in.Cvf"), {record.bytes.begin(), record.bytes.end()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        const std::string dump = emulator.dir() + "/dump.bin";
        fs::remove(dump);
        emulator.start({"--variant", c.variant, "--dump", dump});

        CliResult w = onRadio({"write", file("in.Cvf")});
        ASSERT_EQ(w.exitCode, 0) << w.out << w.err;
        EXPECT_EQ(w.lastLine(), "SUCCESS");
        ASSERT_TRUE(emulator.waitForOutput("saved"));
        const Bytes memory = testing::ReadAll(dump);
        ASSERT_EQ(memory.size(), 0x10000u);
        if (c.channel1Count) {
            EXPECT_EQ(memory[0x4000], 0x06) << "bitmap: channels 1 and 2";
            EXPECT_EQ(get_u24be(&memory[0x8080]), c.channel1Count);
            EXPECT_EQ(memory[0x415D], 7) << "SQL";
            EXPECT_EQ(get_u32be(&memory[0x4169]), 400'000'000u);
        } else {
            EXPECT_EQ(get_u32le(&memory[0x10]), 0x44600625u) << "packed decimal, 10 Hz units";
            EXPECT_EQ(memory[0x134], 7) << "SQL";
        }

        CliResult r = onRadio({"read", "-o", file("out.Cvf")});
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_EQ(r.lastLine(), "SUCCESS");
        const SoftwareData back = LoadRecord(file("out.Cvf"));
        ExpectSameChannels(record, back, c.channels);
        EXPECT_EQ(back.get(sd::SQL), 7u);
        EXPECT_EQ(back.get(sd::Beep), 1u);
        EXPECT_EQ(emulator.stop(), 0);
        fs::remove(file("out.Cvf"));
    }
}

TEST_F(CliReadWrite, RadioPasswordMustMatch) {
    emulator.start({"--password", "pw1234", "--dump", emulator.dir() + "/dump.bin"});
    SoftwareData record = SampleRecord();
    testing::WriteAll(file("in.Cvf"), {record.bytes.begin(), record.bytes.end()});

    CliResult wrong = onRadio({"write", file("in.Cvf")});
    EXPECT_EQ(wrong.exitCode, 4);
    EXPECT_EQ(wrong.lastLine(), "Password Error");
    CliResult wrongRead = onRadio({"read", "-o", file("out.Cvf"), "--password", "pw1235"});
    EXPECT_EQ(wrongRead.exitCode, 4);
    EXPECT_EQ(wrongRead.lastLine(), "Password Error");
    EXPECT_FALSE(fs::exists(file("out.Cvf")));

    CliResult right = onRadio({"write", file("in.Cvf"), "--password", "pw1234"});
    EXPECT_EQ(right.exitCode, 0) << right.out << right.err;
    // The option stands in for the check only: the file saved by a read
    // keeps the base record's password.
    record.setText(sd::Password, "fromfile");
    testing::WriteAll(file("base.Cvf"), {record.bytes.begin(), record.bytes.end()});
    CliResult read = onRadio({"read", "-o", file("out.Cvf"), "--base", file("base.Cvf"), "--password", "pw1234"});
    ASSERT_EQ(read.exitCode, 0) << read.out << read.err;
    EXPECT_EQ(LoadRecord(file("out.Cvf")).text(sd::Password), "fromfile");
}

TEST_F(CliReadWrite, NoRadioGivesCommunicationFalseAndLeavesTheOutputAlone) {
    // A device that does not exist: the run ends at once, no file appears.
    CliResult missing = cli({"read", "--device", file("no-such-tty"), "-o", file("new.Cvf")});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.lastLine(), "Communication False");
    EXPECT_NE(missing.err.find("no-such-tty"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(file("new.Cvf")));

    // A radio that never answers: five seconds, and an existing file stays.
    emulator.start({"--fault", "silent:0"});
    const Bytes before(8930, 0x5A);
    testing::WriteAll(file("old.Cvf"), before);
    CliResult silent = onRadio({"read", "-o", file("old.Cvf")});
    EXPECT_EQ(silent.exitCode, 3);
    EXPECT_EQ(silent.lastLine(), "Communication False");
    EXPECT_EQ(testing::ReadAll(file("old.Cvf")), before);
}

TEST_F(CliReadWrite, OutputThatCannotBeWrittenFailsBeforeTheRadioIsRead) {
    emulator.start();
    for (const std::string& output : {file("no/such/folder/x.Cvf"), dir_.path().string()}) {
        CliResult r = onRadio({"read", "-o", output});
        EXPECT_EQ(r.exitCode, 1) << output;
        EXPECT_EQ(r.out, "") << "no end message for a run that did not take place";
        EXPECT_NE(r.err.find(output), std::string::npos) << r.err;
    }
    EXPECT_EQ(emulator.output().find("session"), std::string::npos) << emulator.output();
}

TEST_F(CliReadWrite, FileAndUsageErrors) {
    CliResult noFile = cli({"write", "--device", "/dev/null", file("missing.Cvf")});
    EXPECT_EQ(noFile.exitCode, 1);
    CliResult noOutput = cli({"read", "--device", "/dev/null"});
    EXPECT_EQ(noOutput.exitCode, 2);
    CliResult longPassword = cli({"write", "--device", "/dev/null", "x.Cvf", "--password", "1234567890123"});
    EXPECT_EQ(longPassword.exitCode, 2);
}

}  // namespace
}  // namespace t604
