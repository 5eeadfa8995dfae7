// The service operations driven through a programming run against a virtual
// radio in simulated time: what each one sends, what lands in the radio, and
// that the records change only once "SUCCESS" is confirmed.

#include "link/service_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "fake_port.h"
#include "link/calibration_block.h"
#include "link/memory_map.h"
#include "link/program_run.h"
#include "link/radio_image.h"
#include "link/text_block.h"
#include "link/virtual_radio.h"
#include "model/bytes.h"
#include "model/program_state.h"
#include "service/adjustment_data.h"

namespace t604 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What the PC sent, one line per run of like requests: "PROGRAM", "E",
// "R41D0/16 x2" (two 16-byte reads from 0x41D0 upward), "W8D95/6", or the
// frame's bytes in hex.
std::vector<std::string> Transcript(const std::vector<fake::Written>& writes) {
    std::vector<std::string> lines;
    std::string runKey;
    int runCount = 0;
    std::uint16_t nextAddress = 0;
    auto flush = [&] {
        if (runCount > 0) lines.push_back(runCount == 1 ? runKey : runKey + " x" + std::to_string(runCount));
        runCount = 0;
    };
    for (const fake::Written& w : writes) {
        const Bytes& b = w.bytes;
        const bool block = b.size() >= 4 && (b[0] == 0x52 || b[0] == 0x57);
        if (block) {
            const std::uint16_t address = get_u16be(b.data() + 1);
            const char kind = b[0] == 0x52 ? 'R' : 'W';
            if (runCount > 0 && runKey[0] == kind && address == nextAddress &&
                runKey.substr(runKey.find('/')) == "/" + std::to_string(b[3])) {
                ++runCount;
            } else {
                flush();
                char key[32];
                std::snprintf(key, sizeof key, "%c%04X/%d", kind, address, b[3]);
                runKey = key;
                runCount = 1;
            }
            nextAddress = static_cast<std::uint16_t>(address + b[3]);
            continue;
        }
        flush();
        if (b == Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M'}) {
            lines.push_back("PROGRAM");
        } else if (b == Bytes{0x45}) {
            lines.push_back("E");
        } else {
            std::string hex;
            for (std::uint8_t byte : b) {
                char two[4];
                std::snprintf(two, sizeof two, "%s%02X", hex.empty() ? "" : " ", byte);
                hex += two;
            }
            lines.push_back(hex);
        }
    }
    flush();
    return lines;
}

using Lines = std::vector<std::string>;

class ServiceStepsTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        SetDefaultData();
        CurrentBandMin = kDefaultBandMin;
        CurrentBandMax = kDefaultBandMax;
        ResetAdjustmentData();
        RadioImage.fill(0);
        CustomerInfoBuffer.fill(0);
        CalibrationBlock.fill(0);
        CalibrationTable = {};
        RepairCorrectionWritten = false;
    }

    ProgramRun& run(VirtualRadio& radio, int op, bool read) {
        ports = fake::FakePortSystem{};
        ports.addPort(1);
        ports.attachRadio(1, radio);
        run_ = std::make_unique<ProgramRun>(ports, op, read, PortSettings{1, false});
        fake::RunToEnd(*run_, ports);
        return *run_;
    }
    Lines transcript() const { return Transcript(ports.writes()); }

    fake::FakePortSystem ports;
    std::unique_ptr<ProgramRun> run_;
};

void PutPassword(VirtualRadio& radio, std::string_view password) {
    std::ranges::copy(EncodeTextBlock(password), radio.memory().begin() + 0x41D0);
}

Bytes MemoryAt(const VirtualRadio& radio, std::size_t address, std::size_t count) {
    auto m = radio.memory();
    return {m.begin() + static_cast<long>(address), m.begin() + static_cast<long>(address + count)};
}

// Slot n of the radio's channel area.
std::uint8_t* RadioSlot(VirtualRadio& radio, int n) { return &radio.memory()[0x8080 + 19 * (n - 1)]; }

void PutSlot(VirtualRadio& radio, int n, std::uint32_t rxHz, std::uint32_t txHz, std::uint8_t flags,
             bool variantB) {
    std::uint8_t* s = RadioSlot(radio, n);
    put_u24be(s, FrequencyCount(rxHz, variantB));
    put_u24be(s + 3, FrequencyCount(txHz, variantB));
    s[6] = 0x02;  // a tone word, to show the rest of the slot stays
    s[14] = 0x01;
    s[15] = flags;
    s[16] = s[17] = s[18] = 0xEE;
}

TEST_F(ServiceStepsTest, EachOperationHasItsStepFunction) {
    EXPECT_EQ(StepFunctionFor(kOpAdjustment, true, false), &AdjustmentRead);
    EXPECT_EQ(StepFunctionFor(kOpAdjustment, false, false), &AdjustmentWrite);
    EXPECT_EQ(StepFunctionFor(kOpAllWrite, false, false), &AllWrite);
    EXPECT_EQ(StepFunctionFor(kOpChipStatus, true, false), &Read1846Status);
    EXPECT_EQ(StepFunctionFor(kOpPasswordWrite, false, false), &PasswordWrite);
    EXPECT_EQ(StepFunctionFor(kOpCustomerWrite, false, false), &SetCustomWrite);
    EXPECT_EQ(StepFunctionFor(kOpRepair, false, false), &ProBugRestore);
    for (int op : {kOpAdjustment, kOpAllWrite, kOpPasswordWrite, kOpRepair}) {
        EXPECT_EQ(StepFunctionFor(op, false, true), nullptr) << op;
        EXPECT_EQ(StepFunctionFor(op, true, true), nullptr) << op;
    }
    EXPECT_EQ(StepFunctionFor(kOpSerialNumber, false, false), nullptr);
}

TEST_F(ServiceStepsTest, AdjustmentWriteSendsTheBlockThenRecalibratesTheChannelsInUse) {
    VirtualRadio radio(RadioVariant::A);
    radio.memory()[0x4000] = 0x22;  // channels 1 and 5
    PutSlot(radio, 1, 440'000'000, 440'000'000, 0x00, false);               // low power, narrow
    PutSlot(radio, 5, 420'000'000, 430'000'000, slot::kHighPower | slot::kWide, false);
    PutSlot(radio, 7, 420'000'000, 420'000'000, slot::kHighPower, false);   // not in use
    const Bytes slot1Before = MemoryAt(radio, 0x8080, 16);

    // Points at 400, 440 and 480 MHz: high power 100/140/180, low 10/30/50,
    // tune 50/90/130.
    for (std::size_t i = 0; i < 3; ++i) {
        adjustmentData.set(adj::kFreqPoints[i].H, static_cast<std::uint16_t>(100 + 40 * i));
        adjustmentData.set(adj::kFreqPoints[i].L, static_cast<std::uint16_t>(10 + 20 * i));
        adjustmentData.set(adj::kFreqPoints[i].Tune, static_cast<std::uint16_t>(50 + 40 * i));
    }
    adjustmentData.set_i8(adj::SQ_offset_2, 7);
    adjustmentData.set_i8(adj::SQ_offset_nar_4, -9);
    adjustmentData.set(adj::Vol1846_0, 5);
    const AdjustmentData before = adjustmentData;

    ProgramRun& r = run(radio, kOpAdjustment, false);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2", "W41F0/16 x9", "R4000/16 x2", "R8080/16 x119",
                                   "W8080/16 x119", "E"}));
    EXPECT_EQ(r.ProgressStep, 394);

    EXPECT_EQ(MemoryAt(radio, 0x41F0, 144), Bytes(CalibrationBlock.begin(), CalibrationBlock.end()));
    EXPECT_EQ(get_u16be(&radio.memory()[0x41F0 + 5]), 440);
    // Channel 5: tx 430 MHz high power 130, rx 420 MHz tune 70, wide
    // squelch segment 2 (420-429 MHz).
    EXPECT_EQ(MemoryAt(radio, 0x8080 + 4 * 19 + 16, 3), (Bytes{130, 70, 7}));
    // Channel 1: 440 MHz low power 30, tune 90, narrow segment 4.
    EXPECT_EQ(MemoryAt(radio, 0x8080 + 16, 3), (Bytes{30, 90, 0xF7}));
    EXPECT_EQ(MemoryAt(radio, 0x8080, 16), slot1Before) << "only bytes 16-18 change";
    EXPECT_EQ(MemoryAt(radio, 0x8080 + 6 * 19 + 16, 3), (Bytes{0xEE, 0xEE, 0xEE})) << "channel 7 not in use";

    // GetAdjustmentData's invariants reach the record; nothing else does.
    AdjustmentData expected = before;
    expected.set(adj::Vol1846_0, 0);
    expected.set(adj::Batt_Tbl_L0, before.get(adj::Batt_L0_Wait));
    EXPECT_EQ(adjustmentData, expected);
}

TEST_F(ServiceStepsTest, AdjustmentWriteToARadioWithoutChannelsWritesTheChannelAreaBackUnchanged) {
    VirtualRadio radio(RadioVariant::B);
    auto memory = radio.memory();
    for (std::size_t i = 0; i < kChannelArea.size; ++i)
        memory[kChannelArea.first + i] = static_cast<std::uint8_t>(i * 13 + 1);
    const Bytes channels = MemoryAt(radio, kChannelArea.first, kChannelArea.size);
    ProgramRun& r = run(radio, kOpAdjustment, false);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(MemoryAt(radio, kChannelArea.first, kChannelArea.size), channels);
    EXPECT_EQ(transcript().size(), 7u);
}

TEST_F(ServiceStepsTest, AdjustmentReadFillsTheRecordOnlyAfterConfirmation) {
    for (bool variantB : {false, true}) {
        SCOPED_TRACE(variantB ? "variant B" : "variant A");
        Reset();
        // A radio calibrated with other values than the defaults.
        adjustmentData.set(adj::Freq_3, 455);
        adjustmentData.set(adj::Freq_3_Tune, 77);
        adjustmentData.set(adj::PinPian_W, 200);
        adjustmentData.set(adj::SQL_L4, 99);
        adjustmentData.set(adj::Noise_th, 70);
        GetAdjustmentData(variantB);
        const AdjustmentData calibrated = adjustmentData;
        VirtualRadio radio(variantB ? RadioVariant::B : RadioVariant::A);
        std::ranges::copy(CalibrationBlock, radio.memory().begin() + 0x41F0);
        ResetAdjustmentData();
        const AdjustmentData before = adjustmentData;

        ProgramRun& r = run(radio, kOpAdjustment, true);
        ASSERT_EQ(r.outcome(), Outcome::Success);
        // The identity area and the calibration block lie back to back.
        EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x11", "E"}));
        EXPECT_EQ(r.ProgressStep, 13);
        EXPECT_TRUE(std::equal(CalibrationBlock.begin(), CalibrationBlock.end(), RadioImage.begin()))
            << "the block lands at image 0-143";
        EXPECT_EQ(adjustmentData, before);
        r.confirmOutcome();
        EXPECT_EQ(adjustmentData, calibrated);
    }
}

TEST_F(ServiceStepsTest, FailedAdjustmentReadLeavesTheRecordUnchanged) {
    VirtualRadio radio(RadioVariant::A);
    radio.memory()[0x41F0] = 0x02;
    radio.addFault({RadioFault::Kind::SilentAfter, 6});
    const AdjustmentData before = adjustmentData;
    ProgramRun& r = run(radio, kOpAdjustment, true);
    EXPECT_EQ(r.outcome(), Outcome::CommunicationFalse);
    r.confirmOutcome();
    EXPECT_EQ(adjustmentData, before);
}

TEST_F(ServiceStepsTest, WriteAllSendsCalibrationAndSettingsButNeverTheChannels) {
    for (bool newPassword : {false, true}) {
        SCOPED_TRACE(newPassword ? "with new password" : "without");
        Reset();
        VirtualRadio radio(RadioVariant::A);
        auto memory = radio.memory();
        for (std::size_t i = 0; i < kChannelArea.size; ++i)
            memory[kChannelArea.first + i] = static_cast<std::uint8_t>(i * 7 + 5);
        const Bytes channels = MemoryAt(radio, kChannelArea.first, kChannelArea.size);
        softwareData.SetChannelUsed(3, true);
        softwareData.channel(3).setFreqRx(446'000'000);
        softwareData.channel(3).setFreqTx(446'000'000);
        softwareData.set(sd::TOT, 180);
        softwareData.set(sd::WriteWithNewPD, newPassword);
        softwareData.setText(sd::NewPassword, "7788");
        adjustmentData.set(adj::Freq_0_Tune, 42);

        ProgramRun& r = run(radio, kOpAllWrite, false);
        ASSERT_EQ(r.outcome(), Outcome::Success);
        Lines expected{"PROGRAM", "R41D0/16 x2", "W41F0/16 x9", "R41F0/16 x9", "W4000/16 x24"};
        if (newPassword) expected.push_back("W41D0/16");
        expected.push_back("E");
        EXPECT_EQ(transcript(), expected);
        EXPECT_EQ(r.ProgressStep, 64);

        EXPECT_EQ(MemoryAt(radio, kChannelArea.first, kChannelArea.size), channels);
        EXPECT_EQ(MemoryAt(radio, 0x41F0, 144), Bytes(CalibrationBlock.begin(), CalibrationBlock.end()));
        EXPECT_EQ(memory[0x4000], 0x08) << "the bitmap of the record";
        EXPECT_EQ(get_u16be(&memory[0x4156]), 180);
        // The calibration read back is what the conversion used.
        EXPECT_EQ(CalibrationTable.points[0].Tune, 42);
        EXPECT_EQ(DecodeTextBlock(&memory[0x41D0]), newPassword ? "7788" : "");
    }
}

TEST_F(ServiceStepsTest, PasswordWriteSendsOneBlockAtTheIdentityArea) {
    VirtualRadio radio(RadioVariant::B);
    PutPassword(radio, "old1");
    softwareData.setText(sd::Password, "old1");
    softwareData.setText(sd::NewPassword, "new234");
    const Bytes customer = MemoryAt(radio, 0x41E0, 16);

    ProgramRun& r = run(radio, kOpPasswordWrite, false);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2", "W41D0/16", "E"}));
    EXPECT_EQ(r.ProgressStep, 10);
    EXPECT_EQ(DecodeTextBlock(&radio.memory()[0x41D0]), "new234");
    EXPECT_EQ(MemoryAt(radio, 0x41E0, 16), customer);
}

TEST_F(ServiceStepsTest, CustomerWriteNeedsNoPasswordAndLeavesThePasswordBlock) {
    VirtualRadio radio(RadioVariant::A);
    PutPassword(radio, "secret");
    const Bytes passwordBlock = MemoryAt(radio, 0x41D0, 16);
    const std::string text = "ACME \xD6\xD0\xCE\xC4!";  // GBK bytes, 10 in all
    std::ranges::copy(text, CustomerInfoBuffer.begin() + 64);

    ProgramRun& r = run(radio, kOpCustomerWrite, false);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2", "W41E0/16", "E"}));
    EXPECT_EQ(r.ProgressStep, 10);
    EXPECT_EQ(DecodeTextBlock(&radio.memory()[0x41E0]), text);
    EXPECT_EQ(MemoryAt(radio, 0x41D0, 16), passwordBlock);
}

TEST_F(ServiceStepsTest, CustomerReadNeedsNoPasswordAndAFailedOneLeavesTheBuffer) {
    VirtualRadio radio(RadioVariant::B);
    PutPassword(radio, "secret");
    std::ranges::copy(EncodeTextBlock("Dealer 7"), radio.memory().begin() + 0x41E0);
    CustomerInfoBuffer.fill(0xEE);
    ProgramRun& r = run(radio, kOpCustomerRead, true);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2", "E"}));
    EXPECT_EQ(DecodeTextBlock(CustomerInfoBuffer.data() + 16), "Dealer 7");
    EXPECT_EQ(CustomerInfoBuffer[64], 0xEE) << "the text to write stays";

    const auto afterFirst = CustomerInfoBuffer;
    VirtualRadio silent(RadioVariant::B);
    silent.addFault({RadioFault::Kind::SilentAfter, 2});
    EXPECT_EQ(run(silent, kOpCustomerRead, true).outcome(), Outcome::CommunicationFalse);
    EXPECT_EQ(CustomerInfoBuffer, afterFirst);
}

TEST_F(ServiceStepsTest, RepairCorrectsOnlyTheFaultyPatternAndNeedsNoPassword) {
    VirtualRadio radio(RadioVariant::A);
    PutPassword(radio, "secret");
    std::ranges::copy(kSynthFaultPattern, radio.memory().begin() + 0x8D95);

    ProgramRun& first = run(radio, kOpRepair, false);
    ASSERT_EQ(first.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2", "R8D95/6", "W8D95/6", "E"}));
    EXPECT_EQ(ports.writes()[4].bytes, (Bytes{0x57, 0x8D, 0x95, 6, 0x12, 0x01, 0x00, 0x12, 0x01, 0x00}));
    EXPECT_EQ(MemoryAt(radio, 0x8D95, 6), (Bytes{0x12, 0x01, 0x00, 0x12, 0x01, 0x00}));
    EXPECT_TRUE(RepairCorrectionWritten);
    EXPECT_EQ(first.ProgressStep, 10);

    // Repaired now: the second run only reads, and still succeeds.
    ProgramRun& second = run(radio, kOpRepair, false);
    ASSERT_EQ(second.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2", "R8D95/6", "E"}));
    EXPECT_FALSE(RepairCorrectionWritten);

    // One byte off the pattern is not the fault.
    VirtualRadio other(RadioVariant::B);
    const Bytes nearly{0x11, 0x3D, 0x37, 0x12, 0x01, 0x01};
    std::ranges::copy(nearly, other.memory().begin() + 0x8D95);
    ASSERT_EQ(run(other, kOpRepair, false).outcome(), Outcome::Success);
    EXPECT_EQ(MemoryAt(other, 0x8D95, 6), nearly);
    EXPECT_FALSE(RepairCorrectionWritten);
}

TEST_F(ServiceStepsTest, ChipStatusSendsNoHandshakeNoEndByteAndFillsTheStatusAfterConfirmation) {
    VirtualRadio radio(RadioVariant::A);
    radio.setChipStatus({0x7B, 0x3C, 0x1E, 0xA8, 0x00, 0x80, 0x95, 0x00, 0x40, 0x01, 0x2C});
    const AdjustmentData before = adjustmentData;
    ProgramRun& r = run(radio, kOpChipStatus, true);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), Lines{"59 52"});
    EXPECT_EQ(radio.sessionsEnded(), 0);
    EXPECT_EQ(adjustmentData, before);
    r.confirmOutcome();
    EXPECT_EQ(adjustmentData.get(adj::CurBatt), 0x7B);
    EXPECT_EQ(adjustmentData.get(adj::Rssi_cmp1), 1);
    EXPECT_EQ(adjustmentData.get(adj::Pkdet_Rx), 0x15);
    EXPECT_EQ(adjustmentData.get(adj::Offset), 300);
}

// The handshake step runs the status exchange for operation 7 whatever the
// direction the caller set.
TEST_F(ServiceStepsTest, ChipStatusRunsWhicheverDirectionIsSet) {
    VirtualRadio radio(RadioVariant::A);
    radio.setChipStatus({0x7B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ProgramRun& r = run(radio, kOpChipStatus, false);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    EXPECT_EQ(transcript(), Lines{"59 52"});
    r.confirmOutcome();
    EXPECT_EQ(adjustmentData.get(adj::CurBatt), 0x7B);
}

TEST_F(ServiceStepsTest, ChipStatusRequestIsRepeatedEverySecondUntilAStatusReplyComes) {
    VirtualRadio radio(RadioVariant::B);
    radio.addFault({RadioFault::Kind::DropReply, 1});
    radio.addFault({RadioFault::Kind::DropReply, 2});
    ProgramRun& r = run(radio, kOpChipStatus, true);
    ASSERT_EQ(r.outcome(), Outcome::Success);
    ASSERT_EQ(ports.writes().size(), 3u);
    EXPECT_EQ(ports.writes()[1].time - ports.writes()[0].time, 1000);
    EXPECT_EQ(ports.writes()[2].time - ports.writes()[1].time, 1000);
}

// With the automatic search, the status that comes after the second request
// on the last port still ends the run with SUCCESS (the send step that
// finishes it does not move the search on).
TEST_F(ServiceStepsTest, ChipStatusOnTheLastSearchedPortAfterTheSecondRequest) {
    VirtualRadio radio(RadioVariant::A);
    radio.addFault({RadioFault::Kind::DropReply, 1});
    ports.addPort(1);
    ports.attachRadio(1, radio);
    run_ = std::make_unique<ProgramRun>(ports, kOpChipStatus, true, PortSettings{1, true});
    fake::RunToEnd(*run_, ports);
    EXPECT_EQ(run_->outcome(), Outcome::Success);
    EXPECT_EQ(ports.writes().size(), 2u);
}

TEST_F(ServiceStepsTest, SerialNumberSendsNothingAfterThePasswordCheckAndTimesOut) {
    for (bool read : {true, false}) {
        SCOPED_TRACE(read ? "read" : "write");
        Reset();
        VirtualRadio radio(RadioVariant::A);
        softwareData.setText(sd::Sn, "SN123456");
        const SoftwareData before = softwareData;
        ProgramRun& r = run(radio, kOpSerialNumber, read);
        EXPECT_EQ(r.outcome(), Outcome::CommunicationFalse);
        EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2"}));
        EXPECT_EQ(ports.now(), ports.writes().back().time + 3 + 5000) << "the watchdog after the last reply";
        r.confirmOutcome();
        EXPECT_EQ(softwareData, before);

        VirtualRadio locked(RadioVariant::A);
        PutPassword(locked, "secret");
        EXPECT_EQ(run(locked, kOpSerialNumber, read).outcome(), Outcome::PasswordError);
    }
}

TEST_F(ServiceStepsTest, PasswordErrorStopsTheCheckedOperationsAfterTheIdentityArea) {
    const struct {
        int op;
        bool read;
    } cases[] = {{kOpAdjustment, true}, {kOpAdjustment, false}, {kOpAllWrite, false}, {kOpPasswordWrite, false}};
    for (const auto& c : cases) {
        VirtualRadio radio(RadioVariant::B);
        PutPassword(radio, "secret");
        softwareData.setText(sd::Password, "secreT");
        ProgramRun& r = run(radio, c.op, c.read);
        EXPECT_EQ(r.outcome(), Outcome::PasswordError) << c.op;
        EXPECT_EQ(transcript(), (Lines{"PROGRAM", "R41D0/16 x2"})) << c.op;
    }
}

TEST_F(ServiceStepsTest, OldFormatRadioRefusesEveryServiceOperationAfterTheHandshake) {
    const struct {
        int op;
        bool read;
    } cases[] = {{kOpAdjustment, true},    {kOpAdjustment, false},   {kOpAllWrite, false},
                 {kOpPasswordWrite, false}, {kOpCustomerRead, true}, {kOpCustomerWrite, false},
                 {kOpRepair, false},        {kOpSerialNumber, true}};
    for (const auto& c : cases) {
        VirtualRadio radio(RadioVariant::Old);
        std::ranges::copy(kSynthFaultPattern, radio.memory().begin() + 0x8D95);
        const Bytes memory = MemoryAt(radio, 0, kRadioMemorySize);
        ProgramRun& r = run(radio, c.op, c.read);
        EXPECT_EQ(r.outcome(), Outcome::OldVersion) << c.op;
        EXPECT_EQ(transcript(), Lines{"PROGRAM"}) << c.op;
        EXPECT_EQ(MemoryAt(radio, 0, kRadioMemorySize), memory) << c.op;
    }
}

}  // namespace
}  // namespace t604
