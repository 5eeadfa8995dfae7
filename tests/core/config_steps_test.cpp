// The main read and write driven through a programming run against a
// virtual radio in simulated time: the block sequence, what lands in the
// radio, and that a read changes the record only after "SUCCESS".

#include "link/config_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "fake_port.h"
#include "link/memory_map.h"
#include "link/old_format_map.h"
#include "link/program_run.h"
#include "link/radio_image.h"
#include "link/text_block.h"
#include "link/virtual_radio.h"
#include "model/bytes.h"
#include "model/freq_codec.h"
#include "model/program_state.h"

namespace t604 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A request as the radio sees it: kind, address, and for writes the data.
struct Request {
    std::uint8_t kind;
    std::uint16_t address;
};

std::vector<Request> BlockRequests(const std::vector<fake::Written>& writes) {
    std::vector<Request> out;
    for (const fake::Written& w : writes)
        if (w.bytes.size() >= 4 && (w.bytes[0] == 0x52 || w.bytes[0] == 0x57))
            out.push_back({w.bytes[0], get_u16be(w.bytes.data() + 1)});
    return out;
}

// The expected requests: `count` blocks of `kind` from `first` upwards.
void Expect(std::vector<Request>& into, std::uint8_t kind, const RadioArea& area) {
    for (std::size_t i = 0; i < area.blocks(); ++i)
        into.push_back({kind, static_cast<std::uint16_t>(area.first + 16 * i)});
}

void ExpectSameRequests(const std::vector<Request>& actual, const std::vector<Request>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].kind, expected[i].kind) << "request " << i;
        EXPECT_EQ(actual[i].address, expected[i].address) << "request " << i;
    }
}

constexpr std::uint8_t kRead = 0x52, kWrite = 0x57;

class ConfigStepsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        SetDefaultData();
        RadioImage.fill(0);
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        CalibrationTable = {};
    }

    ProgramRun& run(VirtualRadio& radio, bool read) {
        ports.addPort(1);
        ports.attachRadio(1, radio);
        run_ = std::make_unique<ProgramRun>(ports, kOpConfig, read, PortSettings{1, false});
        fake::RunToEnd(*run_, ports);
        return *run_;
    }

    fake::FakePortSystem ports;
    std::unique_ptr<ProgramRun> run_;
};

TEST_F(ConfigStepsTest, StepFunctionsOfTheOperations) {
    EXPECT_EQ(StepFunctionFor(kOpConfig, true, false), &Read);
    EXPECT_EQ(StepFunctionFor(kOpConfig, false, false), &Write);
    EXPECT_EQ(StepFunctionFor(kOpConfig, true, true), &Read_old);
    EXPECT_EQ(StepFunctionFor(kOpConfig, false, true), &Write_old);
    EXPECT_EQ(StepFunctionFor(kOpSerialNumber, true, false), nullptr);
    EXPECT_EQ(StepFunctionFor(kOpCustomerRead, true, false), nullptr);
    EXPECT_EQ(StepFunctionFor(99, false, false), nullptr);
}

TEST_F(ConfigStepsTest, ReadTransfersSettingsThenChannelsAndConvertsAfterConfirmation) {
    VirtualRadio radio(RadioVariant::B);
    auto memory = radio.memory();
    memory[0x4000] = 0x08;  // channel 3
    put_u24be(&memory[0x8080 + 2 * 19], FrequencyCount(446'006'250, true));
    put_u24be(&memory[0x8080 + 2 * 19 + 3], FrequencyCount(441'006'250, true));
    put_u16be(&memory[0x4156], 300);
    put_u32be(&memory[0x4169], 136'000'000);
    put_u32be(&memory[0x416D], 174'000'000);
    const SoftwareData before = softwareData;

    ProgramRun& r = run(radio, true);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    std::vector<Request> expected = {{kRead, 0x41D0}, {kRead, 0x41E0}};
    Expect(expected, kRead, kSettingsArea);
    Expect(expected, kRead, kChannelArea);
    ExpectSameRequests(BlockRequests(ports.writes()), expected);
    EXPECT_EQ(expected.size(), 2u + 24 + 119);
    EXPECT_EQ(ports.writes().back().bytes, Bytes{0x45});
    EXPECT_EQ(r.ProgressStep, 227);

    EXPECT_EQ(softwareData, before) << "nothing changes before the user confirms";
    EXPECT_EQ(CurrentBandMin, kDefaultBandMin);
    r.confirmOutcome();
    EXPECT_TRUE(softwareData.IsChannelUsed(3));
    EXPECT_EQ(softwareData.channel(3).FreqRx(), 446'006'250u);
    EXPECT_EQ(softwareData.channel(3).FreqTx(), 441'006'250u);
    EXPECT_EQ(softwareData.get(sd::TOT), 300u);
    EXPECT_EQ(CurrentBandMin, 136'000'000u);
    EXPECT_EQ(CurrentBandMax, 174'000'000u);
}

TEST_F(ConfigStepsTest, FailedReadLeavesTheRecordUnchanged) {
    VirtualRadio radio(RadioVariant::A);
    radio.memory()[0x4000] = 0xFF;
    radio.addFault({RadioFault::Kind::SilentAfter, 20});
    const SoftwareData before = softwareData;
    ProgramRun& r = run(radio, true);
    EXPECT_EQ(r.outcome(), Outcome::CommunicationFalse);
    r.confirmOutcome();
    EXPECT_EQ(softwareData, before);
}

TEST_F(ConfigStepsTest, WriteReadsCalibrationThenWritesSettingsAndChannels) {
    for (bool newPassword : {false, true}) {
        SCOPED_TRACE(newPassword ? "with new password" : "without new password");
        Reset();
        run_.reset();
        ports = fake::FakePortSystem{};
        VirtualRadio radio(RadioVariant::A);
        // Calibration: tune 10 at 400 MHz rising to 30 at 420 MHz; the other
        // points repeat 420 MHz.
        const std::uint8_t points[25] = {0x01, 0x90, 1, 2, 10, 0x01, 0xA4, 3, 4, 30,
                                         0x01, 0xA4, 0, 0, 0,  0x01, 0xA4, 0, 0, 0,
                                         0x01, 0xA4, 0, 0, 0};
        std::ranges::copy(points, &radio.memory()[0x41F0]);
        softwareData.SetChannelUsed(2, true);
        ChannelRecord c = softwareData.channel(2);
        c.setFreqRx(410'000'000);
        c.setFreqTx(410'000'000);
        c.setSubDe({670, kToneCtcss});
        softwareData.set(sd::WriteWithNewPD, newPassword);
        softwareData.setText(sd::NewPassword, "2580");
        const SoftwareData before = softwareData;

        ProgramRun& r = run(radio, false);
        ASSERT_EQ(r.outcome(), Outcome::Success);
        std::vector<Request> expected = {{kRead, 0x41D0}, {kRead, 0x41E0}};
        Expect(expected, kRead, kCalibrationArea);
        Expect(expected, kWrite, kSettingsArea);
        Expect(expected, kWrite, kChannelArea);
        if (newPassword) Expect(expected, kWrite, kPasswordBlock);
        ExpectSameRequests(BlockRequests(ports.writes()), expected);
        EXPECT_EQ(ports.writes().back().bytes, Bytes{0x45});
        EXPECT_EQ(r.ProgressStep, 241);

        auto memory = radio.memory();
        EXPECT_EQ(memory[0x4000], 0x04);
        const std::uint8_t* slot2 = &memory[0x8080 + 19];
        EXPECT_EQ(get_u24be(slot2), FrequencyCount(410'000'000, false));
        EXPECT_EQ(get_u16be(slot2 + 8), 6700);
        EXPECT_EQ(slot2[17], 20) << "tune interpolated from the radio's calibration";
        EXPECT_EQ(DecodeTextBlock(&memory[0x41D0]), newPassword ? std::optional<std::string>("2580")
                                                                : std::optional<std::string>(""));
        r.confirmOutcome();
        EXPECT_EQ(softwareData, before) << "a write does not change the record";
    }
}

TEST_F(ConfigStepsTest, OldFormatReadAcknowledgesEveryBlock) {
    VirtualRadio radio(RadioVariant::Old);
    auto memory = radio.memory();
    std::ranges::fill(memory.subspan(0x10, 0x1F0), 0xFF);
    std::ranges::copy(FreqToBcd(145'500'000), &memory[0x20]);  // channel 2
    std::ranges::copy(FreqToBcd(145'500'000), &memory[0x24]);
    memory[0x130] = 8;
    memory[0x17E] = 0x02;
    memory[0x17F] = 0x00;
    softwareData.setText(sd::Sn, "SN000001");
    const SoftwareData before = softwareData;

    ProgramRun& r = run(radio, true);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    const auto& writes = ports.writes();
    std::vector<Request> expected;
    Expect(expected, kRead, kOldFormatArea);
    ExpectSameRequests(BlockRequests(writes), expected);
    // Every read request is followed by the acknowledge of its reply.
    for (std::size_t i = 0; i + 1 < writes.size(); ++i) {
        if (writes[i].bytes[0] == kRead) {
            EXPECT_EQ(writes[i + 1].bytes, Bytes{0x06}) << i;
        }
    }
    EXPECT_EQ(r.ProgressStep, 49);

    EXPECT_EQ(softwareData, before);
    r.confirmOutcome();
    EXPECT_TRUE(softwareData.IsChannelUsed(2));
    EXPECT_FALSE(softwareData.IsChannelUsed(1));
    EXPECT_EQ(softwareData.channel(2).FreqRx(), 145'500'000u);
    EXPECT_TRUE(softwareData.channel(2).SCN());
    EXPECT_EQ(softwareData.get(sd::TOT), 120u);
    EXPECT_EQ(softwareData.text(sd::Sn), "");
}

TEST_F(ConfigStepsTest, OldFormatWriteSendsTheWholeArea) {
    VirtualRadio radio(RadioVariant::Old);
    softwareData.SetChannelUsed(1, true);
    softwareData.channel(1).setFreqRx(146'000'000);
    softwareData.channel(1).setFreqTx(146'600'000);
    const SoftwareData before = softwareData;

    ProgramRun& r = run(radio, false);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    std::vector<Request> expected;
    Expect(expected, kWrite, kOldFormatArea);
    ExpectSameRequests(BlockRequests(ports.writes()), expected);
    EXPECT_EQ(ports.writes().back().bytes, Bytes{0x45});
    EXPECT_EQ(FreqFromBcd(&radio.memory()[0x10]), 146'000'000u);
    EXPECT_EQ(FreqFromBcd(&radio.memory()[0x14]), 146'600'000u);
    EXPECT_EQ(radio.memory()[0x20], 0xFF);
    EXPECT_EQ(softwareData, before);
}

}  // namespace
}  // namespace t604
