// The service commands of t604-cli (calibration, chip-status, password,
// customer-info, repair) against the virtual radio on a real pseudo-terminal,
// on variant A and B radios and on an old-format radio that refuses them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "emulator_process.h"
#include "link/calibration_block.h"
#include "model/bytes.h"
#include "model/software_data.h"
#include "service/adjustment_data.h"
#include "tests/core/file_test_support.h"

namespace t604 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

using test::CliResult;

class ServiceCli : public test::CliTest {
protected:
    std::string dumpPath() const { return emulator.dir() + "/dump.bin"; }
    // Starts the emulator, which saves its memory at every end byte.
    void startRadio(const char* variant, std::vector<std::string> more = {}) {
        more.insert(more.begin(), {"--variant", variant, "--dump", dumpPath()});
        emulator.start(more);
    }
    // The radio's memory as saved at the end of session n.
    Bytes memoryAfterSession(int n) {
        EXPECT_TRUE(emulator.waitForOutput("session " + std::to_string(n) + " ended")) << emulator.output();
        EXPECT_TRUE(emulator.waitForOutput("saved")) << emulator.output();
        return testing::ReadAll(dumpPath());
    }
};

void ExpectSuccess(const CliResult& r) {
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.lastLine(), "SUCCESS") << r.out << r.err;
}

Bytes Slice(const Bytes& memory, std::size_t address, std::size_t count) {
    return {memory.begin() + static_cast<long>(address), memory.begin() + static_cast<long>(address + count)};
}

// A calibration record off the defaults in fields the radio keeps.
AdjustmentData SampleCalibration() {
    AdjustmentData a;
    a.setDefaults(400'000'000, 480'000'000);
    a.set(adj::Freq_1_Tune, 88);
    a.set(adj::Freq_2_L, 17);
    a.set(adj::PinPian_W, 200);
    a.set(adj::SQL_L4, 99);
    a.set(adj::Noise_th, 70);
    a.set_i8(adj::SQ_offset_3, -12);
    a.set(adj::Vol1846_5, 31);
    a.set(adj::Modu_th, 111);  // kept in the file only
    return a;
}

TEST_F(ServiceCli, CalibrationWriteThenReadBackOnBothVariants) {
    const AdjustmentData sample = SampleCalibration();
    testing::WriteAll(file("in.cvfa"), {sample.bytes.begin(), sample.bytes.end()});
    for (const char* variant : {"a", "b"}) {
        SCOPED_TRACE(variant);
        const bool variantB = variant[0] == 'b';
        // Channel 1 in use at 440 MHz, high power: its calibration bytes are
        // recomputed from the file.
        Bytes image(0x10000, 0);
        image[0x4000] = 0x02;
        put_u24be(&image[0x8080], variantB ? 440'000'000 / 125 : 440'000'000 / 125 * 2);
        put_u24be(&image[0x8083], variantB ? 440'000'000 / 125 : 440'000'000 / 125 * 2);
        image[0x8080 + 15] = 0x20;
        testing::WriteAll(file("image.bin"), image);
        startRadio(variant, {"--image", file("image.bin")});

        ExpectSuccess(onRadio({"calibration", "write", file("in.cvfa")}));
        const Bytes memory = memoryAfterSession(1);
        EXPECT_EQ(get_u16be(&memory[0x41F0 + 5]), 440) << "point 1";
        EXPECT_EQ(memory[0x41F0 + 9], 88) << "point 1 tune";
        EXPECT_EQ(Slice(memory, 0x41F0 + 68, 2), variantB ? (Bytes{200, 0}) : (Bytes{0, 200})) << "deviation";
        EXPECT_EQ(Slice(memory, 0x8080 + 16, 2), (Bytes{63, 88})) << "channel 1: power and tune at 440 MHz";

        const CliResult read = onRadio({"calibration", "read", "-o", file("out.cvfa")});
        ExpectSuccess(read);
        AdjustmentData back;
        const Bytes saved = testing::ReadAll(file("out.cvfa"));
        ASSERT_EQ(saved.size(), kAdjustmentDataSize);
        std::copy(saved.begin(), saved.end(), back.bytes.begin());
        for (const Field& f : {adj::Freq_1_Tune, adj::Freq_2_L, adj::PinPian_W, adj::SQL_L4, adj::Noise_th,
                               adj::SQ_offset_3, adj::Vol1846_5})
            EXPECT_EQ(back.get(f), sample.get(f)) << f.name;
        EXPECT_EQ(back.get(adj::Modu_th), 110) << "not in the radio: the default";
        EXPECT_EQ(emulator.stop(), 0);
        fs::remove(file("out.cvfa"));
    }
}

TEST_F(ServiceCli, WriteAllSendsCalibrationAndOptionsButLeavesTheChannels) {
    Bytes image(0x10000, 0);
    for (std::size_t i = 0x8080; i < 0x87F0; ++i) image[i] = static_cast<std::uint8_t>(i * 5);
    testing::WriteAll(file("image.bin"), image);
    SoftwareData record;
    record.setDefaults();
    record.set(sd::BandMin, 136'000'000);
    record.set(sd::BandMax, 174'000'000);
    record.set(sd::SQL, 4);
    record.setText(sd::Password, "pw");
    testing::WriteAll(file("c.Cvf"), {record.bytes.begin(), record.bytes.end()});
    const AdjustmentData sample = SampleCalibration();
    testing::WriteAll(file("in.cvfa"), {sample.bytes.begin(), sample.bytes.end()});

    for (const char* variant : {"a", "b"}) {
        SCOPED_TRACE(variant);
        startRadio(variant, {"--image", file("image.bin"), "--password", "pw"});
        ExpectSuccess(onRadio({"calibration", "write-all", file("in.cvfa"), "--config", file("c.Cvf")}));
        const Bytes memory = memoryAfterSession(1);
        EXPECT_EQ(Slice(memory, 0x8080, 0x770), Slice(image, 0x8080, 0x770));
        EXPECT_EQ(memory[0x41F0 + 9], 88);
        EXPECT_EQ(memory[0x415D], 4) << "SQL";
        EXPECT_EQ(get_u32be(&memory[0x4169]), 136'000'000u) << "the configuration file's band";
        emulator.stop();
    }

    const CliResult noConfig = onRadio({"calibration", "write-all", file("in.cvfa")});
    EXPECT_EQ(noConfig.exitCode, 2);
}

TEST_F(ServiceCli, ChipStatusPrintsTheFieldsByNameAndSavesThemOnRequest) {
    for (const char* variant : {"a", "b"}) {
        SCOPED_TRACE(variant);
        startRadio(variant, {"--chip-status", "C8113C240080FF0700FE0C"});
        const CliResult r = onRadio({"chip-status", "-o", file("status.cvfa")});
        ExpectSuccess(r);
        const std::vector<std::string> expected = {
            "CurBatt    200", "Rssi_db    17",  "Noise_db   60", "Modu_cmp   0", "Rssi_cmp1  1",
            "Noise_cmp1 0",   "Noise_cmp2 1",   "Rssi_cmp3  1",  "Pkdet_cmp  1", "Pkdet_Rx   127",
            "Modu_db    0",   "Offset     65036", "SUCCESS"};
        EXPECT_EQ(r.lines(), expected);
        const Bytes saved = testing::ReadAll(file("status.cvfa"));
        ASSERT_EQ(saved.size(), kAdjustmentDataSize);
        EXPECT_EQ(saved[adj::CurBatt.offset], 200);
        EXPECT_EQ(get_u16le(&saved[adj::Offset.offset]), 0xFE0C);
        EXPECT_EQ(emulator.output().find("session"), std::string::npos) << "no end byte";
        emulator.stop();
    }
}

TEST_F(ServiceCli, PasswordWriteNeedsThePresentPasswordAndTheNewOneThenHolds) {
    for (const char* variant : {"a", "b"}) {
        SCOPED_TRACE(variant);
        startRadio(variant, {"--password", "old1"});
        const CliResult refused = onRadio({"password", "--new", "新12"});
        EXPECT_EQ(refused.exitCode, 4);
        EXPECT_EQ(refused.lastLine(), "Password Error");
        ExpectSuccess(onRadio({"password", "--password", "old1", "--new", "新12"}));

        EXPECT_EQ(onRadio({"calibration", "read", "-o", file("c.cvfa"), "--password", "old1"}).exitCode, 4);
        ExpectSuccess(onRadio({"calibration", "read", "-o", file("c.cvfa"), "--password", "新12"}));
        emulator.stop();
    }

    const CliResult tooLong = cli({"password", "--device", "/dev/null", "--new", "1234567890123"});
    EXPECT_EQ(tooLong.exitCode, 2);
    EXPECT_NE(tooLong.err.find("12"), std::string::npos) << tooLong.err;
}

TEST_F(ServiceCli, CustomerTextWriteAndReadNeedNoPassword) {
    for (const char* variant : {"a", "b"}) {
        SCOPED_TRACE(variant);
        startRadio(variant, {"--password", "secret"});
        ExpectSuccess(onRadio({"customer-info", "write", "经销商 A1"}));
        const CliResult read = onRadio({"customer-info", "read"});
        ExpectSuccess(read);
        EXPECT_EQ(read.lines(), (std::vector<std::string>{"经销商 A1", "SUCCESS"}));
        // The password block stays: the radio still wants its password.
        EXPECT_EQ(onRadio({"calibration", "read", "-o", file("c.cvfa")}).exitCode, 4);
        emulator.stop();
    }

    // A block never written (0xFF) holds no text: said on stderr, the run
    // itself succeeded.
    Bytes image(0x10000, 0);
    std::fill_n(image.begin() + 0x41E0, 16, 0xFF);
    testing::WriteAll(file("image.bin"), image);
    startRadio("a", {"--image", file("image.bin")});
    const CliResult blank = onRadio({"customer-info", "read"});
    EXPECT_EQ(blank.lines(), std::vector<std::string>{"SUCCESS"});
    EXPECT_NE(blank.err.find("no valid text"), std::string::npos) << blank.err;
}

TEST_F(ServiceCli, CustomerTextThatTheRadioCannotKeepIsAUsageError) {
    const CliResult tooLong = cli({"customer-info", "write", "--device", "/dev/null", "经销商经销商A"});
    EXPECT_EQ(tooLong.exitCode, 2);
    EXPECT_NE(tooLong.err.find("at most 12 bytes"), std::string::npos) << tooLong.err;
    const CliResult noGbk = cli({"customer-info", "write", "--device", "/dev/null", "smile \xF0\x9F\x98\x80"});
    EXPECT_EQ(noGbk.exitCode, 2);
    EXPECT_NE(noGbk.err.find("cannot keep these characters"), std::string::npos) << noGbk.err;
    EXPECT_EQ(cli({"customer-info", "erase", "--device", "/dev/null"}).exitCode, 2);
}

TEST_F(ServiceCli, RepairWritesTheCorrectionOnlyToAFaultyRadio) {
    for (const char* variant : {"a", "b"}) {
        SCOPED_TRACE(variant);
        startRadio(variant, {"--faulty-synth", "--password", "secret"});
        const CliResult first = onRadio({"repair"});
        ExpectSuccess(first);
        EXPECT_EQ(first.lines(),
                  (std::vector<std::string>{"faulty synthesiser setting found: correction written", "SUCCESS"}));
        EXPECT_EQ(Slice(memoryAfterSession(1), 0x8D95, 6), (Bytes{0x12, 0x01, 0x00, 0x12, 0x01, 0x00}));

        const CliResult second = onRadio({"repair"});
        ExpectSuccess(second);
        EXPECT_EQ(second.lines(), (std::vector<std::string>{"synthesiser setting in order: nothing written", "SUCCESS"}));
        emulator.stop();
    }
}

TEST_F(ServiceCli, OldFormatRadioRefusesTheServiceCommands) {
    startRadio("old", {"--faulty-synth"});
    AdjustmentData sample = SampleCalibration();
    testing::WriteAll(file("in.cvfa"), {sample.bytes.begin(), sample.bytes.end()});
    const std::vector<std::vector<std::string>> commands = {
        {"calibration", "read", "-o", file("out.cvfa")},
        {"calibration", "write", file("in.cvfa")},
        {"password", "--new", "abc"},
        {"customer-info", "read"},
        {"customer-info", "write", "abc"},
        {"repair"},
    };
    for (const auto& command : commands) {
        const CliResult r = onRadio(command);
        EXPECT_EQ(r.exitCode, 5) << command[0] << " " << r.out << r.err;
        EXPECT_EQ(r.lastLine(), "Device is old version") << command[0];
    }
    EXPECT_FALSE(fs::exists(file("out.cvfa")));
    EXPECT_EQ(emulator.output().find("session"), std::string::npos) << "no end byte, nothing written";
}

TEST_F(ServiceCli, NoRadioGivesCommunicationFalseAndNoFile) {
    const CliResult r = cli({"calibration", "read", "--device", file("no-such-tty"), "-o", file("out.cvfa")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.lastLine(), "Communication False");
    EXPECT_FALSE(fs::exists(file("out.cvfa")));
    EXPECT_EQ(cli({"calibration", "write", "--device", "/dev/null", file("missing.cvfa")}).exitCode, 1);
}

}  // namespace
}  // namespace t604
