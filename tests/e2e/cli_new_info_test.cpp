// t604-cli new and info as a script runs them: files, output, exit codes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "model/software_data.h"
#include "tests/core/file_test_support.h"

namespace t604 {
namespace {

using test::CliResult;

class CliNewInfoTest : public test::CliTest {
protected:
    void writeRecord(const std::string& name, const SoftwareData& rec) const {
        testing::WriteAll(file(name), {rec.bytes.begin(), rec.bytes.end()});
    }
};

// Two channels with everything the grid shows, one stale slot whose bit is
// clear, and the odd bytes files may hold.
SoftwareData sampleRecord() {
    SoftwareData rec;
    rec.setDefaults();
    rec.set(sd::BandMin, 136000000);
    rec.set(sd::BandMax, 174000000);
    ChannelRecord c1 = rec.channel(1);
    c1.setFreqRx(145012500);
    c1.setFreqTx(145612500);
    c1.setSubDe({670, kToneCtcss});
    c1.setSubEn({0x2813, kToneDcsInverted});
    c1.setPower(true);
    c1.setBandwidth(true);
    c1.setSCN(true);
    c1.setBUS(1);
    rec.SetChannelUsed(1, true);
    ChannelRecord c99 = rec.channel(99);
    c99.setFreqRx(150000000);
    c99.setSubDe({0xFFFF, kToneOff});
    rec.SetChannelUsed(99, true);
    rec.channel(50).setFreqRx(160000000);  // not in use: not shown

    for (std::size_t i = 0; i < 10; ++i) rec.bytes[sd::Stun.offset + i] = static_cast<std::uint8_t>(i + 6);
    rec.bytes[sd::Stun.offset + 10] = 250;  // count above 10
    const char sn[8] = {'S', 'N', '"', '\\', '\x01', '7', '8', '9'};  // no terminator
    std::copy(sn, sn + 8, rec.bytes.begin() + static_cast<std::ptrdiff_t>(sd::Sn.offset));
    for (std::size_t i = 0; i < 9; ++i) rec.bytes[sd::SoftwareVersion.offset + i] = 'V';
    return rec;
}

TEST_F(CliNewInfoTest, NewWritesTheDefaultsForTheBand) {
    CliResult r = cli({"new", "-o", file("a.Cvf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::uint8_t> bytes = testing::ReadAll(file("a.Cvf"));
    ASSERT_EQ(bytes.size(), 8930u);
    SoftwareData expected;
    expected.setDefaults();
    expected.set(sd::BandMax, 480000000);
    expected.set(sd::BandMin, 400000000);
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(expected.bytes.begin(), expected.bytes.end()));

    r = cli({"new", "--band", "136000000-174000000", "-o", file("b.Cvf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    bytes = testing::ReadAll(file("b.Cvf"));
    ASSERT_EQ(bytes.size(), 8930u);
    EXPECT_EQ(get_u32le(&bytes[sd::BandMax.offset]), 174000000u);
    EXPECT_EQ(get_u32le(&bytes[sd::BandMin.offset]), 136000000u);

    r = cli({"info", file("b.Cvf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Lower limit (Hz)  136000000\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Channels (0 in use)\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  TOT               180 s\n"), std::string::npos) << r.out;
}

TEST_F(CliNewInfoTest, InfoShowsTheChannelsAsTheGridDoes) {
    writeRecord("s.Cvf", sampleRecord());
    CliResult r = cli({"info", file("s.Cvf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const char* expectedLines[] = {
        "Channels (2 in use)\n",
        "  NO.  RX Freq.   TX Freq.   QT/DQT Dec  QT/DQT Enc  TX Power  Bandwidth  SCN  Busy Inhibit\n",
        "  01   145.01250  145.61250  67.0        D023I       High      Wide       ADD  CAT\n",
        "  99   150.00000  0          Off         Off         Low       Narrow     DEL  OFF\n",
        "  Upper limit (Hz)  174000000\n",
        "  Serial number     SN\"\\\\x0178" "9\n",
        "  Version           VVVVVVVVV\n",
        "  Stun              6789ABCD*#\n",
        "  Dizzy             -\n",
        "  AlarmCode         6000 (60.00 Hz)\n",
        "  Last programming  -\n",
    };
    for (const char* line : expectedLines) EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
    EXPECT_EQ(r.out.find("160.00000"), std::string::npos);
    EXPECT_EQ(r.out.find("BandMax"), std::string::npos);  // the band has its own section
}

TEST_F(CliNewInfoTest, InfoJsonHoldsTheSame) {
    writeRecord("s.Cvf", sampleRecord());
    CliResult r = cli({"info", "--json", file("s.Cvf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const char* expected[] = {
        "\"serialNumber\": \"SN\\\"\\\\\\u000178" "9\"",
        "\"version\": \"VVVVVVVVV\"",
        "\"lastProgramming\": null",
        "\"min\": 136000000",
        "\"max\": 174000000",
        "\"number\": \"01\",\n      \"rx\": \"145.01250\",\n      \"tx\": \"145.61250\",\n"
        "      \"decode\": \"67.0\",\n      \"encode\": \"D023I\",\n      \"power\": \"High\",\n"
        "      \"bandwidth\": \"Wide\",\n      \"scan\": \"ADD\",\n      \"busyLock\": \"CAT\"",
        "\"number\": \"99\"",
        "\"TOT\": 180",
        "\"Stun\": \"6789ABCD*#\"",
        "\"Dizzy\": \"\"",
    };
    for (const char* text : expected) EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
    EXPECT_EQ(r.out.find("\"number\": \"50\""), std::string::npos);
}

TEST_F(CliNewInfoTest, ZeroBandShowsTheDefaultBandAndShortFileLiesOverTheDefaults) {
    testing::WriteAll(file("short.Cvf"), std::vector<std::uint8_t>(100, 0));
    CliResult r = cli({"info", "--json", file("short.Cvf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"min\": 400000000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"max\": 480000000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"SQL\": 5"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"channels\": []"), std::string::npos) << r.out;
}

TEST_F(CliNewInfoTest, UsageErrorsExitTwoWithOneLine) {
    const std::vector<std::string> cases[] = {
        {},
        {"frobnicate"},
        {"new"},
        {"new", "-o"},
        {"new", "-o", "x.Cvf", "--band", "5"},
        {"new", "-o", "x.Cvf", "--band", "480000000-400000000"},
        {"new", "-o", "x.Cvf", "extra"},
        {"info"},
        {"info", "a.Cvf", "b.Cvf"},
        {"info", "--xml", "a.Cvf"},
        {"read", "-o", "x.Cvf"},  // no --device
        {"write", "--device", "", "x.Cvf"},
    };
    for (const std::vector<std::string>& argv : cases) {
        std::string args;
        for (const std::string& a : argv) args += " " + a;
        CliResult r = cli(argv);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        ASSERT_FALSE(r.err.empty()) << args;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
    }
}

TEST_F(CliNewInfoTest, FilesThatCannotBeReadOrWrittenExitOne) {
    CliResult r = cli({"info", file("missing.Cvf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(file("missing.Cvf")), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    r = cli({"new", "-o", file("no/such/folder/x.Cvf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no/such/folder/x.Cvf"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;

    r = cli({"info", dir_.path().string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Is a directory"), std::string::npos) << r.err;
}

TEST_F(CliNewInfoTest, HelpDescribesEachCommand) {
    const std::vector<std::string> commands[] = {
        {"new"},         {"info"},          {"read"},           {"write"},
        {"emulate"},     {"calibration"},   {"chip-status"},    {"password"},
        {"customer-info"}, {"repair"},      {"calibration", "write-all"}, {"customer-info", "write"},
    };
    for (std::vector<std::string> command : commands) {
        const std::string name = command[0];
        command.push_back("--help");
        CliResult r = cli(command);
        EXPECT_EQ(r.exitCode, 0) << name;
        EXPECT_EQ(r.err, "") << name;
        EXPECT_EQ(r.out.rfind("usage: t604-cli " + name, 0), 0u) << r.out;
    }
    CliResult overview = cli({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    for (const char* name : {"new", "info", "read", "write", "emulate", "calibration", "chip-status", "password",
                             "customer-info", "repair"})
        EXPECT_NE(overview.out.find(std::string("  ") + name + " "), std::string::npos) << name;
}

}  // namespace
}  // namespace t604
