#include "link/virtual_radio.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace t604 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Handshake() { return {'P', 'R', 'O', 'G', 'R', 'A', 'M'}; }
Bytes ReadRequest(std::uint16_t address, std::uint8_t length) {
    return {0x52, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address), length};
}
Bytes WriteRequest(std::uint16_t address, const Bytes& data) {
    Bytes frame{0x57, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                static_cast<std::uint8_t>(data.size())};
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}
Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
const Bytes kOldIdent{'P', '3', '2', '0', '7', '3', 0xF8, 0xFF};
const Bytes kEnd{0x45};

struct HandshakeCase {
    RadioVariant variant;
    std::uint8_t reply;
};

class VirtualRadioHandshake : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(VirtualRadioHandshake, AnswersWithTheVariantByteAndOpensASession) {
    VirtualRadio radio(GetParam().variant);
    EXPECT_FALSE(radio.inSession());
    EXPECT_EQ(radio.receive(Handshake()), Bytes{GetParam().reply});
    EXPECT_TRUE(radio.inSession());
}

INSTANTIATE_TEST_SUITE_P(Variants, VirtualRadioHandshake,
                         ::testing::Values(HandshakeCase{RadioVariant::A, 0x53},
                                           HandshakeCase{RadioVariant::B, 0x59},
                                           HandshakeCase{RadioVariant::Old, 0x06}));

TEST(VirtualRadio, HandshakeSplitOverSeveralReceivesIsStillOneHandshake) {
    VirtualRadio radio(RadioVariant::A);
    Bytes hs = Handshake();
    EXPECT_TRUE(radio.receive(Bytes(hs.begin(), hs.begin() + 3)).empty());
    EXPECT_EQ(radio.receive(Bytes(hs.begin() + 3, hs.end())), Bytes{0x53});
}

TEST(VirtualRadio, NothingButTheHandshakeOrChipStatusIsAnsweredOutsideASession) {
    VirtualRadio radio(RadioVariant::A);
    EXPECT_TRUE(radio.receive(ReadRequest(0x41D0, 16)).empty());
    EXPECT_TRUE(radio.receive(WriteRequest(0x4000, {1, 2})).empty());
    EXPECT_EQ(radio.memory()[0x4000], 0);
}

TEST(VirtualRadio, ReadReplyEchoesAddressAndLengthAndCarriesTheMemory) {
    VirtualRadio radio(RadioVariant::B);
    for (int i = 0; i < 16; ++i) radio.memory()[0x41E0 + i] = static_cast<std::uint8_t>(0xA0 + i);
    radio.receive(Handshake());
    Bytes reply = radio.receive(ReadRequest(0x41E0, 16));
    ASSERT_EQ(reply.size(), 20u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{0x57, 0x41, 0xE0, 16}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(reply[4 + i], 0xA0 + i);
}

TEST(VirtualRadio, WriteIsAcknowledgedAndReadBack) {
    VirtualRadio radio(RadioVariant::A);
    radio.receive(Handshake());
    const Bytes data{0x11, 0x3D, 0x37, 0x12, 0x01, 0x00};
    EXPECT_EQ(radio.receive(WriteRequest(0x8D95, data)), Bytes{0x06});
    EXPECT_EQ(radio.receive(ReadRequest(0x8D95, 6)), Concat({{0x57, 0x8D, 0x95, 6}, data}));
}

TEST(VirtualRadio, BlockAtTheTopOfMemoryWrapsInsteadOfOverrunning) {
    VirtualRadio radio(RadioVariant::A);
    radio.receive(Handshake());
    radio.receive(WriteRequest(0xFFFE, {1, 2, 3, 4}));
    EXPECT_EQ(radio.memory()[0xFFFF], 2);
    EXPECT_EQ(radio.memory()[0x0000], 3);
}

TEST(VirtualRadio, SeveralRequestsInOneReceiveAreAnsweredInOrder) {
    VirtualRadio radio(RadioVariant::A);
    Bytes reply = radio.receive(Concat({Handshake(), WriteRequest(0x4000, {7}), ReadRequest(0x4000, 1)}));
    EXPECT_EQ(reply, (Bytes{0x53, 0x06, 0x57, 0x40, 0x00, 1, 7}));
}

TEST(VirtualRadio, OldFormatRadioRunsIdentAndAcknowledgesEveryReadReply) {
    VirtualRadio radio(RadioVariant::Old);
    radio.memory()[0x0010] = 0x42;
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x06});
    EXPECT_TRUE(radio.receive(ReadRequest(0x0010, 16)).empty()) << "no transfer before the ident";
    EXPECT_EQ(radio.receive(Bytes{0x02}), kOldIdent);
    EXPECT_EQ(radio.receive(Bytes{0x02}), kOldIdent) << "a re-sent ident request";
    EXPECT_EQ(radio.receive(Bytes{0x06}), Bytes{0x06});
    Bytes reply = radio.receive(ReadRequest(0x0010, 16));
    ASSERT_EQ(reply.size(), 20u);
    EXPECT_EQ(reply[4], 0x42);
    EXPECT_EQ(radio.receive(Bytes{0x06}), Bytes{0x06});
    EXPECT_EQ(radio.receive(WriteRequest(0x0020, {9})), Bytes{0x06});
    radio.receive(kEnd);
    EXPECT_FALSE(radio.inSession());
    EXPECT_EQ(radio.memory()[0x0020], 9);
}

TEST(VirtualRadio, AcknowledgeMeansNothingToAVariantARadio) {
    VirtualRadio radio(RadioVariant::A);
    radio.receive(Handshake());
    EXPECT_TRUE(radio.receive(Bytes{0x06, 0x02}).empty());
}

TEST(VirtualRadio, ChipStatusIsAnsweredWithoutHandshakeAndKeepsTheState) {
    VirtualRadio radio(RadioVariant::A);
    const std::array<std::uint8_t, kChipStatusSize> status{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    radio.setChipStatus(status);
    Bytes expected{0x59, 0x53, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(radio.receive(Bytes{0x59, 0x52}), expected);
    EXPECT_FALSE(radio.inSession());
    radio.receive(Handshake());
    EXPECT_EQ(radio.receive(Bytes{0x59, 0x52}), expected);
    EXPECT_TRUE(radio.inSession());
}

TEST(VirtualRadio, EndByteClosesTheSessionAndTheNextHandshakeOpensANewOne) {
    VirtualRadio radio(RadioVariant::B);
    radio.receive(Handshake());
    EXPECT_TRUE(radio.receive(kEnd).empty());
    EXPECT_EQ(radio.sessionsEnded(), 1);
    EXPECT_FALSE(radio.inSession());
    EXPECT_TRUE(radio.receive(ReadRequest(0x4000, 16)).empty());
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x59});
    EXPECT_EQ(radio.receive(ReadRequest(0x4000, 16)).size(), 20u);
    radio.receive(kEnd);
    EXPECT_EQ(radio.sessionsEnded(), 2);
}

TEST(VirtualRadio, ResentHandshakeInASessionIsAnsweredAgainNotTakenForARead) {
    // "PROGRAM" contains 0x52 ('R'): a radio that looked only at request
    // starts would take "RAM?" for a read.
    VirtualRadio radio(RadioVariant::A);
    radio.receive(Handshake());
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x53});
    EXPECT_EQ(radio.receive(ReadRequest(0x41D0, 16)).size(), 20u);
}

TEST(VirtualRadio, GarbageBetweenRequestsIsSkippedUpToTheNextRequestStart) {
    VirtualRadio radio(RadioVariant::A);
    radio.receive(Handshake());
    Bytes reply = radio.receive(Concat({{0x00, 0xFF, 'P', 'R', 'O', 'X'}, ReadRequest(0x4000, 2)}));
    EXPECT_EQ(reply, (Bytes{0x57, 0x40, 0x00, 2, 0, 0}));
    EXPECT_EQ(radio.receive(Concat({{'P'}, Handshake()})), Bytes{0x53}) << "a stray P before the handshake";
}

TEST(VirtualRadio, LineIdleForgetsAHalfReceivedRequest) {
    VirtualRadio radio(RadioVariant::A);
    radio.receive(Handshake());
    EXPECT_TRUE(radio.receive(Bytes{0x57, 0x40, 0x00, 16, 1, 2}).empty());
    radio.lineIdle();
    EXPECT_EQ(radio.receive(ReadRequest(0x4000, 1)), (Bytes{0x57, 0x40, 0x00, 1, 0}));
}

TEST(VirtualRadio, DropLosesTheReplyOnceButTheRequestStillActs) {
    VirtualRadio radio(RadioVariant::A);
    radio.addFault({RadioFault::Kind::DropReply, 2});
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x53});
    EXPECT_TRUE(radio.receive(WriteRequest(0x4000, {5})).empty());
    EXPECT_EQ(radio.memory()[0x4000], 5);
    EXPECT_EQ(radio.receive(WriteRequest(0x4000, {6})), Bytes{0x06});
}

TEST(VirtualRadio, ExtraByteLengthensOnlyTheNamedReply) {
    VirtualRadio radio(RadioVariant::A);
    radio.addFault({RadioFault::Kind::ExtraByte, 2});
    radio.receive(Handshake());
    EXPECT_EQ(radio.receive(ReadRequest(0x4000, 16)).size(), 21u);
    EXPECT_EQ(radio.receive(ReadRequest(0x4000, 16)).size(), 20u);
}

TEST(VirtualRadio, SilentAfterNRequestsAnswersNothingAndChangesNothing) {
    VirtualRadio radio(RadioVariant::A);
    radio.addFault({RadioFault::Kind::SilentAfter, 1});
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x53});
    EXPECT_TRUE(radio.receive(WriteRequest(0x4000, {5})).empty());
    EXPECT_TRUE(radio.receive(Handshake()).empty());
    EXPECT_TRUE(radio.receive(Bytes{0x59, 0x52}).empty());
    EXPECT_EQ(radio.memory()[0x4000], 0);
}

TEST(VirtualRadio, WrongHandshakeByteReplacesTheVariantByte) {
    VirtualRadio radio(RadioVariant::B);
    radio.addFault({RadioFault::Kind::WrongHandshake, 0x15});
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x15});
    EXPECT_EQ(radio.receive(Handshake()), Bytes{0x15});
}

TEST(ParseRadioFault, ReadsEveryKind) {
    struct Case {
        const char* spec;
        RadioFault::Kind kind;
        int value;
    };
    for (const Case& c : {Case{"drop:3", RadioFault::Kind::DropReply, 3},
                          Case{"extra:12", RadioFault::Kind::ExtraByte, 12},
                          Case{"silent:0", RadioFault::Kind::SilentAfter, 0},
                          Case{"handshake:15", RadioFault::Kind::WrongHandshake, 0x15},
                          Case{"handshake:ff", RadioFault::Kind::WrongHandshake, 0xFF}}) {
        RadioFault f = ParseRadioFault(c.spec);
        EXPECT_EQ(f.kind, c.kind) << c.spec;
        EXPECT_EQ(f.value, c.value) << c.spec;
    }
}

TEST(ParseRadioFault, RefusesMalformedSpecs) {
    for (const char* spec : {"drop", "drop:", "drop:0", "drop:x", "drop:3x", "lose:3", "handshake:100",
                             "handshake:-1", "silent:-2", ""})
        EXPECT_THROW(ParseRadioFault(spec), std::invalid_argument) << spec;
}

}  // namespace
}  // namespace t604
