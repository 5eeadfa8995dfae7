// The programming run in simulated time: frames, states, timers, the
// automatic port search, the password check and the ends of a run.

#include "link/program_run.h"

#include <gtest/gtest.h>

#include <string_view>

#include "fake_port.h"
#include "link/port_selection.h"
#include "link/radio_image.h"
#include "link/text_block.h"
#include "link/virtual_radio.h"
#include "model/program_state.h"

namespace t604 {
namespace {

using fake::FakePortSystem;
using fake::PortAvailability;
using fake::RunToEnd;
using fake::RunUntil;
using fake::Written;
using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }
const Bytes kHandshake = B("PROGRAM");
const Bytes kEnd = {0x45};
Bytes ReadFrame(std::uint16_t address, std::uint8_t length) {
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address), length};
}

std::vector<Millis> TimesOf(const std::vector<Written>& writes) {
    std::vector<Millis> times;
    for (const Written& w : writes) times.push_back(w.time);
    return times;
}
std::vector<Bytes> FramesOf(const std::vector<Written>& writes) {
    std::vector<Bytes> frames;
    for (const Written& w : writes) frames.push_back(w.bytes);
    return frames;
}

// Scripted step functions: a plain transfer of `blocks` blocks at `base`, and
// the chip status exchange; their "conversion" marks the record.
struct Script {
    std::uint16_t base = 0x4000;
    int blocks = 2;
    std::uint8_t length = 16;
    bool reads = true;
    std::vector<int> progressSeen;
};
Script gScript;
constexpr int kWriteSource = 64;  // above the identity area, which the handshake overwrites
bool gConverted = false;

void MarkRecordConverted() {
    gConverted = true;
    softwareData.set(sd::SQL, 7);
}

void ScriptedTransfer(ProgramRun& run) {
    if (run.StepIndex == 0) {
        run.StepReads = gScript.reads;
        run.ProgressStep = 10;
        run.BlockOffset = 0;
        run.StepIndex = 1;
    }
    gScript.progressSeen.push_back(run.progress());
    if (run.BlockOffset < gScript.blocks * 16) {
        const auto address = static_cast<std::uint16_t>(gScript.base + run.BlockOffset);
        if (gScript.reads)
            run.ReadData(address, gScript.length);
        else
            run.WriteData(address, gScript.length, RadioImage.data() + kWriteSource + run.BlockOffset);
        return;
    }
    run.setProgress(100);
    run.WriteEnding(MarkRecordConverted);
}

void ScriptedChipStatus(ProgramRun& run) {
    if (run.StepIndex == 0) {
        run.StepReads = true;
        run.ProgressStep = 10;
        run.StepIndex = 1;
    }
    if (run.StepIndex == 1) {
        static constexpr std::uint8_t request[] = {0x59, 0x52};
        run.ExpectedReplyLength = 13;
        run.Send(request);
        return;
    }
    run.setProgress(100);
    run.EndWithoutEndByte(MarkRecordConverted);
}

StepFunction ScriptedLookup(int operationCode, bool, bool) {
    if (operationCode == kOpChipStatus) return ScriptedChipStatus;
    if (operationCode == kOpSerialNumber) return nullptr;
    return ScriptedTransfer;
}

class ProgramRunTest : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    static void ResetGlobals() {
        SetDefaultData();
        RadioImage.fill(0);
        CustomerInfoBuffer.fill(0);
        FoundPorts.clear();
        gScript = {};
        gConverted = false;
    }

    ProgramRun& makeRun(int op, bool read, bool autoSearch, int port = 1) {
        run_ = std::make_unique<ProgramRun>(ports, op, read, PortSettings{port, autoSearch}, ScriptedLookup);
        return *run_;
    }
    // Replies scripted by the number of the write (from 1); other writes
    // get no answer.
    void scriptReplies(int port, std::map<int, Bytes> replies) {
        ports.setResponder([this, port, replies, count = 0](int n, std::span<const std::uint8_t>) mutable {
            if (n != port) return;
            auto it = replies.find(++count);
            if (it != replies.end()) ports.queueReply(port, it->second, 1);
        });
    }
    static void ExpectEndedQuietly(ProgramRun& run, FakePortSystem& ports) {
        for (TimerId id : {TimerId::Tx, TimerId::Rx, TimerId::TimeOut}) EXPECT_FALSE(run.timer(id).enabled);
        EXPECT_EQ(run.progress(), 0);
        EXPECT_EQ(run.pollHandle(), -1);
        for (int n = 1; n <= 9; ++n) EXPECT_FALSE(ports.isOpen(n)) << "COM" << n;
        const std::size_t sent = ports.writes().size();
        for (TimerId id : {TimerId::Tx, TimerId::Rx, TimerId::TimeOut}) run.onTimer(id, ports.now() + 20000);
        EXPECT_EQ(ports.writes().size(), sent) << "nothing is sent after the end";
    }

    FakePortSystem ports;
    std::unique_ptr<ProgramRun> run_;
};

TEST_F(ProgramRunTest, SilentRadioGetsFiveHandshakesThenCommunicationFalse) {
    ports.addPort(1);
    ProgramRun& run = makeRun(kOpConfig, true, false);
    const Millis end = RunToEnd(run, ports);
    // The 500 ms start sleep comes before the first handshake.
    EXPECT_EQ(ports.sleeps(), (std::vector<Millis>{500}));
    EXPECT_EQ(TimesOf(ports.writesTo(1)), (std::vector<Millis>{500, 1500, 2500, 3500, 4500}));
    for (const Bytes& f : FramesOf(ports.writes())) EXPECT_EQ(f, kHandshake);
    EXPECT_EQ(end, 5500);
    EXPECT_EQ(run.outcome(), Outcome::CommunicationFalse);
    ExpectEndedQuietly(run, ports);
}

// The port is purged when it opens, again after the start sleep, and its
// queues before every handshake.
TEST_F(ProgramRunTest, PurgesAtStartAndBeforeEveryHandshake) {
    for (bool autoSearch : {false, true}) {
        ResetGlobals();
        ports = FakePortSystem();
        ports.addPort(1);
        ProgramRun& run = makeRun(kOpConfig, true, autoSearch);
        run.start(ports.now());
        RunUntil(run, ports, 2000);
        const Millis open = autoSearch ? 50 : 0;  // the search sleeps 50 ms after opening
        const std::vector<std::pair<Millis, unsigned>> expected = {
            {0, kPurgeAll}, {open + 500, kPurgeAll}, {open + 500, kPurgeInput | kPurgeOutput},
            {open + 1500, kPurgeInput | kPurgeOutput}};
        std::vector<std::pair<Millis, unsigned>> seen;
        for (const auto& p : ports.purges()) seen.emplace_back(p.time, p.mask);
        EXPECT_EQ(seen, expected) << "search " << autoSearch;
        EXPECT_EQ(TimesOf(ports.writes()), (std::vector<Millis>{open + 500, open + 1500}));
    }
}

// Opening ports takes time on a real system; with a clock the run counts it,
// so that the re-sends still come a second apart.
TEST_F(ProgramRunTest, TimeSpentOpeningPortsCountsWithAClock) {
    struct SlowToOpen : FakePortSystem {
        OpenResult open(int n) override {
            advanceTo(now() + 3);
            return FakePortSystem::open(n);
        }
    };
    SlowToOpen slow;
    slow.addPort(1);
    ProgramRun run(slow, kOpConfig, true, PortSettings{1, false}, ScriptedLookup);
    run.useClock([&] { return slow.now(); });
    run.start(slow.now());
    RunUntil(run, slow, 3000);
    // The scan's nine attempts and the run's own open, then the 500 ms start sleep.
    EXPECT_EQ(TimesOf(slow.writes()), (std::vector<Millis>{530, 1530, 2530}));
}

TEST_F(ProgramRunTest, AutomaticSearchGivesEveryFreePortItsHandshakes) {
    struct Case {
        std::vector<int> freePorts;
        std::map<int, std::vector<Millis>> handshakes;
        Millis end;
    };
    // 50 ms after each port opens, 500 ms start sleep after the first.
    const Case cases[] = {
        {{1, 3}, {{1, {550, 1550}}, {3, {2600, 3600, 4600}}}, 5600},
        {{2, 5, 9},
         {{2, {550, 1550}}, {5, {2600, 3600, 4600}}, {9, {5650, 6650, 7650}}},
         8650},
    };
    for (const Case& c : cases) {
        ResetGlobals();
        ports = FakePortSystem();
        for (int n : c.freePorts) ports.addPort(n);
        ProgramRun& run = makeRun(kOpConfig, true, true);
        EXPECT_EQ(RunToEnd(run, ports), c.end);
        EXPECT_EQ(run.outcome(), Outcome::CommunicationFalse);
        for (const auto& [port, times] : c.handshakes) EXPECT_EQ(TimesOf(ports.writesTo(port)), times) << "COM" << port;
        EXPECT_EQ(ports.writes().size(), c.freePorts.size() * 3 - 1);
        ExpectEndedQuietly(run, ports);
    }
}

TEST_F(ProgramRunTest, PortsThatCannotBeUsed) {
    struct Case {
        const char* name;
        bool autoSearch;
        std::vector<std::pair<int, PortAvailability>> ports;
        Outcome outcome;
        Millis end;
    };
    const Case cases[] = {
        {"chosen port missing", false, {{2, PortAvailability::Free}}, Outcome::CommunicationFalse, 0},
        {"chosen port taken after the scan", false, {{1, PortAvailability::BusyAfterScan}},
         Outcome::CommunicationFalse, 0},
        {"no free port at all", true, {}, Outcome::CommunicationFalse, 0},
        {"only candidate taken", true, {{4, PortAvailability::BusyAfterScan}}, Outcome::CommunicationFalse, 0},
    };
    for (const Case& c : cases) {
        ResetGlobals();
        ports = FakePortSystem();
        for (auto [n, availability] : c.ports) ports.addPort(n, availability);
        ProgramRun& run = makeRun(kOpConfig, true, c.autoSearch);
        EXPECT_EQ(RunToEnd(run, ports), c.end) << c.name;
        EXPECT_EQ(run.outcome(), c.outcome) << c.name;
        EXPECT_TRUE(ports.writes().empty()) << c.name;
        EXPECT_TRUE(ports.sleeps().empty()) << c.name;
        EXPECT_FALSE(run.lastPortError().reason.empty()) << c.name;
        ExpectEndedQuietly(run, ports);
    }
}

TEST_F(ProgramRunTest, SearchSkipsAPortTakenAfterTheScan) {
    ports.addPort(1, PortAvailability::BusyAfterScan);
    ports.addPort(3);
    VirtualRadio radio(RadioVariant::A);
    ports.attachRadio(3, radio);
    ProgramRun& run = makeRun(kOpConfig, true, true);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    EXPECT_TRUE(ports.writesTo(1).empty());
    EXPECT_EQ(radio.sessionsEnded(), 1);
}

TEST_F(ProgramRunTest, WrongHandshakeByte) {
    // Search off: the run ends at the first poll that sees the byte.
    {
        ports.addPort(1);
        scriptReplies(1, {{1, {0x33}}});
        ProgramRun& run = makeRun(kOpConfig, true, false);
        EXPECT_EQ(RunToEnd(run, ports), 510);
        EXPECT_EQ(run.outcome(), Outcome::CommunicationFalse);
        EXPECT_EQ(ports.writes().size(), 1u);
        ExpectEndedQuietly(run, ports);
    }
    // Search on: the search moves on to the next port at once, where the radio is.
    ResetGlobals();
    ports = FakePortSystem();
    ports.addPort(1);
    ports.addPort(3);
    VirtualRadio other(RadioVariant::A), radio(RadioVariant::B);
    other.addFault({RadioFault::Kind::WrongHandshake, 0x33});
    VirtualRadio* onPort[] = {nullptr, &other, nullptr, &radio};
    ports.setResponder([&](int n, std::span<const std::uint8_t> bytes) {
        ports.queueReply(n, onPort[n]->receive(bytes), 1);
    });
    ProgramRun& run = makeRun(kOpConfig, true, true);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    ASSERT_EQ(ports.writesTo(1).size(), 1u);
    ASSERT_FALSE(ports.writesTo(3).empty());
    EXPECT_EQ(ports.writesTo(3)[0].time, 560 + 50) << "first poll at 560, then the 50 ms port change";
    EXPECT_TRUE(run.VariantB);
    EXPECT_EQ(radio.sessionsEnded(), 1);
}

TEST_F(ProgramRunTest, WrongFirstByteEndsTheRunAtOnce) {
    struct Case {
        const char* name;
        std::map<int, Bytes> replies;
        std::size_t writes;
    };
    Bytes kEmptyBlockReply = {0x57, 0x41, 0xD0, 0x10};
    kEmptyBlockReply.resize(20, 0x00);
    // A send that follows an accepted reply is polled 3 ms later.
    const Case cases[] = {
        {"wrong ident", {{1, {0x06}}, {2, B("P32074\xF8\xFF")}}, 2},
        {"wrong ident acknowledge", {{1, {0x06}}, {2, B("P32073\xF8\xFF")}, {3, {0x15}}}, 3},
        {"identity block not a read reply", {{1, {0x53}}, {2, Bytes(20, 0x52)}}, 2},
        {"block read reply wrong", {{1, {0x53}}, {2, kEmptyBlockReply}, {3, kEmptyBlockReply}, {4, Bytes(20, 0x15)}}, 4},
    };
    for (const Case& c : cases) {
        ResetGlobals();
        ports = FakePortSystem();
        ports.addPort(1);
        scriptReplies(1, c.replies);
        ProgramRun& run = makeRun(kOpConfig, true, false);
        const Millis end = RunToEnd(run, ports);
        EXPECT_EQ(run.outcome(), Outcome::CommunicationFalse) << c.name;
        EXPECT_EQ(ports.writes().size(), c.writes) << c.name;
        EXPECT_EQ(end, ports.writes().back().time + 3) << c.name << ": at the first poll";
        ExpectEndedQuietly(run, ports);
    }
}

TEST_F(ProgramRunTest, SuccessfulReadChangesTheRecordOnlyAfterConfirmation) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    for (int i = 0; i < 32; ++i) radio.memory()[0x4000 + i] = static_cast<std::uint8_t>(0xA0 + i);
    ports.attachRadio(1, radio);
    const SoftwareData before = softwareData;
    ProgramRun& run = makeRun(kOpConfig, true, false);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    EXPECT_EQ(FramesOf(ports.writes()),
              (std::vector<Bytes>{kHandshake, ReadFrame(0x41D0, 16), ReadFrame(0x41E0, 16),
                                  ReadFrame(0x4000, 16), ReadFrame(0x4010, 16), kEnd}));
    for (int i = 0; i < 32; ++i) EXPECT_EQ(RadioImage[i], 0xA0 + i);
    EXPECT_FALSE(run.VariantB);
    EXPECT_EQ(softwareData, before);
    run.confirmOutcome();
    EXPECT_TRUE(gConverted);
    gConverted = false;
    run.confirmOutcome();
    EXPECT_FALSE(gConverted) << "the conversion runs once";
    ExpectEndedQuietly(run, ports);
}

TEST_F(ProgramRunTest, ProgressAdvancesByTenthsOfProgressStep) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    ports.attachRadio(1, radio);
    gScript.blocks = 4;
    ProgramRun& run = makeRun(kOpConfig, true, false);
    RunToEnd(run, ports);
    // +1 for the handshake; 16 bytes per block against a step of 10.
    EXPECT_EQ(gScript.progressSeen, (std::vector<int>{1, 1, 11, 31, 41}));
}

TEST_F(ProgramRunTest, OverlongReplyIsNeverAcceptedAndTheRequestIsResent) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    radio.addFault({RadioFault::Kind::ExtraByte, 4});  // the first block read
    ports.attachRadio(1, radio);
    ProgramRun& run = makeRun(kOpConfig, true, false);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    const auto& w = ports.writes();
    ASSERT_EQ(w.size(), 7u);
    EXPECT_EQ(w[3].bytes, ReadFrame(0x4000, 16));
    EXPECT_EQ(w[4].bytes, w[3].bytes);
    EXPECT_EQ(w[4].time - w[3].time, 1000);
}

TEST_F(ProgramRunTest, BufferOverflowPurgesAndWaitsForTheResend) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    for (int i = 0; i < 16; ++i) radio.memory()[0x4000 + i] = static_cast<std::uint8_t>(i + 1);
    int count = 0;
    ports.setResponder([&](int n, std::span<const std::uint8_t> bytes) {
        if (++count == 4) {  // the first block read drowns in noise
            ports.queueReply(n, Bytes(200, 0x00), 1);
            ports.queueReply(n, Bytes(100, 0x00), 15);
            return;
        }
        ports.queueReply(n, radio.receive(bytes), 1);
    });
    gScript.blocks = 1;
    ProgramRun& run = makeRun(kOpConfig, true, false);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    const auto& w = ports.writes();
    ASSERT_EQ(w.size(), 6u);
    EXPECT_EQ(w[4].bytes, w[3].bytes);
    EXPECT_EQ(w[4].time - w[3].time, 1000);
    bool purged = false;
    for (const auto& p : ports.purges())
        purged |= p.mask == kPurgeInput && p.time > w[3].time && p.time < w[4].time;
    EXPECT_TRUE(purged);
    EXPECT_EQ(ports.unread(1), 0u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(RadioImage[i], i + 1);
}

// A poll that purges unread, or drops a reply that is no chip status, returns
// at once: polling keeps the 10 ms pace of the first poll after a send.
TEST_F(ProgramRunTest, PollThatDropsWhatItSawKeepsItsPace) {
    struct Case {
        const char* name;
        int op;
        Bytes noise;
        Bytes reply;
    };
    Bytes status = {0x59, 0x53};
    status.resize(13, 0x01);
    const Case cases[] = {
        {"more than 255 bytes waiting", kOpConfig, Bytes(300, 0x00), {0x53}},
        {"not a chip status reply", kOpChipStatus, {0x12, 0x34}, status},
    };
    for (const Case& c : cases) {
        ResetGlobals();
        ports = FakePortSystem();
        ports.addPort(1);
        ports.setResponder([&, count = 0](int n, std::span<const std::uint8_t>) mutable {
            if (++count != 1) return;
            ports.queueReply(n, c.noise, 1);   // seen by the poll at 510
            ports.queueReply(n, c.reply, 12);  // arrives at 512
        });
        ProgramRun& run = makeRun(c.op, true, false);
        run.start(ports.now());
        RunUntil(run, ports, 600);
        if (c.op == kOpChipStatus) {
            EXPECT_EQ(run.outcome(), Outcome::Success) << c.name;
            EXPECT_EQ(ports.now(), 520) << c.name << ": accepted at the poll 10 ms later";
        } else {
            ASSERT_GE(ports.writes().size(), 2u) << c.name;
            EXPECT_EQ(ports.writes()[1].bytes, ReadFrame(0x41D0, 16)) << c.name;
            EXPECT_EQ(ports.writes()[1].time, 520) << c.name << ": accepted at the poll 10 ms later";
            EXPECT_EQ(ports.purges().back().mask, unsigned{kPurgeInput}) << c.name;
            EXPECT_EQ(ports.purges().back().time, 510) << c.name;
        }
    }
}

TEST_F(ProgramRunTest, ReadReplyDataStayWithinWhatArrivedAndTheBlockSlot) {
    struct Case {
        std::uint8_t requested;
        std::uint8_t lengthByte;
        int copied;
    };
    const Case cases[] = {{16, 0xFF, 16}, {6, 16, 6}, {16, 4, 4}, {16, 16, 16}};
    for (const Case& c : cases) {
        ResetGlobals();
        ports = FakePortSystem();
        ports.addPort(1);
        VirtualRadio radio(RadioVariant::A);
        std::fill_n(radio.memory().begin() + 0x41E0, 16, 0x77);  // lands at image 16..31
        int count = 0;
        ports.setResponder([&](int n, std::span<const std::uint8_t> bytes) {
            if (++count != 4) return ports.queueReply(n, radio.receive(bytes), 1);
            Bytes reply = {0x57, 0x40, 0x00, c.lengthByte};
            for (int i = 0; i < c.requested; ++i) reply.push_back(static_cast<std::uint8_t>(0xA0 + i));
            ports.queueReply(n, reply, 1);
        });
        gScript.blocks = 1;
        gScript.length = c.requested;
        ProgramRun& run = makeRun(kOpConfig, true, false);
        RunToEnd(run, ports);
        EXPECT_EQ(run.outcome(), Outcome::Success);
        for (int i = 0; i < 32; ++i) {
            const int expected = i < c.copied ? 0xA0 + i : (i < 16 ? 0 : 0x77);
            EXPECT_EQ(RadioImage[i], expected) << "request " << int(c.requested) << ", length byte "
                                               << int(c.lengthByte) << ", image " << i;
        }
    }
}

TEST_F(ProgramRunTest, PasswordCheckAndTheOperationsThatSkipIt) {
    std::array<std::uint8_t, 16> neverSet;
    neverSet.fill(0xFF);
    auto badChecksum = EncodeTextBlock("secret");
    badChecksum[15] ^= 0x55;
    struct Case {
        const char* name;
        int op;
        std::array<std::uint8_t, 16> radioBlock;
        std::string password;
        Outcome outcome;
    };
    const Case cases[] = {
        {"block never set", kOpConfig, neverSet, "abc", Outcome::Success},
        {"wrong checksum", kOpConfig, badChecksum, "abcdef", Outcome::Success},
        {"same password", kOpConfig, EncodeTextBlock("123456"), "123456", Outcome::Success},
        {"6 bytes vs none", kOpConfig, EncodeTextBlock("123456"), "", Outcome::PasswordError},
        {"6 bytes vs none, adjustment", kOpAdjustment, EncodeTextBlock("123456"), "", Outcome::PasswordError},
        {"6 bytes vs none, customer write", kOpCustomerWrite, EncodeTextBlock("123456"), "", Outcome::Success},
        {"6 bytes vs none, repair", kOpRepair, EncodeTextBlock("123456"), "", Outcome::Success},
    };
    for (const Case& c : cases) {
        ResetGlobals();
        ports = FakePortSystem();
        ports.addPort(1);
        VirtualRadio radio(RadioVariant::A);
        std::copy(c.radioBlock.begin(), c.radioBlock.end(), radio.memory().begin() + 0x41D0);
        ports.attachRadio(1, radio);
        softwareData.setText(sd::Password, c.password);
        ProgramRun& run = makeRun(c.op, false, false);
        RunToEnd(run, ports);
        EXPECT_EQ(run.outcome(), c.outcome) << c.name;
        if (c.outcome == Outcome::PasswordError) {
            EXPECT_EQ(ports.writes().size(), 3u) << c.name << ": handshake and identity area only";
            EXPECT_EQ(radio.sessionsEnded(), 0) << c.name << ": no end byte";
        }
        ExpectEndedQuietly(run, ports);
    }
}

TEST_F(ProgramRunTest, CustomerInformationReadEndsAfterTheIdentityArea) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::B);
    auto password = EncodeTextBlock("123456");  // not needed for this read
    auto customer = EncodeTextBlock("hello");
    std::copy(password.begin(), password.end(), radio.memory().begin() + 0x41D0);
    std::copy(customer.begin(), customer.end(), radio.memory().begin() + 0x41E0);
    ports.attachRadio(1, radio);
    CustomerInfoBuffer.fill(0xEE);
    ProgramRun& run = makeRun(kOpCustomerRead, true, false);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    EXPECT_EQ(FramesOf(ports.writes()),
              (std::vector<Bytes>{kHandshake, ReadFrame(0x41D0, 16), ReadFrame(0x41E0, 16), kEnd}));
    for (int i = 0; i < 128; ++i) {
        const int expected = i < 16 ? 0 : i < 32 ? customer[i - 16] : i < 64 ? 0 : 0xEE;
        EXPECT_EQ(CustomerInfoBuffer[i], expected) << i;
    }
    EXPECT_EQ(DecodeTextBlock(CustomerInfoBuffer.data() + 16), "hello");
}

TEST_F(ProgramRunTest, OldFormatRadio) {
    // The main read acknowledges every block.
    {
        ports.addPort(1);
        VirtualRadio radio(RadioVariant::Old);
        ports.attachRadio(1, radio);
        gScript.base = 0x0010;
        ProgramRun& run = makeRun(kOpConfig, true, false);
        RunToEnd(run, ports);
        EXPECT_EQ(run.outcome(), Outcome::Success);
        EXPECT_TRUE(run.OldRadio);
        EXPECT_EQ(FramesOf(ports.writes()),
                  (std::vector<Bytes>{kHandshake, {0x02}, {0x06}, ReadFrame(0x0010, 16), {0x06},
                                      ReadFrame(0x0020, 16), {0x06}, kEnd}));
        EXPECT_EQ(gScript.progressSeen.front(), 2) << "2 after the ident acknowledge";
    }
    // Any other operation stops right after the handshake.
    for (int op : {kOpAdjustment, kOpPasswordWrite, kOpCustomerRead, kOpRepair}) {
        ResetGlobals();
        ports = FakePortSystem();
        ports.addPort(1);
        VirtualRadio radio(RadioVariant::Old);
        ports.attachRadio(1, radio);
        ProgramRun& run = makeRun(op, false, false);
        RunToEnd(run, ports);
        EXPECT_EQ(run.outcome(), Outcome::OldVersion) << op;
        EXPECT_EQ(FramesOf(ports.writes()), std::vector<Bytes>{kHandshake}) << op;
        ExpectEndedQuietly(run, ports);
    }
}

TEST_F(ProgramRunTest, ChipStatusReadSendsNoHandshakeAndNoEndByte) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    const std::array<std::uint8_t, 11> status = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    radio.setChipStatus(status);
    ports.attachRadio(1, radio);
    ProgramRun& run = makeRun(kOpChipStatus, true, false);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    EXPECT_EQ(FramesOf(ports.writes()), (std::vector<Bytes>{{0x59, 0x52}}));
    EXPECT_EQ(ports.purges().back().mask, unsigned{kPurgeInput | kPurgeOutput});
    for (int i = 0; i < 11; ++i) EXPECT_EQ(RadioImage[i], status[i]);
    EXPECT_FALSE(gConverted);
    run.confirmOutcome();
    EXPECT_TRUE(gConverted);

    // A reply that is not a status reply is ignored until the time-out.
    ResetGlobals();
    ports = FakePortSystem();
    ports.addPort(1);
    ports.setResponder([&](int n, std::span<const std::uint8_t>) { ports.queueReply(n, Bytes(13, 0x59 ^ 1), 1); });
    ProgramRun& ignored = makeRun(kOpChipStatus, true, false);
    EXPECT_EQ(RunToEnd(ignored, ports), 5500);
    EXPECT_EQ(ignored.outcome(), Outcome::CommunicationFalse);
    EXPECT_EQ(ports.writes().size(), 5u);
}

TEST_F(ProgramRunTest, SerialNumberSendsNothingAfterTheCheckAndTimesOut) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    ports.attachRadio(1, radio);
    ProgramRun& run = makeRun(kOpSerialNumber, true, false);
    const Millis end = RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::CommunicationFalse);
    ASSERT_EQ(ports.writes().size(), 3u);
    // The identity block, accepted at the poll 3 ms after the last request,
    // restarted the watchdog.
    EXPECT_EQ(end, ports.writes().back().time + 3 + 5000);
}

TEST_F(ProgramRunTest, ClosingDuringAReadLeavesTheRecordUnchanged) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::A);
    ports.attachRadio(1, radio);
    gScript.blocks = 100;
    const SoftwareData before = softwareData;
    ProgramRun& run = makeRun(kOpConfig, true, false);
    run.start(ports.now());
    RunUntil(run, ports, 700);
    ASSERT_TRUE(run.running());
    ASSERT_GT(ports.writes().size(), 5u) << "mid-transfer";
    run.close();
    EXPECT_EQ(run.outcome(), Outcome::Closed);
    run.confirmOutcome();
    EXPECT_EQ(softwareData, before);
    EXPECT_FALSE(gConverted);
    EXPECT_NE(ports.writes().back().bytes, kEnd);
    EXPECT_EQ(radio.sessionsEnded(), 0);
    ExpectEndedQuietly(run, ports);
}

TEST_F(ProgramRunTest, WriteTransferAcknowledgedBlockByBlock) {
    ports.addPort(1);
    VirtualRadio radio(RadioVariant::B);
    ports.attachRadio(1, radio);
    for (int i = 0; i < 32; ++i) RadioImage[kWriteSource + i] = static_cast<std::uint8_t>(i * 3);
    gScript.reads = false;
    ProgramRun& run = makeRun(kOpConfig, false, false);
    RunToEnd(run, ports);
    EXPECT_EQ(run.outcome(), Outcome::Success);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(radio.memory()[0x4000 + i], i * 3);
    EXPECT_EQ(radio.sessionsEnded(), 1);
}

}  // namespace
}  // namespace t604
